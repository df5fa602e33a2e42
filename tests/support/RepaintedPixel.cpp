// Pixels read back from repainted windows.
#include "RepaintedPixel.h"

#include "OwnedDC.h"

COLORREF RepaintedPixel(HWND window, int x, int y, TPixelArea area)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const TWindowDC dc(window, area == TPixelArea::Client ? TWindowDCArea::Client : TWindowDCArea::WholeWindow);
    return GetPixel(dc, x, y);
}
