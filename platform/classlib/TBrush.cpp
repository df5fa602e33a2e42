// Brushes made on demand.
#include "TBrush.h"

#include "StoreChanged.h"
#include "TBitmap.h"

void TBrush::Change()
{
    handle_.Reset();
    Changed();
}

void TBrush::SetColor(TColor color)
{
    if (color == color_ && style_ != TBrushStyle::bsClear)
        return;
    color_ = color;
    if (style_ == TBrushStyle::bsClear)
        style_ = TBrushStyle::bsSolid;
    Change();
}

void TBrush::SetStyle(TBrushStyle style)
{
    if (!StoreChanged(style_, style))
        return;
    Change();
}

void TBrush::SetBitmap(TBitmap* bitmap)
{
    if (!StoreChanged(bitmap_, bitmap))
        return;
    Change();
}

HBRUSH TBrush::Handle()
{
    if (handle_.IsNull()) {
        if (bitmap_ != nullptr && !bitmap_->Empty()) {
            handle_.Reset(CreatePatternBrush(bitmap_->Handle()));
        } else if (style_ == TBrushStyle::bsSolid) {
            handle_.Reset(CreateSolidBrush(ColorToRGB(color_)));
        } else if (style_ == TBrushStyle::bsClear) {
            LOGBRUSH log = {BS_NULL, 0, 0};
            handle_.Reset(CreateBrushIndirect(&log));
        } else {
            static const int hatches[] = {HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
            handle_.Reset(CreateHatchBrush(hatches[static_cast<int>(style_) - 2], ColorToRGB(color_)));
        }
    }
    return handle_.Get();
}

void TBrush::Assign(TPersistent* source)
{
    auto* brush = dynamic_cast<TBrush*>(source);
    if (brush == nullptr) {
        TGraphicsObject::Assign(source);
        return;
    }
    if (brush == this)
        return;
    color_ = brush->color_;
    style_ = brush->style_;
    bitmap_ = brush->bitmap_;
    Change();
}
