// Bitmap headers and layouts inside untrusted data.
#include "DibLayout.h"

#include <windows.h>

namespace DibLayout {

bool THeader::Compressed() const { return compression == BI_RLE8 || compression == BI_RLE4; }

THeader ReadHeader(const TByteReader& data, size_t offset, size_t size, TColorTable table, const char* kind)
{
    THeader header;
    const std::string what = kind;
    data.Require(offset, size);
    if (size < 12)
        data.Fail(what + " header is truncated");
    header.headerSize = data.U32(offset);
    header.core = header.headerSize == 12;
    std::uint32_t h = header.headerSize;
    if (!header.core && h != 40 && h != 52 && h != 56 && h != 64 && h != 108 && h != 124)
        data.Fail(what + " header of " + std::to_string(h) + " bytes is not supported");
    if (h > size)
        data.Fail(what + " header is truncated");
    std::uint32_t colorsUsed = 0;
    if (header.core) {
        header.width = data.U16(offset + 4);
        header.height = data.U16(offset + 6);
        header.bitCount = data.U16(offset + 10);
        header.compression = BI_RGB;
    } else {
        header.width = data.I32(offset + 4);
        header.height = data.I32(offset + 8);
        header.bitCount = data.U16(offset + 14);
        header.compression = data.U32(offset + 16);
        header.sizeImage = data.U32(offset + 20);
        colorsUsed = data.U32(offset + 32);
    }
    TGraphic::CheckSize(header.width, header.Rows(), kind);
    unsigned bits = header.bitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        data.Fail(what + " of " + std::to_string(bits) + " bits per pixel is not supported");
    std::uint32_t compression = header.compression;
    if (!(compression == BI_RGB || (compression == BI_RLE8 && bits == 8) || (compression == BI_RLE4 && bits == 4) ||
          (compression == BI_BITFIELDS && (bits == 16 || bits == 32))))
        data.Fail(what + " compression " + std::to_string(compression) + " is not supported");
    if (header.Compressed() && header.TopDown())
        data.Fail(what + " is compressed and top-down, which is not allowed");

    size_t after = header.core ? 12 : h;
    if (compression == BI_BITFIELDS) {
        // The masks follow a version-3 header and are part of every later one.
        header.masksOffset = h == 40 ? after : 40;
        if (h == 40)
            after += 12;
        if (header.masksOffset + 12 > size)
            data.Fail(what + " colour masks are truncated");
        for (size_t i = 0; i < 3; ++i)
            header.masks[i] = data.U32(offset + header.masksOffset + 4 * i);
    }
    if (bits <= 8) {
        if (colorsUsed > (1u << bits))
            data.Fail(what + " palette of " + std::to_string(colorsUsed) + " colours is too large");
        header.colors = colorsUsed != 0 ? colorsUsed : 1u << bits;
    } else {
        // A table nobody needs, but GDI may read it.
        if (colorsUsed > 256)
            data.Fail(what + " palette of " + std::to_string(colorsUsed) + " colours is too large");
        header.colors = colorsUsed;
    }
    header.entrySize = table == TColorTable::none ? 0 : table == TColorTable::paletteIndices ? 2 : (header.core ? 3 : 4);
    header.tableOffset = after;
    unsigned long long info = after + static_cast<unsigned long long>(header.colors) * header.entrySize;
    if (info > size)
        data.Fail(what + " colour table is truncated");
    header.infoBytes = static_cast<size_t>(info);
    return header;
}

namespace {

void CheckRows(const TByteReader& data, const THeader& header, size_t bitsSize)
{
    if (header.Compressed()) {
        if (header.sizeImage == 0 || header.sizeImage > bitsSize)
            data.Fail("embedded bitmap's compressed rows are truncated");
        return;
    }
    if (header.Stride() * static_cast<unsigned long long>(header.Rows()) > bitsSize)
        data.Fail("embedded bitmap's rows are truncated");
}

} // namespace

THeader Check(const TByteReader& data, size_t infoOffset, size_t infoSize, size_t bitsOffset, size_t bitsSize,
              TColorTable table)
{
    data.Require(bitsOffset, bitsSize);
    THeader header = ReadHeader(data, infoOffset, infoSize, table, "Embedded bitmap");
    CheckRows(data, header, bitsSize);
    return header;
}

THeader CheckPacked(const TByteReader& data, size_t offset, size_t size, TColorTable table)
{
    THeader header = ReadHeader(data, offset, size, table, "Embedded bitmap");
    CheckRows(data, header, size - header.infoBytes);
    return header;
}

} // namespace DibLayout
