// The class library's panel: bevels, border band and caption.
#include "TCustomPanel.h"

#include "StoreChanged.h"

namespace {

// One bevel ring of `width` pixels; returns the rectangle inside it.
RECT DrawBevel(TCanvas* canvas, RECT rect, TPanelBevel bevel, int width)
{
    if (bevel == TPanelBevel::bvNone)
        return rect;
    TColor topLeft = bevel == TPanelBevel::bvLowered ? clBtnShadow : clBtnHighlight;
    TColor bottomRight = bevel == TPanelBevel::bvLowered ? clBtnHighlight : clBtnShadow;
    if (bevel == TPanelBevel::bvSpace)
        topLeft = bottomRight = clBtnFace;
    for (int i = 0; i < width; ++i) {
        canvas->Brush()->SetColor(topLeft);
        canvas->FillRect(RECT{rect.left, rect.top, rect.right, rect.top + 1});
        canvas->FillRect(RECT{rect.left, rect.top, rect.left + 1, rect.bottom});
        canvas->Brush()->SetColor(bottomRight);
        canvas->FillRect(RECT{rect.right - 1, rect.top, rect.right, rect.bottom});
        canvas->FillRect(RECT{rect.left, rect.bottom - 1, rect.right, rect.bottom});
        InflateRect(&rect, -1, -1);
    }
    return rect;
}

} // namespace

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption,
                                                   csOpaque, csDoubleClicks, csReplicatable});
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TCustomPanel::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    // Resizing repaints only what the panel invalidates itself.
    params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCustomPanel::SetAlignment(TAlignment value)
{
    if (!StoreChanged(alignment_, value))
        return;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel value)
{
    if (!StoreChanged(bevelInner_, value))
        return;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TPanelBevel value)
{
    if (!StoreChanged(bevelOuter_, value))
        return;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelWidth(int value)
{
    if (!StoreChanged(bevelWidth_, value))
        return;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderWidth(int value)
{
    if (!StoreChanged(borderWidth_, value))
        return;
    Realign();
    Invalidate();
}

void TCustomPanel::AdjustClientRect(RECT& rect)
{
    TCustomControl::AdjustClientRect(rect);
    int inset = borderWidth_;
    if (bevelOuter_ != TPanelBevel::bvNone)
        inset += bevelWidth_;
    if (bevelInner_ != TPanelBevel::bvNone)
        inset += bevelWidth_;
    InflateRect(&rect, -inset, -inset);
}

void TCustomPanel::Paint()
{
    TCanvas* canvas = Canvas();
    RECT rect = ClientRect();
    rect = DrawBevel(canvas, rect, bevelOuter_, bevelWidth_);
    InflateRect(&rect, -borderWidth_, -borderWidth_);
    rect = DrawBevel(canvas, rect, bevelInner_, bevelWidth_);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(rect);
    std::string caption = Caption();
    if (caption.empty())
        return;
    canvas->SetFont(Font());
    canvas->Brush()->SetStyle(TBrushStyle::bsClear);
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
    format |= alignment_ == TAlignment::taLeftJustify    ? DT_LEFT
              : alignment_ == TAlignment::taRightJustify ? DT_RIGHT
                                                         : DT_CENTER;
    canvas->DrawText(caption, rect, format);
}
