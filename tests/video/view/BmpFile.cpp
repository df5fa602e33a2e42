// BMP files read back for checks.
#include "BmpFile.h"

#include "SyntheticPicture.h"
#include "TempFolder.h"

#include <cstring>

BmpFile ReadBmpFile(const std::string& path)
{
    BmpFile bmp;
    bmp.bytes = ReadWholeFile(path);
    if (bmp.bytes.size() < sizeof bmp.file + sizeof bmp.info) {
        bmp.problem = "shorter than its headers";
        return bmp;
    }
    std::memcpy(&bmp.file, bmp.bytes.data(), sizeof bmp.file);
    std::memcpy(&bmp.info, bmp.bytes.data() + sizeof bmp.file, sizeof bmp.info);
    const size_t rows = static_cast<size_t>(Vcam::RowBytes24(bmp.info.biWidth)) * std::abs(bmp.info.biHeight);
    if (bmp.info.biBitCount != 24 || bmp.file.bfOffBits + rows > bmp.bytes.size()) {
        bmp.problem = "not 24-bit pixels within the file";
        return bmp;
    }
    bmp.valid = true;
    return bmp;
}

int MatchSyntheticFrame(const BmpFile& bmp)
{
    return bmp.valid ? Vcam::MatchSyntheticFrame(bmp.Pixels(), bmp.info.biWidth, bmp.info.biHeight) : -1;
}
