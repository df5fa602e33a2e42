// Picture files made by the tests at run time: BMP, JPEG (encoded with libjpeg),
// Windows and enhanced metafiles (recorded with GDI) and icon files.
#pragma once

#include "Colors.h"
#include "TMemoryStream.h"

#include <string>

// A memory stream holding the bytes, positioned at the start.
class StreamOf : public TMemoryStream {
public:
    explicit StreamOf(const std::string& bytes)
    {
        WriteBuffer(bytes.data(), bytes.size());
        SetPosition(0);
    }
};

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
