// Gradients, transparent and tiled copies, and parent backgrounds.
#include "KvGrafx.h"

#include "GdiHandles.h"
#include "TBitmap.h"
#include "TCustomControl.h"
#include "TForm.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace KvGrafx {
namespace {

// The colour of each line of a run from start to stop, stepped in 16.16 fixed point.
class ColorRun {
public:
    ColorRun(TColor start, TColor stop, int lines)
    {
        int from[3] = {GetRValue(start), GetGValue(start), GetBValue(start)};
        int to[3] = {GetRValue(stop), GetGValue(stop), GetBValue(stop)};
        for (int c = 0; c < 3; ++c) {
            base_[c] = static_cast<long long>(from[c]) << 16;
            step_[c] = lines > 0 ? ((static_cast<long long>(to[c]) << 16) - base_[c]) / lines : 0;
        }
    }
    COLORREF At(int line) const
    {
        int channel[3];
        for (int c = 0; c < 3; ++c)
            channel[c] = static_cast<int>((base_[c] + step_[c] * line) >> 16);
        return RGB(channel[0], channel[1], channel[2]);
    }

private:
    long long base_[3] = {};
    long long step_[3] = {};
};

// The lines a band takes at least beyond its first.
int BandExtra(BYTE smoothness, bool rectangular)
{
    int v = smoothness;
    if (v > 8)
        v = (rectangular ? 256 : 255) / v + 1;
    return std::max(v - 1, 0);
}

// Walks the bands of a run: each band starts at `first`, takes at least
// extra + 1 lines and goes on while the lines keep the band's own colour (a
// line compared with its neighbour instead would let a band swallow the next
// colours whenever they span more than one line).
template <typename PaintBand>
void ForEachBand(const ColorRun& run, int lines, int extra, PaintBand paint)
{
    int first = 0;
    while (first < lines) {
        COLORREF color = run.At(first);
        int end = std::min(first + extra + 1, lines);
        while (end < lines && run.At(end) == color)
            ++end;
        paint(first, end, color);
        first = end;
    }
}

class SolidBrush {
public:
    explicit SolidBrush(COLORREF color) : brush_(CreateSolidBrush(color)) {}
    HBRUSH Get() const { return brush_.Get(); }

private:
    TOwnedBrush brush_;
};

void FillSolid(HDC dc, const RECT& rect, COLORREF color)
{
    SolidBrush brush(color);
    ::FillRect(dc, &rect, brush.Get());
}

// Straight directions: one strip 8 pixels deep, then copies that double it.
void PaintStraight(HDC dc, int width, int height, bool vertical, bool fromBothEdges, COLORREF start,
                   COLORREF stop, int extra)
{
    const int strip = 8;
    int lines = vertical ? height : width;
    int depth = std::min(strip, vertical ? width : height);
    auto paintRun = [&](int offset, int count, bool reversed) {
        ColorRun run(start, stop, count);
        ForEachBand(run, count, extra, [&](int first, int end, COLORREF color) {
            int a = reversed ? offset + count - end : offset + first;
            int b = reversed ? offset + count - first : offset + end;
            RECT band = vertical ? RECT{0, a, depth, b} : RECT{a, 0, b, depth};
            FillSolid(dc, band, color);
        });
    };
    if (fromBothEdges) {
        int split = lines / 2;
        paintRun(0, split, false);
        paintRun(split, lines - split, true);
    } else {
        paintRun(0, lines, false);
    }
    int extent = vertical ? width : height;
    for (int done = depth; done < extent; done *= 2) {
        int copy = std::min(done, extent - done);
        if (vertical)
            BitBlt(dc, done, 0, copy, height, dc, 0, 0, SRCCOPY);
        else
            BitBlt(dc, 0, done, width, copy, dc, 0, 0, SRCCOPY);
    }
}

// Diagonal directions: bands of equal x + y (or of equal (width - x) + y when mirrored).
void PaintDiagonal(HDC dc, int width, int height, bool mirrored, COLORREF start, COLORREF stop, int extra)
{
    int lines = width + height - 1;
    ColorRun run(start, stop, lines);
    TOwnedPen pen(CreatePen(PS_NULL, 0, 0));
    TSelectObject selectedPen(dc, pen.Get());
    ForEachBand(run, lines, extra, [&](int first, int end, COLORREF color) {
        SolidBrush brush(color);
        TSelectObject selectedBrush(dc, brush.Get());
        // Pixel (x, y) lies on diagonal x + y, its centre on the line X + Y = x + y + 1.
        // The band's outline runs from its first diagonal one past its end; the
        // next band paints over that overlap.
        int a = first, b = end + 1;
        std::vector<POINT> points;
        if (!mirrored)
            points = {{a, 0}, {b, 0}, {0, b}, {0, a}};
        else
            points = {{width - a, 0}, {width - b, 0}, {width, b}, {width, a}};
        ::Polygon(dc, points.data(), static_cast<int>(points.size()));
    });
}

// Rectangular directions: nested rectangles shrinking toward the centre, painted
// in the top-left quadrant and mirrored into the other three.
void PaintRectangular(HDC dc, int width, int height, int insetX, int insetY, COLORREF start, COLORREF stop,
                      int extra)
{
    FillSolid(dc, RECT{0, 0, width, height}, start);
    int halfW = width / 2, halfH = height / 2;
    int spanX = std::max(halfW - insetX, 0), spanY = std::max(halfH - insetY, 0);
    int steps = std::max(spanX, spanY) + 1;
    int quadrantW = (width + 1) / 2, quadrantH = (height + 1) / 2;
    ColorRun run(start, stop, steps);
    ForEachBand(run, steps, extra, [&](int first, int, COLORREF color) {
        int left = insetX + (steps > 1 ? MulDiv(first, spanX, steps - 1) : 0);
        int top = insetY + (steps > 1 ? MulDiv(first, spanY, steps - 1) : 0);
        FillSolid(dc, RECT{left, top, quadrantW, quadrantH}, color);
    });
    // Top-right is the top-left mirrored, then the bottom half the top mirrored.
    StretchBlt(dc, width - 1, 0, -quadrantW, quadrantH, dc, 0, 0, quadrantW, quadrantH, SRCCOPY);
    StretchBlt(dc, 0, height - 1, width, -quadrantH, dc, 0, 0, width, quadrantH, SRCCOPY);
}

} // namespace

void GradientFillRect(TCanvas* canvas, const RECT& rect, TGradientDirection direction, TColor startColor,
                      TColor stopColor, BYTE smoothness)
{
    int width = std::abs(rect.right - rect.left), height = std::abs(rect.bottom - rect.top);
    if (width == 0 || height == 0 || canvas == nullptr)
        return;
    // A rectangle given right to left (or bottom to top) covers the same area.
    int x = std::min(rect.left, rect.right), y = std::min(rect.top, rect.bottom);
    COLORREF start = ColorToRGB(startColor) & 0xFFFFFF, stop = ColorToRGB(stopColor) & 0xFFFFFF;
    bool rectangular = direction == gdHorizontalBox || direction == gdVerticalBox || direction == gdSquareBox ||
                       direction == gdBigSquareBox;
    HDC target = canvas->Handle();
    if (start == stop) {
        // One colour: a single fill, whatever the direction.
        FillSolid(target, RECT{x, y, x + width, y + height}, start);
        return;
    }
    TBitmap image(width, height);
    HDC dc = image.Canvas()->Handle();
    int extra = BandExtra(smoothness, rectangular);
    switch (direction) {
    case gdDiagonalUp: PaintDiagonal(dc, width, height, false, start, stop, extra); break;
    case gdDiagonalDown: PaintDiagonal(dc, width, height, true, start, stop, extra); break;
    case gdHorizontalEnd: PaintStraight(dc, width, height, true, false, start, stop, extra); break;
    case gdHorizontalCenter: PaintStraight(dc, width, height, true, true, start, stop, extra); break;
    case gdVerticalEnd: PaintStraight(dc, width, height, false, false, start, stop, extra); break;
    case gdVerticalCenter: PaintStraight(dc, width, height, false, true, start, stop, extra); break;
    default:
        if (width < 5 || height <= 4) {
            FillSolid(dc, RECT{0, 0, width, height}, stop);
            break;
        }
        switch (direction) {
        case gdHorizontalBox: PaintRectangular(dc, width, height, width / 4, 0, start, stop, extra); break;
        case gdVerticalBox: PaintRectangular(dc, width, height, 0, height / 4, start, stop, extra); break;
        case gdBigSquareBox:
            PaintRectangular(dc, width, height, width / 4, height / 4, start, stop, extra);
            break;
        default: PaintRectangular(dc, width, height, 0, 0, start, stop, extra); break;
        }
        break;
    }
    BitBlt(target, x, y, width, height, dc, 0, 0, SRCCOPY);
}

void BlitTransparent(TCanvas* canvas, const RECT& dest, TBitmap* bitmap, const RECT& source,
                     TColor transparentColor)
{
    int width = dest.right - dest.left, height = dest.bottom - dest.top;
    if (canvas == nullptr || bitmap == nullptr || bitmap->Empty() || width <= 0 || height <= 0)
        return;
    TBitmap work(width, height);
    HDC workDC = work.Canvas()->Handle();
    SetStretchBltMode(workDC, COLORONCOLOR);
    StretchBlt(workDC, 0, 0, width, height, bitmap->Canvas()->Handle(), source.left, source.top,
               source.right - source.left, source.bottom - source.top, SRCCOPY);

    // The mask is white where the work bitmap has the transparent colour.
    TOwnedBitmap mask(CreateBitmap(width, height, 1, 1, nullptr));
    TMemoryDC maskDC;
    TSelectObject selectedMask(maskDC, mask.Get());
    COLORREF previousBack = SetBkColor(workDC, ColorToRGB(transparentColor) & 0xFFFFFF);
    BitBlt(maskDC, 0, 0, width, height, workDC, 0, 0, SRCCOPY);
    SetBkColor(workDC, previousBack);

    // Through the mask: target ^ work, kept only under the mask, ^ work again
    // gives the target where the mask is white and the work bitmap elsewhere.
    HDC target = canvas->Handle();
    COLORREF oldBack = SetBkColor(target, RGB(255, 255, 255));
    COLORREF oldText = SetTextColor(target, RGB(0, 0, 0));
    BitBlt(target, dest.left, dest.top, width, height, workDC, 0, 0, SRCINVERT);
    BitBlt(target, dest.left, dest.top, width, height, maskDC, 0, 0, SRCAND);
    BitBlt(target, dest.left, dest.top, width, height, workDC, 0, 0, SRCINVERT);
    SetBkColor(target, oldBack);
    SetTextColor(target, oldText);
}

void TileBitmap(TCanvas* canvas, TBitmap* bitmap, const RECT& rect)
{
    if (canvas == nullptr || bitmap == nullptr || bitmap->Empty())
        return;
    HDC target = canvas->Handle(), source = bitmap->Canvas()->Handle();
    int tileW = bitmap->Width(), tileH = bitmap->Height();
    for (int y = rect.top; y < rect.bottom; y += tileH) {
        int h = std::min(tileH, static_cast<int>(rect.bottom) - y);
        for (int x = rect.left; x < rect.right; x += tileW) {
            int w = std::min(tileW, static_cast<int>(rect.right) - x);
            BitBlt(target, x, y, w, h, source, 0, 0, SRCCOPY);
        }
    }
}

void PaintParentBehind(TControl* control, HDC dc, bool invalidateParent)
{
    if (control == nullptr || control->Parent() == nullptr || dc == nullptr)
        return;
    TWinControl* parent = control->Parent();
    {
        TSavedDC saved(dc);
        POINT origin = {};
        GetViewportOrgEx(dc, &origin);
        SetViewportOrgEx(dc, origin.x - control->Left(), origin.y - control->Top(), nullptr);
        RECT client = parent->ClientRect();
        IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
        parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
    if (invalidateParent && dynamic_cast<TCustomControl*>(parent) == nullptr &&
        dynamic_cast<TCustomForm*>(parent) == nullptr)
        parent->Invalidate();
}

void PaintParentBehind(TControl* control, TCanvas* canvas, bool invalidateParent)
{
    if (canvas != nullptr)
        PaintParentBehind(control, canvas->Handle(), invalidateParent);
}

} // namespace KvGrafx
