// A control's picture as its own paint messages draw it into a bitmap: erase,
// then paint, into a real memory device context. Other windows on the display
// cannot cover it.
#pragma once

#include "TBitmap.h"
#include "TWinControl.h"

class TCustomForm;

// Where these tests place their forms: the lower right of the test display, away
// from the windows whose pixels other suites read off the screen meanwhile.
constexpr int kQuietLeft = 820;
constexpr int kQuietTop = 600;

// Puts a form's window on the display without making it the active window, so
// that tests running beside it keep their keyboard focus.
void ShowInactive(TCustomForm* form);

class ControlSnapshot {
public:
    explicit ControlSnapshot(TWinControl* control);
    TColor At(int x, int y);
    // True when any pixel of the rectangle has the colour.
    bool HasColorIn(const RECT& rect, TColor color);
    int CountIn(const RECT& rect, TColor color);
    TBitmap& Bitmap() { return bitmap_; }

private:
    TBitmap bitmap_;
};
