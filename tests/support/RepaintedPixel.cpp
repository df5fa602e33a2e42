// Pixels read back from repainted windows.
#include "RepaintedPixel.h"

COLORREF RepaintedPixel(HWND window, int x, int y, TPixelArea area)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC dc = area == TPixelArea::Client ? GetDC(window) : GetWindowDC(window);
    COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return color;
}
