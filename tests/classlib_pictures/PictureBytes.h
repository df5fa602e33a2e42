// Picture files made by the tests at run time: BMP, JPEG (encoded with libjpeg),
// Windows and enhanced metafiles (recorded with GDI) and icon files.
#pragma once

#include "Colors.h"
#include "TBitmap.h"
#include "TMemoryStream.h"

#include <memory>
#include <string>
#include <vector>

// A memory stream holding the bytes, positioned at the start.
class StreamOf : public TMemoryStream {
public:
    explicit StreamOf(const std::string& bytes)
    {
        WriteBuffer(bytes.data(), bytes.size());
        SetPosition(0);
    }
};

// The graphic drawn stretched onto a white bitmap of the given size.
std::unique_ptr<TBitmap> RenderOnWhite(TGraphic& graphic, int width, int height);

// A BMP file of `bitCount` bits (1, 8, 24, 32): the left half of the picture
// `left`, the right half `right`; negative height gives rows top-down.
std::string MakeBmp(int width, int height, int bitCount, TColor left, TColor right);
// A JPEG file of a picture whose left half is `left` and right half `right`.
std::string MakeJpeg(int width, int height, TColor left, TColor right, bool grayscale = false);
// A metafile of the given pixel frame, filled with `color`.
std::string MakeWmf(int width, int height, TColor color, bool placeable);
std::string MakeEmf(int width, int height, TColor color);
// An icon file of one 32-bit image: the left half `color`, the right half transparent.
std::string MakeIco(int size, TColor color);

// The bytes as a little-endian number at an offset, written in place.
void PutU16(std::string& bytes, size_t offset, unsigned value);
void PutU32(std::string& bytes, size_t offset, unsigned long value);

// Metafiles recorded by GDI with a record of each kind that carries counts,
// indices, regions, pattern brushes or bitmaps (polygons, poly-polygons, text,
// fonts, pens, regions, palettes, gradients, bitmaps), drawn over a white frame
// of 64 x 48 pixels.
std::string MakeRichEmf();
std::string MakeRichWmf();
// A Windows metafile recorded by GDI whose picture is a filled region, and one
// filled with a pattern brush, both in `color` over 40 x 20 pixels.
std::string MakeRegionWmf(TColor color);
std::string MakePatternBrushWmf(TColor color);

// A metafile with one more record before its end record, its header's sizes set.
std::string WithEnhancedRecord(const std::string& emf, const std::string& record);
std::string WithWindowsRecord(const std::string& wmf, const std::string& record);
// A record of the given kind: its size, then the 32-bit (enhanced) or 16-bit
// (Windows) fields, then the bytes.
std::string EnhancedRecord(unsigned long type, const std::vector<unsigned long>& fields,
                           const std::string& tail = std::string());
std::string WindowsRecord(unsigned function, const std::vector<unsigned>& params,
                          const std::string& tail = std::string());

// Crafted metafiles, each with one record that makes a player follow a count,
// an index or an address outside the data: the extension and the bytes.
struct TCraftedMetafile {
    std::string name, extension, bytes;
};
std::vector<TCraftedMetafile> CraftedMetafiles();
