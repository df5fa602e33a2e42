// The button base: state from mouse and keyboard, and caption drawing.
#include "KvCustomButton.h"

#include "KvThemeSrv.h"

TKvCustomButton::TKvCustomButton(TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle({csCaptureMouse, csSetCaption, csDoubleClicks, csReplicatable, csReflector});
    SetBounds(Left(), Top(), 115, 17);
    SetTabStop(true);
}

bool TKvCustomButton::PaintsThemed() const
{
    return themeAware_ && KvThemeSrv::SharedThemeServices()->PaintsThemed();
}

// ---- properties -----------------------------------------------------------

void TKvCustomButton::SetAlignmentVertical(TAlignmentVertical value) { StoreAndInvalidate(alignmentVertical_, value); }
void TKvCustomButton::SetHighlightColor(TColor value) { StoreAndInvalidate(highlightColor_, value); }
void TKvCustomButton::SetLightTextStyle(bool value) { StoreAndInvalidate(lightTextStyle_, value); }
void TKvCustomButton::SetTextStyle(TTextStyle value) { StoreAndInvalidate(textStyle_, value); }
void TKvCustomButton::SetTextHighlightColor(TColor value) { StoreAndInvalidate(textHighlightColor_, value); }
void TKvCustomButton::SetTextShadowColor(TColor value) { StoreAndInvalidate(textShadowColor_, value); }
void TKvCustomButton::SetTextShadowDepth(int value) { StoreAndInvalidate(textShadowDepth_, value); }
void TKvCustomButton::SetThemeAware(bool value) { StoreAndInvalidate(themeAware_, value); }
void TKvCustomButton::SetTransparent(bool value) { StoreAndInvalidate(transparent_, value); }

void TKvCustomButton::SetHotTrack(bool value) { StoreAndInvalidate(hotTrack_, value); }

// ---- virtual steps ----------------------------------------------------------

void TKvCustomButton::PaintTransparentBackground(HDC) {}
void TKvCustomButton::InvalidateAfterStateChange() {}
void TKvCustomButton::RepaintOnFocusChange() { Repaint(); }
RECT TKvCustomButton::HotTrackRect() { return ClientRect(); }

void TKvCustomButton::RunClick()
{
    WithFlag(clicking_, true, [this] { Click(); });
}

int TKvCustomButton::CaptionHeight(TCanvas* canvas, const RECT& rect)
{
    RECT measured = rect;
    return canvas->DrawText(Caption(), measured, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_VCENTER | DT_CENTER);
}

void TKvCustomButton::HotTrackColors(TColor& frame, TColor& fill) const
{
    if (hotTrackColorType_ == TKvHotTrackColorType::htctComplement) {
        fill = KvCommon::OppositeHueColor(hotTrackColor_, 180);
        frame = KvCommon::DarkenColor(fill, 30);
    } else {
        frame = hotTrackColor_;
        fill = KvCommon::MixColors(clWhite, hotTrackColor_, 190);
    }
}

void TKvCustomButton::DrawCaption(TCanvas* canvas, const RECT& rect, UINT format)
{
    canvas->Brush()->SetStyle(TBrushStyle::bsClear);
    // A face name the font always has comes first, so that the control's font is a change.
    canvas->Font()->SetName("System");
    canvas->SetFont(Font());
    std::string caption = Caption();

    int height = CaptionHeight(canvas, rect);
    RECT placed = rect;
    switch (alignmentVertical_) {
    case TAlignmentVertical::avTop:
        placed.bottom = placed.top + height;
        break;
    case TAlignmentVertical::avCenter:
        placed.top = (placed.top + placed.bottom - height) / 2;
        placed.bottom = placed.top + height;
        break;
    case TAlignmentVertical::avBottom:
        placed.top = placed.bottom - height - 1;
        break;
    }
    if (UseRightToLeftReading())
        format |= DT_RTLREADING;

    auto drawCopy = [&](int dx, int dy, TColor color) {
        RECT copy = placed;
        OffsetRect(&copy, dx, dy);
        canvas->Font()->SetColor(color);
        canvas->DrawText(caption, copy, format);
    };
    if (Enabled()) {
        if (textStyle_ == TTextStyle::tsRaised || textStyle_ == TTextStyle::tsRecessed) {
            bool raised = textStyle_ == TTextStyle::tsRaised;
            TColor first = raised ? textHighlightColor_ : textShadowColor_;
            TColor second = raised ? textShadowColor_ : textHighlightColor_;
            if (!raised || !lightTextStyle_)
                drawCopy(1, 1, second);
            if (raised || !lightTextStyle_)
                drawCopy(-1, -1, first);
        } else if (textStyle_ == TTextStyle::tsShadow) {
            if (format & DT_RIGHT)
                drawCopy(0, textShadowDepth_, textShadowColor_);
            else
                drawCopy(textShadowDepth_, textShadowDepth_, textShadowColor_);
        }
        canvas->Font()->SetColor(Font()->Color());
        if (textStyle_ == TTextStyle::tsShadow && (format & DT_RIGHT))
            OffsetRect(&placed, -textShadowDepth_, 0);
    } else {
        canvas->Font()->SetColor(clGrayText);
    }
    canvas->DrawText(caption, placed, format);
    canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
}

// ---- mouse and keyboard -----------------------------------------------------

void TKvCustomButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == TMouseButton::mbLeft && Enabled()) {
        SetFocus();
        if (Focused()) {
            pressedLook_ = true;
            Invalidate();
            dragging_ = true;
        }
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TKvCustomButton::MouseMove(TShiftState shift, int x, int y)
{
    if (dragging_) {
        RECT client = ClientRect();
        bool inside = PtInRect(&client, POINT{x, y}) != FALSE;
        if (inside != pressedLook_) {
            pressedLook_ = inside;
            Invalidate();
        }
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TKvCustomButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (dragging_) {
        dragging_ = false;
        pressedLook_ = false;
        RECT client = ClientRect();
        if (PtInRect(&client, POINT{x, y}))
            ClickAction();
        Invalidate();
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TKvCustomButton::KeyDown(WORD& key, TShiftState shift)
{
    if (key == VK_SPACE && !shift.Contains(ssAlt)) {
        keyToggle_ = true;
        pressedLook_ = true;
        Invalidate();
    }
    TCustomControl::KeyDown(key, shift);
}

void TKvCustomButton::KeyUp(WORD& key, TShiftState shift)
{
    if (key == VK_SPACE) {
        pressedLook_ = false;
        if (keyToggle_) {
            keyToggle_ = false;
            ClickAction();
        }
        Invalidate();
    }
    TCustomControl::KeyUp(key, shift);
}

// ---- messages -----------------------------------------------------------------

void TKvCustomButton::WMEraseBkgnd(TMessage& message)
{
    if (!transparent_) {
        TCustomControl::WMEraseBkgnd(message);
        return;
    }
    PaintTransparentBackground(MessageParams::PaintDC(message));
    message.Result = 1;
}

void TKvCustomButton::WMSetFocus(TMessage& message)
{
    TCustomControl::WMSetFocus(message);
    RepaintOnFocusChange();
}

void TKvCustomButton::CancelPress()
{
    dragging_ = false;
    keyToggle_ = false;
    pressedLook_ = false;
    Invalidate();
}

void TKvCustomButton::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case WM_CAPTURECHANGED:
        // Another window took the mouse (or the system let it go) while the
        // button held it: the release will never come here. Our own release
        // at button-up has already dropped the capture the control keeps.
        if (reinterpret_cast<HWND>(message.LParam) != Handle() && MouseCapture())
            CancelPress();
        TCustomControl::Dispatch(message);
        break;
    case WM_CANCELMODE:
        CancelPress();
        TCustomControl::Dispatch(message);
        break;
    default:
        TCustomControl::Dispatch(message);
        break;
    }
}

void TKvCustomButton::WMKillFocus(TMessage& message)
{
    TCustomControl::WMKillFocus(message);
    CancelPress();
    RepaintOnFocusChange();
}

void TKvCustomButton::InvalidateHotTrack()
{
    if (!HandleAllocated() || !(hotTrack_ || PaintsThemed()))
        return;
    RECT rect = HotTrackRect();
    InvalidateRect(Handle(), &rect, FALSE);
}

void TKvCustomButton::CMMouseEnter(TMessage& message)
{
    TCustomControl::CMMouseEnter(message);
    mouseOver_ = true;
    if (OnMouseEnter)
        OnMouseEnter(this);
    InvalidateHotTrack();
}

void TKvCustomButton::CMMouseLeave(TMessage& message)
{
    TCustomControl::CMMouseLeave(message);
    mouseOver_ = false;
    if (OnMouseLeave)
        OnMouseLeave(this);
    InvalidateHotTrack();
}

void TKvCustomButton::CMTextChanged(TMessage& message)
{
    TCustomControl::CMTextChanged(message);
    Repaint();
}
