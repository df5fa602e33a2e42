// TBrush: the fill of areas, a solid colour, a hatch, nothing (clear) or a pattern
// bitmap; the GDI brush is made on demand.
#pragma once

#include "Colors.h"
#include "GdiHandles.h"
#include "TGraphicsObject.h"

class TBitmap;

enum class TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
public:
    CLASSLIB_CLASS_NAME(TBrush)

    TColor Color() const { return color_; }
    // A colour also makes a clear brush solid again.
    void SetColor(TColor color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);
    // A pattern bitmap (not owned; it must outlive its use). Null returns to Style.
    TBitmap* Bitmap() const { return bitmap_; }
    void SetBitmap(TBitmap* bitmap);

    HBRUSH Handle();
    void Assign(TPersistent* source) override;

private:
    void Change();

    TColor color_ = clWhite;
    TBrushStyle style_ = TBrushStyle::bsSolid;
    TBitmap* bitmap_ = nullptr;
    TOwnedBrush handle_;
};
