// The moving test picture of the virtual camera: a red/green gradient whose
// blue channel is the frame number's low byte, crossed by a white bar that
// moves 4 pixels per frame. Shared with the tests that check grabbed pixels,
// which also ask which frame some pixels show.
#pragma once

#include <windows.h>

#include <cstring>
#include <vector>

namespace Vcam {

struct Rgb {
    BYTE r, g, b;
};

constexpr int kBarWidth = 8;

// Colour of the pixel at column x, row y (row 0 at the top) of frame `frame`.
inline Rgb SyntheticPixel(int x, int y, int width, int height, unsigned frame)
{
    const BYTE tint = static_cast<BYTE>(frame & 0xFF);
    const int bar = width > 0 ? static_cast<int>((tint * 4u) % static_cast<unsigned>(width)) : 0;
    if (x >= bar && x < bar + kBarWidth)
        return {255, 255, 255};
    const int spanX = width > 1 ? width - 1 : 1;
    const int spanY = height > 1 ? height - 1 : 1;
    return {static_cast<BYTE>(x * 255 / spanX), static_cast<BYTE>(y * 255 / spanY), tint};
}

// Bytes in one row of a 24-bit DIB: rows are padded to 4 bytes.
inline int RowBytes24(int width)
{
    return (width * 3 + 3) & ~3;
}

// Fills a bottom-up 24-bit DIB of RowBytes24(width) * height bytes.
inline void PaintSyntheticFrame(BYTE* bits, int width, int height, unsigned frame)
{
    const int stride = RowBytes24(width);
    for (int y = 0; y < height; ++y) {
        BYTE* row = bits + static_cast<size_t>(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            const Rgb c = SyntheticPixel(x, y, width, height, frame);
            row[x * 3 + 0] = c.b;
            row[x * 3 + 1] = c.g;
            row[x * 3 + 2] = c.r;
        }
        for (int pad = width * 3; pad < stride; ++pad)
            row[pad] = 0;
    }
}

// The frame number (low byte) whose picture the bottom-up 24-bit pixels of
// RowBytes24(width) * height bytes show, the row padding aside; -1 when none.
inline int MatchSyntheticFrame(const BYTE* bits, int width, int height)
{
    if (!bits || width <= 0 || height <= 0)
        return -1;
    const size_t stride = static_cast<size_t>(RowBytes24(width));
    std::vector<BYTE> expected(stride * static_cast<size_t>(height));
    for (unsigned frame = 0; frame < 256; ++frame) {
        PaintSyntheticFrame(expected.data(), width, height, frame);
        bool same = true;
        for (int y = 0; y < height && same; ++y) {
            const size_t row = static_cast<size_t>(y) * stride;
            same = std::memcmp(expected.data() + row, bits + row, static_cast<size_t>(width) * 3) == 0;
        }
        if (same)
            return static_cast<int>(frame);
    }
    return -1;
}

}  // namespace Vcam
