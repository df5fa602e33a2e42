// Bevels: a lowered bevel is dark at the top-left and light at the bottom-right,
// a raised one the other way round.
#include "TBevel.h"

#include "StoreChanged.h"

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 50, 50); }

void TBevel::SetShape(TBevelShape value)
{
    if (!StoreChanged(shape_, value))
        return;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle value)
{
    if (!StoreChanged(style_, value))
        return;
    Invalidate();
}

void TBevel::Paint()
{
    TCanvas* canvas = Canvas();
    TColor first = style_ == TBevelStyle::bsLowered ? clBtnShadow : clBtnHighlight;
    TColor second = style_ == TBevelStyle::bsLowered ? clBtnHighlight : clBtnShadow;
    int right = Width() - 1, bottom = Height() - 1;
    auto line = [canvas](TColor color, int x1, int y1, int x2, int y2) {
        canvas->Pen()->SetColor(color);
        canvas->MoveTo(x1, y1);
        canvas->LineTo(x2, y2);
    };
    // The top or left edge of the two, and the one beside it.
    switch (shape_) {
    case TBevelShape::bsBox:
        line(first, 0, bottom, 0, 0);
        line(first, 0, 0, right, 0);
        line(second, right, 0, right, bottom);
        line(second, right, bottom, 0, bottom);
        break;
    case TBevelShape::bsFrame:
        // Two nested boxes: the etched groove.
        line(first, 0, bottom - 1, 0, 0);
        line(first, 0, 0, right - 1, 0);
        line(first, right - 1, 0, right - 1, bottom - 1);
        line(first, right - 1, bottom - 1, 0, bottom - 1);
        line(second, 1, bottom - 1, 1, 1);
        line(second, 1, 1, right - 1, 1);
        line(second, right, 0, right, bottom);
        line(second, right, bottom, 0, bottom);
        break;
    case TBevelShape::bsTopLine:
        line(first, 0, 0, Width(), 0);
        line(second, 0, 1, Width(), 1);
        break;
    case TBevelShape::bsBottomLine:
        line(first, 0, bottom - 1, Width(), bottom - 1);
        line(second, 0, bottom, Width(), bottom);
        break;
    case TBevelShape::bsLeftLine:
        line(first, 0, 0, 0, Height());
        line(second, 1, 0, 1, Height());
        break;
    case TBevelShape::bsRightLine:
        line(first, right - 1, 0, right - 1, Height());
        line(second, right, 0, right, Height());
        break;
    case TBevelShape::bsSpacer:
        break;
    }
}
