// KvGrafx: the library's drawing routines: gradient fills in ten directions,
// transparent and tiled bitmap copies, and painting a parent's picture behind a
// control.
#pragma once

#include "Colors.h"

#include <windows.h>

class TCanvas;
class TBitmap;
class TControl;

namespace KvGrafx {

enum TGradientDirection : BYTE {
    gdDiagonalUp,          // 0: from the top-left corner toward the bottom-right
    gdDiagonalDown,        // 1: the same, mirrored left to right
    gdHorizontalEnd,       // 2: start at the top, stop at the bottom
    gdHorizontalCenter,    // 3: start at top and bottom, stop in the middle
    gdHorizontalBox,       // 4: rectangular, flat sides a quarter of the width
    gdVerticalEnd,         // 5: start at the left, stop at the right
    gdVerticalCenter,      // 6: start at left and right, stop in the middle
    gdVerticalBox,         // 7: rectangular, flat top and bottom a quarter of the height
    gdSquareBox,           // 8: rectangular
    gdBigSquareBox         // 9: rectangular, flat a quarter of the height and of the width
};

// Fills a rectangle (either way round) with a gradient from start to stop.
// Smoothness merges lines into bands: 1 gives one band per distinct colour.
void GradientFillRect(TCanvas* canvas, const RECT& rect, TGradientDirection direction, TColor startColor,
                      TColor stopColor, BYTE smoothness);

// Copies a part of a bitmap, stretched to the destination, leaving the canvas
// untouched wherever the bitmap has the transparent colour.
void BlitTransparent(TCanvas* canvas, const RECT& dest, TBitmap* bitmap, const RECT& source,
                     TColor transparentColor);

// Covers the rectangle with copies of the bitmap, row by row, the last ones clipped.
void TileBitmap(TCanvas* canvas, TBitmap* bitmap, const RECT& rect);

// Paints the part of the parent's picture that lies behind the control into a
// context of the control; with the flag set the parent is also invalidated when
// it cannot be asked to paint into a context (it is neither a custom control nor a form).
void PaintParentBehind(TControl* control, HDC dc, bool invalidateParent);
void PaintParentBehind(TControl* control, TCanvas* canvas, bool invalidateParent);

} // namespace KvGrafx
