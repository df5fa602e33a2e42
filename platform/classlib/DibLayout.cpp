// Bitmap layouts inside untrusted data.
#include "DibLayout.h"

#include <windows.h>

namespace DibLayout {
namespace {

struct TLayout {
    long long width = 0, height = 0;
    unsigned bitCount = 0;
    std::uint32_t compression = BI_RGB;
    std::uint32_t sizeImage = 0;
    size_t infoBytes = 0; // header, masks and colour table
};

TLayout ReadLayout(const TByteReader& data, size_t offset, size_t size, bool paletteIndices)
{
    TLayout layout;
    if (size < 12)
        data.Fail("bitmap header is truncated");
    std::uint32_t headerSize = data.U32(offset);
    bool core = headerSize == 12;
    std::uint32_t colorsUsed = 0;
    if (core) {
        layout.width = data.U16(offset + 4);
        layout.height = data.U16(offset + 6);
        layout.bitCount = data.U16(offset + 10);
    } else {
        if (headerSize < 40 || headerSize > size)
            data.Fail("bitmap header has an invalid size");
        layout.width = data.I32(offset + 4);
        layout.height = data.I32(offset + 8);
        layout.bitCount = data.U16(offset + 14);
        layout.compression = data.U32(offset + 16);
        layout.sizeImage = data.U32(offset + 20);
        colorsUsed = data.U32(offset + 32);
    }
    TGraphic::CheckSize(layout.width, layout.height < 0 ? -layout.height : layout.height, "Embedded bitmap");
    unsigned bits = layout.bitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        data.Fail("embedded bitmap of " + std::to_string(bits) + " bits per pixel is not supported");
    std::uint32_t compression = layout.compression;
    if (!(compression == BI_RGB || (compression == BI_RLE8 && bits == 8) || (compression == BI_RLE4 && bits == 4) ||
          (compression == BI_BITFIELDS && (bits == 16 || bits == 32))))
        data.Fail("embedded bitmap compression " + std::to_string(compression) + " is not supported");
    unsigned long long palette = 0;
    if (bits <= 8) {
        if (colorsUsed > (1u << bits))
            data.Fail("embedded bitmap palette is too large");
        palette = colorsUsed != 0 ? colorsUsed : 1u << bits;
    } else {
        // A table nobody needs, but GDI may read it.
        if (colorsUsed > 256)
            data.Fail("embedded bitmap palette is too large");
        palette = colorsUsed;
    }
    unsigned long long entry = paletteIndices ? 2 : (core ? 3 : 4);
    unsigned long long masks = compression == BI_BITFIELDS && headerSize == 40 ? 12 : 0;
    unsigned long long info = static_cast<unsigned long long>(core ? 12 : headerSize) + masks + palette * entry;
    if (info > size)
        data.Fail("embedded bitmap colour table is truncated");
    layout.infoBytes = static_cast<size_t>(info);
    return layout;
}

void CheckRows(const TByteReader& data, const TLayout& layout, size_t bitsSize)
{
    if (layout.compression == BI_RLE8 || layout.compression == BI_RLE4) {
        if (layout.sizeImage == 0 || layout.sizeImage > bitsSize)
            data.Fail("embedded bitmap's compressed rows are truncated");
        return;
    }
    unsigned long long stride = ((static_cast<unsigned long long>(layout.width) * layout.bitCount + 31) / 32) * 4;
    unsigned long long rows = static_cast<unsigned long long>(layout.height < 0 ? -layout.height : layout.height);
    if (stride * rows > bitsSize)
        data.Fail("embedded bitmap's rows are truncated");
}

} // namespace

void Check(const TByteReader& data, size_t infoOffset, size_t infoSize, size_t bitsOffset, size_t bitsSize,
           bool paletteIndices)
{
    data.Require(infoOffset, infoSize);
    data.Require(bitsOffset, bitsSize);
    TLayout layout = ReadLayout(data, infoOffset, infoSize, paletteIndices);
    CheckRows(data, layout, bitsSize);
}

void CheckPacked(const TByteReader& data, size_t offset, size_t size, bool paletteIndices)
{
    data.Require(offset, size);
    TLayout layout = ReadLayout(data, offset, size, paletteIndices);
    CheckRows(data, layout, size - layout.infoBytes);
}

} // namespace DibLayout
