// BmpWriter: BMP file header and the all-or-nothing write.
#include "BmpWriter.h"

#include <cstring>

#include "OwnedHandles.h"

namespace BmpWriter {

bool MakeFileHeader(const BYTE* dib, DWORD dibSize, BITMAPFILEHEADER& header)
{
    if (!dib || dibSize < sizeof(BITMAPINFOHEADER) || dibSize > MAXDWORD - sizeof(BITMAPFILEHEADER))
        return false;
    BITMAPINFOHEADER info;
    std::memcpy(&info, dib, sizeof info);
    if (info.biClrUsed > (MAXDWORD - 54) / 4)
        return false;
    header = {};
    header.bfType = 0x4D42;  // "BM"
    header.bfSize = dibSize + sizeof(BITMAPFILEHEADER);
    header.bfReserved1 = 0;
    header.bfReserved2 = 0;
    header.bfOffBits = 54 + info.biClrUsed * 4;
    return true;
}

bool WriteNew(LPCSTR path, const BYTE* dib, DWORD dibSize)
{
    BITMAPFILEHEADER header;
    if (!MakeFileHeader(dib, dibSize, header))
        return false;
    TOwnedHandle file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.IsNull())
        return false;
    DWORD written = 0;
    bool whole = WriteFile(file.Get(), &header, sizeof header, &written, nullptr) && written == sizeof header;
    whole = whole && WriteFile(file.Get(), dib, dibSize, &written, nullptr) && written == dibSize;
    // The close is the last step of the write (the system may report a failed
    // flush only there), so it is taken from the owner and checked.
    whole = CloseHandle(file.Detach()) && whole;
    if (!whole)
        DeleteFileA(path);
    return whole;
}

}  // namespace BmpWriter
