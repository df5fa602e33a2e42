// A BMP file read back for checks: its two headers and its pixels, and the
// virtual camera's frame that the pixels show.
#pragma once

#include <windows.h>

#include <string>

struct BmpFile {
    bool valid = false;
    std::string problem;
    std::string bytes;  // the whole file
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    const BYTE* Pixels() const { return reinterpret_cast<const BYTE*>(bytes.data()) + file.bfOffBits; }
};

BmpFile ReadBmpFile(const std::string& path);
// The frame number (low byte) of the camera's synthetic picture that the
// 24-bit pixels show, or -1 when they show none.
int MatchSyntheticFrame(const BmpFile& bmp);
