// DibLayout: the one reader of device-independent bitmap headers in untrusted
// data (BMP files, icon images, bitmaps inside metafile records): it reads the
// header of any version, checks its size, depth, compression and colour table,
// and checks that a bitmap lies wholly inside the bytes given for it before GDI
// reads it.
#pragma once

#include "TByteReader.h"

#include <cstdint>

namespace DibLayout {

// How the colour table's entries are stored: RGB quads, 16-bit palette indices
// (DIB_PAL_COLORS), or not at all (DIB_PAL_INDICES, as monochrome brushes have it).
enum class TColorTable { rgbQuads, paletteIndices, none };

struct THeader {
    std::uint32_t headerSize = 0;     // 12 for the OS/2 core header
    bool core = false;
    long long width = 0, height = 0;  // height as stored: negative for rows top-down
    unsigned bitCount = 0;
    std::uint32_t compression = 0;    // BI_RGB, BI_RLE8, BI_RLE4 or BI_BITFIELDS
    std::uint32_t sizeImage = 0;
    std::uint32_t colors = 0;         // entries of the colour table
    std::uint32_t masks[3] = {};      // red, green and blue with bit fields
    size_t masksOffset = 0;           // where the masks stand, from the header's start
    size_t entrySize = 0;             // bytes of one colour table entry
    size_t tableOffset = 0;           // where the colour table starts, from the header's start
    size_t infoBytes = 0;             // header, masks and colour table
    long long Rows() const { return height < 0 ? -height : height; }
    bool TopDown() const { return height < 0; }
    bool Compressed() const;
    // Bytes of one uncompressed row, padded to 32 bits.
    unsigned long long Stride() const { return ((static_cast<unsigned long long>(width) * bitCount + 31) / 32) * 4; }
};

// Reads and checks the header at `offset`, which with its masks and colour table
// must fit in `size` bytes; `kind` names the picture in errors. Raises EInvalidGraphic.
THeader ReadHeader(const TByteReader& data, size_t offset, size_t size, TColorTable table, const char* kind);
// The header and colour table at `infoOffset` (at most `infoSize` bytes) and the
// pixel rows at `bitsOffset` (at most `bitsSize` bytes). Gives the header.
THeader Check(const TByteReader& data, size_t infoOffset, size_t infoSize, size_t bitsOffset, size_t bitsSize,
              TColorTable table);
// A packed bitmap: header, colour table and rows one after the other in `size` bytes.
THeader CheckPacked(const TByteReader& data, size_t offset, size_t size, TColorTable table);

} // namespace DibLayout
