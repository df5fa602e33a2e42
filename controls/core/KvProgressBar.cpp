// Progress bars: a frame, a background and a gradient-filled bar.
#include "KvProgressBar.h"

#include "KvCommon.h"
#include "KvGrafx.h"
#include "StoreChanged.h"

#include <algorithm>

TKvProgressBar::TKvProgressBar(TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle(ControlStyle() + csOpaque);
    SetBounds(0, 0, 150, 16);
}

int TKvProgressBar::ScaledExtent(std::int64_t complete, std::int64_t total, int extent)
{
    if (total <= 0 || complete <= 0 || extent <= 0)
        return 0;
    if (complete >= total)
        return extent;
    // An 80-bit (or wider) product holds any 64-bit count times a screen width exactly enough.
    long double part = static_cast<long double>(complete) * extent / static_cast<long double>(total);
    return std::clamp(static_cast<int>(part), 0, extent);
}

RECT TKvProgressBar::InteriorRect()
{
    RECT rect = ClientRect();
    int inset = std::max(0, borderWidth_) + std::max(0, interiorOffset_);
    InflateRect(&rect, -inset, -inset);
    if (rect.right < rect.left)
        rect.right = rect.left;
    if (rect.bottom < rect.top)
        rect.bottom = rect.top;
    return rect;
}

int TKvProgressBar::FilledWidth()
{
    RECT interior = InteriorRect();
    return ScaledExtent(partsComplete_, totalParts_, interior.right - interior.left);
}

void TKvProgressBar::PositionChanged(int filledBefore)
{
    if (FilledWidth() != filledBefore)
        Invalidate();
}

void TKvProgressBar::SetTotalParts(std::int64_t value)
{
    if (value == totalParts_)
        return;
    int before = FilledWidth();
    totalParts_ = value;
    PositionChanged(before);
}

void TKvProgressBar::SetPartsComplete(std::int64_t value)
{
    if (value == partsComplete_)
        return;
    int before = FilledWidth();
    partsComplete_ = value;
    PositionChanged(before);
}

void TKvProgressBar::SetBorderWidth(int value)
{
    if (!StoreChanged(borderWidth_, value))
        return;
    Invalidate();
}

void TKvProgressBar::SetInteriorOffset(int value)
{
    if (!StoreChanged(interiorOffset_, value))
        return;
    Invalidate();
}

void TKvProgressBar::SetBarColor(TColor value)
{
    if (!StoreChanged(barColor_, value))
        return;
    Invalidate();
}

void TKvProgressBar::Paint()
{
    TCanvas* canvas = Canvas();
    RECT client = ClientRect();
    canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(client);
    canvas->Brush()->SetColor(clBtnShadow);
    RECT frame = client;
    for (int i = 0; i < borderWidth_; ++i) {
        canvas->FrameRect(frame);
        InflateRect(&frame, -1, -1);
    }
    RECT bar = InteriorRect();
    bar.right = bar.left + FilledWidth();
    if (bar.right > bar.left && bar.bottom > bar.top)
        KvGrafx::GradientFillRect(canvas, bar, KvGrafx::gdHorizontalEnd, KvCommon::LightenColor(barColor_, 60),
                                  barColor_, 1);
}
