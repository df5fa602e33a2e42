// The push button: groups, dialog keys and the three face paintings.
#include "KvButton.h"

#include "KvCommon.h"
#include "KvGrafx.h"
#include "KvThemeSrv.h"
#include "StoreChanged.h"
#include "TBitmap.h"
#include "TForm.h"

using namespace KvCommon;

namespace {

// A frame whose four corner pixels stay unpainted.
void FrameWithoutCorners(TCanvas* canvas, const RECT& r, TColor color)
{
    canvas->Brush()->SetColor(color);
    canvas->FillRect(RECT{r.left + 1, r.top, r.right - 1, r.top + 1});
    canvas->FillRect(RECT{r.left + 1, r.bottom - 1, r.right - 1, r.bottom});
    canvas->FillRect(RECT{r.left, r.top + 1, r.left + 1, r.bottom - 1});
    canvas->FillRect(RECT{r.right - 1, r.top + 1, r.right, r.bottom - 1});
}

RECT Inset(RECT r, int by)
{
    InflateRect(&r, -by, -by);
    return r;
}

} // namespace

TKvButton::TKvButton(TComponent* owner) : TKvCustomButton(owner)
{
    SetBounds(Left(), Top(), 75, 25);
    SetColor(clBtnFace);
}

// ---- properties -----------------------------------------------------------

void TKvButton::SetAlignment(TAlignment value) { StoreAndInvalidate(alignment_, value); }
void TKvButton::SetFrameColor(TColor value) { StoreAndInvalidate(frameColor_, value); }
void TKvButton::SetShowDownPattern(bool value) { StoreAndInvalidate(showDownPattern_, value); }
void TKvButton::SetShowFocusRect(bool value) { StoreAndInvalidate(showFocusRect_, value); }

void TKvButton::SetAllowAllUp(bool value)
{
    if (!StoreChanged(allowAllUp_, value))
        return;
    BroadcastGroup();
}

void TKvButton::SetGroupIndex(int value)
{
    if (!StoreChanged(groupIndex_, value))
        return;
    BroadcastGroup();
}

void TKvButton::SetDefault(bool value)
{
    if (!StoreChanged(default_, value))
        return;
    if (!HandleAllocated())
        return;
    // The form tells every button again who acts as the default now.
    if (TCustomForm* form = GetParentForm(this))
        form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
}

void TKvButton::SetHotTrack(bool value)
{
    if (value == HotTrack())
        return;
    TKvCustomButton::SetHotTrack(value);
    SetTransparent(value);
    if (HandleAllocated())
        InvalidateRect(Handle(), nullptr, TRUE);
}

void TKvButton::SetDown(bool value)
{
    if (groupIndex_ == 0)
        value = false;
    if (value == down_)
        return;
    // A down button of a group is released only by another one going down.
    if (down_ && !allowAllUp_ && groupIndex_ != 0)
        return;
    down_ = value;
    SetState(value ? kbsDown : kbsUp);
    InvalidateAfterStateChange();
    if (value)
        BroadcastGroup();
}

void TKvButton::BroadcastGroup()
{
    if (groupIndex_ == 0 || Parent() == nullptr)
        return;
    TMessage message;
    message.Msg = CM_KVBUTTONPRESSED;
    message.WParam = static_cast<WPARAM>(groupIndex_);
    message.LParam = reinterpret_cast<LPARAM>(static_cast<TObject*>(this));
    Parent()->Broadcast(message);
}

TKvButton* TKvButton::GroupSender(LPARAM sender) const
{
    // Any program can send this message to the window: the value is taken for a
    // button only when it is one of the parent's controls, and it is compared,
    // never followed, until then.
    TWinControl* parent = Parent();
    if (parent == nullptr || sender == 0)
        return nullptr;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* control = parent->Controls(i);
        if (reinterpret_cast<LPARAM>(static_cast<TObject*>(control)) == sender)
            return dynamic_cast<TKvButton*>(control);
    }
    return nullptr;
}

void TKvButton::CMButtonPressed(TMessage& message)
{
    TKvButton* sender = GroupSender(message.LParam);
    if (sender == nullptr || sender == this || static_cast<int>(message.WParam) != groupIndex_)
        return;
    if (sender->Down() && down_) {
        down_ = false;
        SetState(kbsUp);
        InvalidateAfterStateChange();
    }
    allowAllUp_ = sender->AllowAllUp();
}

// ---- clicks and keys ------------------------------------------------------

void TKvButton::InvalidateAfterStateChange() { Invalidate(); }

void TKvButton::ClickAction()
{
    if (Grouped())
        SetDown(!down_);
    else
        Invalidate();
    RunClick();
}

void TKvButton::Click()
{
    if (TCustomForm* form = GetParentForm(this))
        form->SetModalResult(modalResult_);
    TKvCustomButton::Click();
}

void TKvButton::ClickFromKey()
{
    // Keys click without the grouped toggle of a press.
    WithFlag(keyClickWithoutDropDown_, !dropDownOnEnter_, [this] { Click(); });
}

void TKvButton::CreateWnd()
{
    TKvCustomButton::CreateWnd();
    SetActive(default_);
}

void TKvButton::Dispatch(TMessage& message)
{
    if (message.Msg == CM_KVBUTTONPRESSED)
        CMButtonPressed(message);
    else
        TKvCustomButton::Dispatch(message);
}

void TKvButton::CMDialogKey(TMessage& message)
{
    WORD key = MessageParams::KeyCode(message);
    TShiftState shift = KeyboardShiftState();
    bool plain = !shift.Contains(ssShift) && !shift.Contains(ssCtrl) && !shift.Contains(ssAlt);
    if (((key == VK_RETURN && Active()) || (key == VK_ESCAPE && cancel_)) && plain && CanFocus()) {
        ClickFromKey();
        message.Result = 1;
        return;
    }
    TKvCustomButton::CMDialogKey(message);
}

void TKvButton::CMDialogChar(TMessage& message)
{
    if (IsAccel(static_cast<WORD>(message.WParam), Caption()) && CanFocus()) {
        Click();
        message.Result = 1;
        return;
    }
    TKvCustomButton::CMDialogChar(message);
}

void TKvButton::CMFocusChanged(TMessage& message)
{
    auto* focused = reinterpret_cast<TWinControl*>(message.LParam);
    bool active = dynamic_cast<TKvButton*>(focused) != nullptr ? focused == this : default_;
    if (active != Active()) {
        SetActive(active);
        Invalidate();
    }
    TKvCustomButton::CMFocusChanged(message);
}

// ---- painting -------------------------------------------------------------

UINT TKvButton::AlignmentFormat() const
{
    TAlignment alignment = alignment_;
    if (UseRightToLeftAlignment()) {
        if (alignment == TAlignment::taLeftJustify)
            alignment = TAlignment::taRightJustify;
        else if (alignment == TAlignment::taRightJustify)
            alignment = TAlignment::taLeftJustify;
    }
    return AlignmentFlag(alignment);
}

RECT TKvButton::CaptionRect()
{
    RECT rect = Inset(ClientRect(), 5);
    bool downLook = (Grouped() && (State() == kbsPressed || State() == kbsDown)) || PressedLook();
    if (!HotTrack() && !PaintsThemed() && downLook)
        OffsetRect(&rect, 1, 1);
    return rect;
}

void TKvButton::DrawCaptionAndGlyph(TCanvas* canvas)
{
    DrawCaption(canvas, CaptionRect(), AlignmentFormat() | DT_WORDBREAK | DT_EXPANDTABS);
}

void TKvButton::BuildDownPattern(TBitmap* pattern)
{
    pattern->SetSize(8, 8);
    TCanvas* canvas = pattern->Canvas();
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(RECT{0, 0, 8, 8});
    TColor dots = Color() == clSilver ? clGray : clSilver;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if ((x % 2) == (y % 2))
                canvas->SetPixel(x, y, dots);
}

void TKvButton::Paint()
{
    TKvCustomButton::Paint();
    RECT client = ClientRect();
    bool themed = PaintsThemed();
    bool downLook = (Grouped() && (State() == kbsPressed || State() == kbsDown)) || PressedLook();
    RECT focus = Inset(client, HotTrack() || themed ? 3 : 4);
    if (downLook)
        OffsetRect(&focus, 1, 1);

    RECT rect = client;
    if (themed)
        PaintThemedFace(rect);
    else if (HotTrack())
        rect = Enabled() ? PaintHotTrackFace(rect) : PaintDisabledHotTrackFace(rect);
    else
        rect = PaintClassicFace(rect);

    if (Grouped() && State() == kbsDown && showDownPattern_)
        PaintDownPattern(rect);

    Canvas()->SetFont(Font());
    Canvas()->Brush()->SetColor(Color());
    DrawCaptionAndGlyph(Canvas());

    if (Focused() && showFocusRect_)
        DrawFocusOutline(Canvas(), focus);
}

TKvButton::TFaceState TKvButton::FaceState() const
{
    if (!Enabled())
        return TFaceState::fsDisabled;
    if (IsPressed())
        return TFaceState::fsPressed;
    if (MouseOver())
        return TFaceState::fsHot;
    if (Grouped() || !(Active() || Focused()))
        return TFaceState::fsNormal;
    return TFaceState::fsDefaulted;
}

void TKvButton::PaintThemedFace(const RECT& rect)
{
    using namespace KvThemeSrv;
    BYTE element = tbPushButtonNormal;
    switch (FaceState()) {
    case TFaceState::fsDisabled: element = tbPushButtonDisabled; break;
    case TFaceState::fsPressed: element = tbPushButtonPressed; break;
    case TFaceState::fsHot: element = tbPushButtonHot; break;
    case TFaceState::fsNormal: element = tbPushButtonNormal; break;
    case TFaceState::fsDefaulted: element = tbPushButtonDefaulted; break;
    }
    TThemeServices* services = SharedThemeServices();
    TThemedElementDetails details = TThemeServices::ButtonPart(element);
    HDC dc = Canvas()->Handle();
    services->PaintParentUnder(Handle(), dc, nullptr, false, &rect);
    services->PaintPart(dc, details, rect);
}

RECT TKvButton::PaintHotTrackFace(RECT r)
{
    TCanvas* canvas = Canvas();
    // Outer frame: the parent's colour shaded, rounded off at the corners.
    TColor parentColor = Parent() != nullptr ? Parent()->Color() : clBtnFace;
    TColor dark = DarkenColor(parentColor, 20), light = LightenColor(parentColor, 20);
    canvas->Brush()->SetColor(dark);
    canvas->FillRect(RECT{r.left, r.top + 2, r.left + 1, r.bottom - 2});
    canvas->FillRect(RECT{r.left + 2, r.top, r.right - 2, r.top + 1});
    canvas->Brush()->SetColor(light);
    canvas->FillRect(RECT{r.right - 1, r.top + 2, r.right, r.bottom - 2});
    canvas->FillRect(RECT{r.left + 2, r.bottom - 1, r.right - 2, r.bottom});
    canvas->SetPixel(r.left + 1, r.top + 1, dark);
    canvas->SetPixel(r.right - 2, r.top + 1, dark);
    canvas->SetPixel(r.left + 1, r.bottom - 2, dark);
    canvas->SetPixel(r.right - 2, r.bottom - 2, light);

    r = Inset(r, 1);
    FrameWithoutCorners(canvas, r, frameColor_);
    r = Inset(r, 1);

    switch (FaceState()) {
    case TFaceState::fsPressed:
        canvas->Brush()->SetColor(DarkenColor(Color(), 10));
        canvas->FillRect(r);
        break;
    case TFaceState::fsHot: {
        PaintFaceFill(r);
        TColor outer = 0, inner = 0;
        HotTrackColors(outer, inner);
        DrawHighlightBox(canvas, r, outer, inner);
        break;
    }
    case TFaceState::fsDefaulted: {
        PaintFaceFill(r);
        TColor base = HighlightColor();
        if (ColorsHardToTell(base, clBtnFace))
            base = DarkenColor(base, 30);
        TColor lightFace = LightenColor(Color(), 30);
        DrawHighlightBox(canvas, r, MixColors(base, lightFace, 160), MixColors(base, lightFace, 60));
        break;
    }
    default: // normal (a disabled button has its own painting)
        PaintFaceFill(r);
        break;
    }
    return r;
}

RECT TKvButton::PaintDisabledHotTrackFace(RECT r)
{
    TCanvas* canvas = Canvas();
    r = Inset(r, 1);
    TColor frame = Color() == clBtnFace ? LightenColor(clBtnShadow, 30) : DarkenColor(Color(), 80);
    FrameWithoutCorners(canvas, r, frame);
    r = Inset(r, 1);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(r);
    return r;
}

void TKvButton::PaintFaceFill(RECT r)
{
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetColor(DarkenColor(Color(), 20));
    canvas->FillRect(RECT{r.left, r.bottom - 2, r.right, r.bottom - 1});
    canvas->Brush()->SetColor(DarkenColor(Color(), 30));
    canvas->FillRect(RECT{r.left, r.bottom - 1, r.right, r.bottom});
    r.bottom -= 2;
    if (FaceGradients()) {
        KvGrafx::GradientFillRect(canvas, r, KvGrafx::gdHorizontalEnd, DarkenColor(Color(), 10),
                                  LightenColor(Color(), 30), 1);
    } else {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(r);
    }
}

RECT TKvButton::PaintClassicFace(RECT r)
{
    TCanvas* canvas = Canvas();
    bool pressed = IsPressed();
    if (!Grouped() && (((Active() || Focused()) && !PressedLook()) || Clicking())) {
        canvas->Brush()->SetColor(clWindowFrame);
        canvas->FrameRect(r);
        r = Inset(r, 1);
    }
    if (Grouped())
        r = PaintGroupedClassicBorder(r, pressed);
    else if (Color() == clBtnFace)
        r = DrawButtonBorder(canvas, r, pressed);
    else
        r = DrawColoredButtonBorder(canvas, r, Color(), pressed);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(r);
    return r;
}

RECT TKvButton::PaintGroupedClassicBorder(const RECT& rect, bool pressed)
{
    TFrameStyleEx style = pressed ? fsLowered : fsButtonUp;
    if (Color() == clBtnFace)
        return DrawFrameStyle(Canvas(), rect, style);
    return DrawColoredFrameStyle(Canvas(), rect, style, Color());
}

void TKvButton::PaintDownPattern(const RECT& rect)
{
    TBitmap pattern;
    BuildDownPattern(&pattern);
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetBitmap(&pattern);
    canvas->FillRect(rect);
    canvas->Brush()->SetBitmap(nullptr);
}

void TKvButton::PaintTransparentBackground(HDC dc)
{
    // The parent shows through the outer ring only at the rounded-off corners.
    RECT r = Inset(ClientRect(), Enabled() ? 1 : 2);
    ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    InflateRect(&r, 1, -1);
    ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    InflateRect(&r, -2, 2);
    ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    KvGrafx::PaintParentBehind(this, dc, false);
    SelectClipRgn(dc, nullptr);
}
