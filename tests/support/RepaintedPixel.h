// Reading back what a window shows: the window and its children are repainted
// in full first, so that the pixel is the one the latest state paints.
#pragma once

#include <windows.h>

enum class TPixelArea { Client, WholeWindow };

// A pixel of the client area, or of the whole window with its frame.
COLORREF RepaintedPixel(HWND window, int x, int y, TPixelArea area = TPixelArea::Client);
