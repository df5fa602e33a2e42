// The button of a button edit.
#include "KvEditButton.h"

TKvEditButton::TKvEditButton(TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle(ControlStyle() + csOpaque);
    SetBounds(0, 0, 18, 17);
}

void TKvEditButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == TMouseButton::mbLeft) {
        pressed_ = true;
        Invalidate();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TKvEditButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == TMouseButton::mbLeft && pressed_) {
        pressed_ = false;
        Invalidate();
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TKvEditButton::Paint()
{
    TCanvas* canvas = Canvas();
    RECT client = ClientRect();
    UINT state = DFCS_BUTTONPUSH | (pressed_ ? DFCS_PUSHED : 0) | (Enabled() ? 0 : DFCS_INACTIVE);
    DrawFrameControl(canvas->Handle(), &client, DFC_BUTTON, state);
    if (pressed_)
        OffsetRect(&client, 1, 1);
    canvas->Brush()->SetStyle(TBrushStyle::bsClear);
    canvas->SetFont(Font());
    canvas->Font()->SetColor(Enabled() ? clBtnText : clGrayText);
    canvas->DrawText("...", client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
