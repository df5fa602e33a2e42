// TKvProgressBar: a painted progress bar over 64-bit totals (bytes of an
// install), scaled to the bar's width without overflow.
#pragma once

#include "TCustomControl.h"

#include <cstdint>

class TKvProgressBar : public TCustomControl {
public:
    CLASSLIB_CLASS_NAME(TKvProgressBar)
    explicit TKvProgressBar(TComponent* owner);

    std::int64_t TotalParts() const { return totalParts_; }
    void SetTotalParts(std::int64_t value);
    std::int64_t PartsComplete() const { return partsComplete_; }
    void SetPartsComplete(std::int64_t value);
    // The frame's thickness, and the gap between the frame and the bar.
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    int InteriorOffset() const { return interiorOffset_; }
    void SetInteriorOffset(int value);
    TColor BarColor() const { return barColor_; }
    void SetBarColor(TColor value);

    // The rectangle the bar may fill, and how much of its width is filled.
    RECT InteriorRect();
    int FilledWidth();
    // `complete` of `total` parts as a part of `extent` pixels, 0 to extent.
    static int ScaledExtent(std::int64_t complete, std::int64_t total, int extent);

protected:
    void Paint() override;

private:
    // Repaints only when the filled width changes: a busy install sets the
    // position far more often than the bar can show a difference.
    void PositionChanged(int filledBefore);

    std::int64_t totalParts_ = 0;
    std::int64_t partsComplete_ = 0;
    int borderWidth_ = 1;
    int interiorOffset_ = 1;
    TColor barColor_ = clHighlight;
};
