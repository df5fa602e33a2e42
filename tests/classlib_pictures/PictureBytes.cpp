// Picture files made at run time for the picture tests.
#include "PictureBytes.h"

#include "OwnedDC.h"
#include "OwnedGdi.h"
#include "OwnedMetaFile.h"

#include <windows.h>

#include <cstdio>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

void PutU16(std::string& bytes, size_t offset, unsigned value)
{
    bytes[offset] = static_cast<char>(value & 0xFF);
    bytes[offset + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void PutU32(std::string& bytes, size_t offset, unsigned long value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

namespace {
std::string Zeros(size_t count) { return std::string(count, '\0'); }
}

std::string MakeBmp(int width, int height, int bitCount, TColor left, TColor right)
{
    int rows = height < 0 ? -height : height;
    size_t paletteCount = bitCount <= 8 ? 2 : 0;
    size_t stride = ((static_cast<size_t>(width) * bitCount + 31) / 32) * 4;
    size_t offset = 14 + 40 + paletteCount * 4;
    std::string bytes = Zeros(offset + stride * static_cast<size_t>(rows));
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutU32(bytes, 2, static_cast<unsigned long>(bytes.size()));
    PutU32(bytes, 10, static_cast<unsigned long>(offset));
    PutU32(bytes, 14, 40);
    PutU32(bytes, 18, static_cast<unsigned long>(width));
    PutU32(bytes, 22, static_cast<unsigned long>(height));
    PutU16(bytes, 26, 1);
    PutU16(bytes, 28, static_cast<unsigned>(bitCount));
    if (paletteCount != 0) {
        PutU32(bytes, 46, static_cast<unsigned long>(paletteCount));
        // Palette entries are blue, green, red, 0: a COLORREF with red and blue swapped.
        PutU32(bytes, 54, (GetRValue(left) << 16) | (GetGValue(left) << 8) | GetBValue(left));
        PutU32(bytes, 58, (GetRValue(right) << 16) | (GetGValue(right) << 8) | GetBValue(right));
    }
    for (int y = 0; y < rows; ++y) {
        size_t row = offset + stride * static_cast<size_t>(y);
        for (int x = 0; x < width; ++x) {
            bool isRight = x >= width / 2;
            TColor c = isRight ? right : left;
            switch (bitCount) {
            case 1:
                if (isRight)
                    bytes[row + static_cast<size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
                break;
            case 8: bytes[row + static_cast<size_t>(x)] = isRight ? 1 : 0; break;
            default: {
                size_t at = row + static_cast<size_t>(x) * static_cast<size_t>(bitCount / 8);
                bytes[at] = static_cast<char>(GetBValue(c));
                bytes[at + 1] = static_cast<char>(GetGValue(c));
                bytes[at + 2] = static_cast<char>(GetRValue(c));
                break;
            }
            }
        }
    }
    return bytes;
}

std::string MakeJpeg(int width, int height, TColor left, TColor right, bool grayscale)
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = grayscale ? 1 : 3;
    info.in_color_space = grayscale ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<size_t>(width) * 3);
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < width; ++x) {
            TColor c = x >= width / 2 ? right : left;
            if (grayscale) {
                row[static_cast<size_t>(x)] = GetRValue(c);
            } else {
                row[static_cast<size_t>(x) * 3] = GetRValue(c);
                row[static_cast<size_t>(x) * 3 + 1] = GetGValue(c);
                row[static_cast<size_t>(x) * 3 + 2] = GetBValue(c);
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::string bytes(reinterpret_cast<char*>(buffer), size);
    jpeg_destroy_compress(&info);
    free(buffer);
    return bytes;
}

std::string MakeWmf(int width, int height, TColor color, bool placeable)
{
    HDC dc = CreateMetaFileA(nullptr);
    TOwnedBrush brush(CreateSolidBrush(color));
    RECT r = {0, 0, width, height};
    SetWindowExtEx(dc, width, height, nullptr);
    FillRect(dc, &r, brush);
    TOwnedMetaFile metafile(CloseMetaFile(dc));
    UINT size = GetMetaFileBitsEx(metafile, 0, nullptr);
    std::string bits(size, '\0');
    GetMetaFileBitsEx(metafile, size, &bits[0]);
    if (!placeable)
        return bits;
    // The placeable header: key, handle, frame in units of `inch` per inch, checksum.
    std::string header = Zeros(22);
    PutU32(header, 0, 0x9AC6CDD7);
    PutU16(header, 10, static_cast<unsigned>(width));
    PutU16(header, 12, static_cast<unsigned>(height));
    PutU16(header, 14, static_cast<unsigned>(GetDeviceCaps(TWindowDC(nullptr), LOGPIXELSX)));
    unsigned checksum = 0;
    for (size_t i = 0; i < 20; i += 2)
        checksum ^= static_cast<unsigned char>(header[i]) | (static_cast<unsigned char>(header[i + 1]) << 8);
    PutU16(header, 20, checksum);
    return header + bits;
}

std::string MakeEmf(int width, int height, TColor color)
{
    HDC dc;
    {
        TWindowDC screen(nullptr);
        // The frame in 0.01 mm for the pixel size asked for.
        RECT frame = {0, 0, MulDiv(width, 2540, GetDeviceCaps(screen, LOGPIXELSX)),
                      MulDiv(height, 2540, GetDeviceCaps(screen, LOGPIXELSY))};
        dc = CreateEnhMetaFileA(screen, nullptr, &frame, nullptr);
    }
    TOwnedBrush brush(CreateSolidBrush(color));
    RECT r = {0, 0, width, height};
    FillRect(dc, &r, brush);
    TOwnedEnhMetaFile metafile(CloseEnhMetaFile(dc));
    UINT size = GetEnhMetaFileBits(metafile, 0, nullptr);
    std::string bits(size, '\0');
    GetEnhMetaFileBits(metafile, size, reinterpret_cast<BYTE*>(&bits[0]));
    return bits;
}

std::string MakeIco(int size, TColor color)
{
    size_t colorStride = static_cast<size_t>(size) * 4;
    size_t maskStride = ((static_cast<size_t>(size) + 31) / 32) * 4;
    size_t imageSize = 40 + (colorStride + maskStride) * static_cast<size_t>(size);
    std::string bytes = Zeros(6 + 16 + imageSize);
    PutU16(bytes, 2, 1);
    PutU16(bytes, 4, 1);
    bytes[6] = static_cast<char>(size);
    bytes[7] = static_cast<char>(size);
    PutU16(bytes, 6 + 4, 1);
    PutU16(bytes, 6 + 6, 32);
    PutU32(bytes, 6 + 8, static_cast<unsigned long>(imageSize));
    PutU32(bytes, 6 + 12, 22);
    size_t image = 22;
    PutU32(bytes, image, 40);
    PutU32(bytes, image + 4, static_cast<unsigned long>(size));
    PutU32(bytes, image + 8, static_cast<unsigned long>(size * 2));
    PutU16(bytes, image + 12, 1);
    PutU16(bytes, image + 14, 32);
    size_t pixels = image + 40;
    size_t mask = pixels + colorStride * static_cast<size_t>(size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            size_t at = pixels + static_cast<size_t>(y) * colorStride + static_cast<size_t>(x) * 4;
            bool opaque = x < size / 2;
            bytes[at] = static_cast<char>(GetBValue(color));
            bytes[at + 1] = static_cast<char>(GetGValue(color));
            bytes[at + 2] = static_cast<char>(GetRValue(color));
            bytes[at + 3] = static_cast<char>(opaque ? 0xFF : 0x00);
            if (!opaque)
                bytes[mask + static_cast<size_t>(y) * maskStride + static_cast<size_t>(x / 8)] |=
                    static_cast<char>(0x80 >> (x % 8));
        }
    }
    return bytes;
}
