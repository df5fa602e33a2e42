// Glyph buttons: the radio button and the check box.
#include "KvRadChk.h"

#include "KvCheckedActionLink.h"
#include "KvGrafx.h"
#include "KvThemeSrv.h"
#include "StoreChanged.h"
#include "SysUtils.h"
#include "TCustomAction.h"

#include <algorithm>

using namespace KvCommon;
using KvThemeSrv::SharedThemeServices;
using KvThemeSrv::TThemeServices;

namespace {

// Every pixel of one colour in a bitmap becomes another.
void ReplaceColor(TBitmap* bitmap, TColor from, TColor to)
{
    const TColor source = ColorToRGB(from), target = ColorToRGB(to);
    TCanvas* canvas = bitmap->Canvas();
    for (int y = 0; y < bitmap->Height(); ++y)
        for (int x = 0; x < bitmap->Width(); ++x)
            if (canvas->Pixel(x, y) == source)
                canvas->SetPixel(x, y, target);
}

void CopyArea(TCanvas* target, const RECT& targetRect, TCanvas* source, const RECT& sourceRect)
{
    target->SetCopyMode(SRCCOPY);
    target->CopyRect(targetRect, source, sourceRect);
}

// The pixels round a 13 x 13 radio circle and how much of the frame colour each takes.
struct EdgePixel {
    int x, y, weight;
};
const EdgePixel kRadioEdge[] = {
    {4, 0, 128}, {8, 0, 128}, {2, 1, 128}, {10, 1, 128}, {1, 2, 128}, {11, 2, 128}, {0, 4, 128}, {12, 4, 128},
    {0, 8, 128}, {12, 8, 128}, {1, 10, 128}, {11, 10, 128}, {2, 11, 128}, {10, 11, 128}, {4, 12, 128}, {8, 12, 128},
    {3, 0, 40}, {9, 0, 40}, {0, 3, 40}, {12, 3, 40}, {0, 9, 40}, {12, 9, 40}, {3, 12, 40}, {9, 12, 40},
};

} // namespace

// ---- glyph button ---------------------------------------------------------

TKvCustomGlyphButton::TKvCustomGlyphButton(TComponent* owner) : TKvCustomButton(owner)
{
    customGlyphs_->OnChange = TNotifyEvent(this, &TKvCustomGlyphButton::CustomGlyphsChanged);
    SetControlStyle(ControlStyle() + TControlStyle{csSetCaption, csReplicatable});
}

TKvCustomGlyphButton::~TKvCustomGlyphButton() { customGlyphs_->OnChange = TNotifyEvent(); }

void TKvCustomGlyphButton::SetAlignment(TAlignment value) { StoreAndInvalidate(alignment_, value); }

void TKvCustomGlyphButton::SetCustomGlyphs(TBitmap* value)
{
    if (value == nullptr) {
        TBitmap empty;
        customGlyphs_->Assign(&empty);
    } else {
        customGlyphs_->Assign(value);
    }
}

void TKvCustomGlyphButton::CustomGlyphsChanged(TObject*)
{
    useCustomGlyphs_ = customGlyphs_->Width() > 0 && customGlyphs_->Height() > 0;
    UpdateGlyphSize();
    MarkBackgroundStale();
    Invalidate();
}

void TKvCustomGlyphButton::SetUseCustomGlyphs(bool value)
{
    if (!StoreChanged(useCustomGlyphs_, value))
        return;
    UpdateGlyphSize();
    Invalidate();
}

void TKvCustomGlyphButton::SetNumGlyphs(int count)
{
    numGlyphs_ = std::max(count, 1);
    UpdateGlyphSize();
}

void TKvCustomGlyphButton::UpdateGlyphSize()
{
    // Custom glyphs without a strip leave no glyph to draw.
    if (useCustomGlyphs_) {
        glyphWidth_ = customGlyphs_->Width() / numGlyphs_;
        glyphHeight_ = customGlyphs_->Height();
    } else {
        glyphWidth_ = kGlyphCellSize;
        glyphHeight_ = kGlyphCellSize;
    }
}

RECT TKvCustomGlyphButton::GlyphRect()
{
    const int x = UseRightToLeftReading() == (alignment_ == TAlignment::taRightJustify) ? Width() - glyphWidth_ : 0;
    int y = 2;
    switch (AlignmentVertical()) {
    case TAlignmentVertical::avTop: y = 2; break;
    case TAlignmentVertical::avCenter: y = (Height() - glyphHeight_) / 2; break;
    case TAlignmentVertical::avBottom: y = Height() - glyphHeight_ - 2; break;
    }
    return RECT{x, y, x + glyphWidth_, y + glyphHeight_};
}

void TKvCustomGlyphButton::SetFillColor(TColor value) { StoreAndInvalidate(fillColor_, value); }

void TKvCustomGlyphButton::SetFocusColor(TColor value) { StoreAndInvalidate(focusColor_, value); }

void TKvCustomGlyphButton::SetFrameColor(TColor value) { StoreAndInvalidate(frameColor_, value); }

void TKvCustomGlyphButton::SetDisabledColor(TColor value) { StoreAndInvalidate(disabledColor_, value); }

void TKvCustomGlyphButton::SetReadOnly(bool value) { StoreAndInvalidate(readOnly_, value); }

void TKvCustomGlyphButton::SetReadOnlyColor(TColor value) { StoreAndInvalidate(readOnlyColor_, value); }

void TKvCustomGlyphButton::SetReadOnlyColorOnFocus(bool value)
{
    StoreAndInvalidate(readOnlyColorOnFocus_, value);
}

void TKvCustomGlyphButton::SetTransparentColor(TColor value) { StoreAndInvalidate(transparentColor_, value); }

void TKvCustomGlyphButton::SetWinMaskColor(TColor value) { StoreAndInvalidate(winMaskColor_, value); }

void TKvCustomGlyphButton::SetHotTrackStyle(TKvButtonHotTrackStyle value)
{
    StoreAndInvalidate(hotTrackStyle_, value);
}

void TKvCustomGlyphButton::SetTransparent(bool value)
{
    if (value != Transparent())
        MarkBackgroundStale();
    TKvCustomButton::SetTransparent(value);
}

// ---- frame controller -----------------------------------------------------

void TKvCustomGlyphButton::SetFrameController(TKvFrameController* value) { frameLink_.SetController(value); }

void TKvCustomGlyphButton::Notification(TComponent* component, TOperation operation)
{
    TKvCustomButton::Notification(component, operation);
    frameLink_.Notification(component, operation);
}

void TKvCustomGlyphButton::UpdateFrame(TKvFrameController*, TKvFrameControllerNotifications)
{
    TKvFrameController* controller = frameLink_.Controller();
    if (controller == nullptr || !controller->FrameVisible())
        return;
    SetHotTrack(true);
    const TKvFrameControllerNotifications take = frameControllerNotifications_;
    if (take & fcnColor)
        fillColor_ = controller->Color();
    if (take & fcnFrameColor)
        frameColor_ = controller->FrameColor();
    if (take & fcnFocusColor)
        focusColor_ = controller->FocusColor();
    if (take & fcnDisabledColor)
        disabledColor_ = controller->DisabledColor();
    if (take & fcnReadOnlyColor)
        readOnlyColor_ = controller->ReadOnlyColor();
    if (take & fcnReadOnlyColorOnFocus)
        readOnlyColorOnFocus_ = controller->ReadOnlyColorOnFocus();
    if (take & fcnFrameHotTrack)
        hotTrackStyle_ = controller->FrameHotTrack() ? htsFrame : htsInterior;
    if ((take & fcnFrameHotColor) && hotTrackStyle_ == htsFrame)
        SetHotTrackColor(controller->FrameHotColor());
    Invalidate();
}

// ---- action ---------------------------------------------------------------

TControlActionLink* TKvCustomGlyphButton::CreateActionLink() { return new TKvCheckedActionLink(this); }

void TKvCustomGlyphButton::ActionChange(TObject* sender, bool checkDefaults)
{
    TKvCustomButton::ActionChange(sender, checkDefaults);
    // Checked is taken when the action is assigned (checkDefaults is false only
    // then); a later change of the action's caption, enabled or visible state
    // keeps what the user chose since. The action's own Checked changes come
    // through the link.
    auto* action = dynamic_cast<TCustomAction*>(sender);
    if (action == nullptr || checkDefaults)
        return;
    SetCheckedWithoutClick(action->Checked());
}

void TKvCustomGlyphButton::SetCheckedWithoutClick(bool value)
{
    WithFlag(clicksDisabled_, true, [this, value] { SetChecked(value); });
}

// ---- painting -------------------------------------------------------------

TKvGlyphColors TKvCustomGlyphButton::GlyphColors()
{
    TKvGlyphColors colors;
    HotTrackColors(colors.HotFrameColor, colors.HotFillColor);
    colors.ReadOnlyColor = readOnlyColor_;
    colors.ReadOnlyColorOnFocus = readOnlyColorOnFocus_;
    colors.ReadOnly = readOnly_;
    colors.DisabledColor = disabledColor_;
    colors.FocusColor = focusColor_;
    colors.FillColor = fillColor_;
    colors.HighlightColor = HighlightColor();
    colors.FrameColor = frameColor_;
    colors.HotTrackStyle = hotTrackStyle_;
    colors.Focused = Focused();
    colors.PaintState = !Enabled() ? 3 : IsPressed() ? 1 : MouseOver() ? 2 : 0;
    return colors;
}

void TKvCustomGlyphButton::PostProcessGlyph(TBitmap*) {}

void TKvCustomGlyphButton::CutGlyphCell(int index, TBitmap* target, int height, int width, TBitmap* source)
{
    target->SetSize(width, height);
    CopyArea(target->Canvas(), RECT{0, 0, width, height}, source->Canvas(),
             RECT{width * index, 0, width * (index + 1), height});
}

void TKvCustomGlyphButton::DrawGlyph(TCanvas* canvas)
{
    if (canvas == nullptr)
        canvas = Canvas();
    // A strip narrower than its number of cells has no glyph to show.
    if (glyphWidth_ <= 0 || glyphHeight_ <= 0)
        return;
    const RECT place = GlyphRect();
    const RECT cellRect = {0, 0, glyphWidth_, glyphHeight_};
    TBitmap cell(glyphWidth_, glyphHeight_), composed(glyphWidth_, glyphHeight_);
    const bool themed = PaintsThemed();
    TBitmap* result = &composed;
    if (Transparent()) {
        // A custom cell is copied whole, so only a theme part can draw over what is there.
        if (themed && !useCustomGlyphs_) {
            CopyArea(cell.Canvas(), cellRect, canvas, place);
            PaintGlyph(&cell);
            result = &cell;
        } else {
            PaintGlyph(&cell);
            CopyArea(composed.Canvas(), cellRect, canvas, place);
            KvGrafx::BlitTransparent(composed.Canvas(), cellRect, &cell, cellRect, transparentColor_);
        }
    } else {
        PaintGlyph(&cell);
        CopyArea(composed.Canvas(), cellRect, cell.Canvas(), cellRect);
        ReplaceColor(&composed, transparentColor_, Color());
    }
    if (useCustomGlyphs_)
        ReplaceColor(result, winMaskColor_, clWindow);
    if (!themed && Transparent())
        PostProcessGlyph(result);
    CopyArea(canvas, place, result->Canvas(), cellRect);
}

void TKvCustomGlyphButton::Paint()
{
    if (Destroying())
        return;
    const int width = Width(), height = Height();
    if (width <= 0 || height <= 0)
        return;
    TBitmap offscreen(width, height);
    TCanvas* work = offscreen.Canvas();
    work->SetFont(Font());
    work->Brush()->SetColor(Color());
    const RECT client = {0, 0, width, height};

    if (backgroundStale_) {
        background_->SetSize(width, height);
        if (Transparent()) {
            // The paint context already shows the parent's picture from the erase.
            CopyArea(background_->Canvas(), client, Canvas(), client);
        } else {
            background_->Canvas()->Brush()->SetColor(Color());
            background_->Canvas()->FillRect(client);
        }
        backgroundStale_ = false;
    }
    CopyArea(work, client, background_->Canvas(), client);
    DrawGlyph(work);

    const bool rightToLeft = UseRightToLeftReading();
    const RECT glyph = GlyphRect();
    RECT text = client;
    InflateRect(&text, -1, -1);
    if (glyph.left == 0)
        text.left += glyphWidth_ + 4;
    else
        text.right -= glyphWidth_ + 4;
    DrawCaption(work, text, DT_WORDBREAK | DT_EXPANDTABS | (rightToLeft ? DT_RIGHT : 0));

    InflateRect(&text, 1, 1);
    const std::string caption = Caption();
    if (Focused() && !caption.empty()) {
        work->SetFont(Font());
        const int outline = std::min<int>(text.right - text.left, work->TextWidth(SysUtils::Trim(caption)) + 3);
        if (rightToLeft)
            text.left = text.right - outline;
        else
            text.right = text.left + outline;
        DrawFocusOutline(work, text);
    }
    CopyArea(Canvas(), client, work, client);
}

// ---- messages -------------------------------------------------------------

void TKvCustomGlyphButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    usingMouse_ = true;
    TKvCustomButton::MouseDown(button, shift, x, y);
}

void TKvCustomGlyphButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TKvCustomButton::MouseUp(button, shift, x, y);
    usingMouse_ = false;
}

void TKvCustomGlyphButton::CancelPress()
{
    // The release never comes, so the next focus is the keyboard's again.
    usingMouse_ = false;
    TKvCustomButton::CancelPress();
}

void TKvCustomGlyphButton::KeyDown(WORD& key, TShiftState shift)
{
    if (key == VK_RETURN && tabOnEnter_) {
        key = 0;
        PostMessageA(Handle(), WM_KEYDOWN, VK_TAB, 0);
        return;
    }
    TKvCustomButton::KeyDown(key, shift);
}

void TKvCustomGlyphButton::WMEraseBkgnd(TMessage& message)
{
    MarkBackgroundStale();
    if (Transparent()) {
        KvGrafx::PaintParentBehind(this, MessageParams::PaintDC(message), false);
        message.Result = 1;
        return;
    }
    TCustomControl::WMEraseBkgnd(message);
}

void TKvCustomGlyphButton::WMSize(TMessage& message)
{
    MarkBackgroundStale();
    TKvCustomButton::WMSize(message);
}

void TKvCustomGlyphButton::CMEnabledChanged(TMessage& message)
{
    MarkBackgroundStale();
    TKvCustomButton::CMEnabledChanged(message);
    Invalidate();
}

void TKvCustomGlyphButton::CMColorChanged(TMessage& message)
{
    MarkBackgroundStale();
    TKvCustomButton::CMColorChanged(message);
    Invalidate();
}

void TKvCustomGlyphButton::CMParentColorChanged(TMessage& message)
{
    MarkBackgroundStale();
    TKvCustomButton::CMParentColorChanged(message);
    Invalidate();
}

// ---- radio button ---------------------------------------------------------

TKvRadioButton::TKvRadioButton(TComponent* owner) : TKvCustomGlyphButton(owner)
{
    SetAlignmentVertical(TAlignmentVertical::avTop);
    SetNumGlyphs(6);
    SetTabStop(false);
}

template <typename F>
void TKvRadioButton::ForEachSibling(F action)
{
    TWinControl* parent = Parent();
    if (parent == nullptr)
        return;
    for (int i = 0; i < parent->ControlCount(); ++i)
        if (auto* sibling = dynamic_cast<TKvRadioButton*>(parent->Controls(i)); sibling != nullptr && sibling != this)
            action(sibling);
}

void TKvRadioButton::SetChecked(bool value)
{
    if (!StoreChanged(checked_, value))
        return;
    SetTabStop(value);
    Repaint();
    if (!value)
        return;
    ForEachSibling([](TKvRadioButton* sibling) { sibling->SetChecked(false); });
    if (!ClicksDisabled())
        Click();
}

void TKvRadioButton::SetReadOnly(bool value)
{
    if (value == ReadOnly())
        return;
    TKvCustomGlyphButton::SetReadOnly(value);
    Repaint();
    ForEachSibling([value](TKvRadioButton* sibling) { sibling->SetReadOnly(value); });
}

void TKvRadioButton::ClickAction()
{
    if (!checked_ && !ReadOnly())
        SetChecked(true);
}

void TKvRadioButton::PaintGlyph(TBitmap* cell)
{
    TCanvas* canvas = cell->Canvas();
    const RECT rect = {0, 0, GlyphWidth(), GlyphHeight()};
    const bool enabled = Enabled(), pressed = IsPressed();
    if (UseCustomGlyphs()) {
        const int index = !enabled ? (checked_ ? 5 : 4) : (checked_ ? 1 : 0) + (pressed ? 2 : 0);
        CutGlyphCell(index, cell, GlyphHeight(), GlyphWidth(), CustomGlyphs());
        return;
    }
    if (PaintsThemed()) {
        if (!Transparent()) {
            canvas->Brush()->SetColor(Color());
            canvas->FillRect(rect);
        }
        // Unchecked normal, hot, pressed, disabled, then the same checked.
        int offset = !enabled ? 3 : pressed ? 2 : MouseOver() ? 1 : 0;
        if (checked_)
            offset += 4;
        SharedThemeServices()->PaintPart(canvas->Handle(),
                                         TThemeServices::ButtonPart(KvThemeSrv::tbRadioButtonUncheckedNormal + offset),
                                         rect);
        return;
    }
    if (HotTrack()) {
        DrawRadioGlyph(canvas, rect, checked_, GlyphColors(), TransparentColor(), Transparent(), Color());
        return;
    }
    canvas->Brush()->SetColor(TransparentColor());
    canvas->FillRect(rect);
    UINT state = DFCS_BUTTONRADIO | DFCS_TRANSPARENT;
    if (checked_)
        state |= DFCS_CHECKED;
    if (pressed)
        state |= DFCS_PUSHED;
    if (!enabled)
        state |= DFCS_INACTIVE;
    RECT frame = rect;
    DrawFrameControl(canvas->Handle(), &frame, DFC_BUTTON, state);
}

void TKvRadioButton::PostProcessGlyph(TBitmap* glyph)
{
    if (glyph->Width() != kGlyphCellSize || glyph->Height() != kGlyphCellSize)
        return;
    TCanvas* canvas = glyph->Canvas();
    for (const EdgePixel& edge : kRadioEdge)
        canvas->SetPixel(edge.x, edge.y, MixColors(FrameColor(), canvas->Pixel(edge.x, edge.y), edge.weight));
}

void TKvRadioButton::WMSetFocus(TMessage& message)
{
    TKvCustomGlyphButton::WMSetFocus(message);
    if (!UsingMouse() && !ReadOnly())
        SetChecked(true);
}

void TKvRadioButton::CMDialogChar(TMessage& message)
{
    if (IsAccel(static_cast<WORD>(message.WParam), Caption()) && CanFocus()) {
        SetFocus();
        message.Result = 1;
        return;
    }
    TKvCustomGlyphButton::CMDialogChar(message);
}

void TKvRadioButton::CMDialogKey(TMessage& message)
{
    // The form moves the focus with the arrows while a control has it; the key
    // comes round to the radio buttons only while none does.
    const TShiftState shift = KeyboardShiftState();
    if (MessageParams::KeyCode(message) == VK_DOWN && !shift.Contains(ssShift) && !shift.Contains(ssCtrl) &&
        !shift.Contains(ssAlt) && CanFocus()) {
        if (!ClicksDisabled())
            Click();
        message.Result = 1;
        return;
    }
    TKvCustomGlyphButton::CMDialogKey(message);
}

void TKvRadioButton::Dispatch(TMessage& message)
{
    if (message.Msg == BM_GETCHECK) {
        message.Result = checked_ ? BST_CHECKED : BST_UNCHECKED;
        return;
    }
    TKvCustomGlyphButton::Dispatch(message);
}

// ---- check box ------------------------------------------------------------

TKvCustomCheckBox::TKvCustomCheckBox(TComponent* owner) : TKvCustomGlyphButton(owner)
{
    SetAlignmentVertical(TAlignmentVertical::avTop);
    SetNumGlyphs(9);
}

void TKvCustomCheckBox::SetState(TCheckBoxState value)
{
    if (!StoreChanged(state_, value))
        return;
    Repaint();
    if (!ClicksDisabled())
        Click();
}

void TKvCustomCheckBox::ClickAction()
{
    if (UsingMouse() && ReadOnly())
        return;
    switch (state_) {
    case cbUnchecked: SetState(allowGrayed_ ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
    }
}

void TKvCustomCheckBox::PaintGlyph(TBitmap* cell)
{
    TCanvas* canvas = cell->Canvas();
    const RECT rect = {0, 0, GlyphWidth(), GlyphHeight()};
    const bool enabled = Enabled(), pressed = IsPressed();
    if (UseCustomGlyphs()) {
        const int index = !enabled ? 6 + state_ : state_ + (pressed ? 3 : 0);
        CutGlyphCell(index, cell, GlyphHeight(), GlyphWidth(), CustomGlyphs());
        return;
    }
    if (PaintsThemed()) {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(rect);
        // Unchecked, checked, mixed; each normal, hot, pressed, disabled.
        const int offset = state_ * 4 + (!enabled ? 3 : pressed ? 2 : MouseOver() ? 1 : 0);
        SharedThemeServices()->PaintPart(canvas->Handle(),
                                         TThemeServices::ButtonPart(KvThemeSrv::tbCheckBoxUncheckedNormal + offset),
                                         rect);
        return;
    }
    if (HotTrack()) {
        DrawCheckGlyph(canvas, rect, state_, GlyphColors());
        return;
    }
    UINT style = DFCS_BUTTONCHECK;
    if (state_ == cbChecked)
        style |= DFCS_CHECKED;
    else if (state_ == cbGrayed)
        style = DFCS_BUTTON3STATE | DFCS_CHECKED;
    if (pressed)
        style |= DFCS_PUSHED;
    if (!enabled)
        style |= DFCS_INACTIVE;
    RECT frame = rect;
    DrawFrameControl(canvas->Handle(), &frame, DFC_BUTTON, style);
}

void TKvCustomCheckBox::KeyDown(WORD& key, TShiftState shift)
{
    if (key != VK_SPACE && key != VK_ESCAPE) {
        TKvCustomGlyphButton::KeyDown(key, shift);
        return;
    }
    if (!ReadOnly()) {
        spaceToggles_ = key == VK_SPACE;
        SetPressedLook(key == VK_SPACE);
        Repaint();
    }
    // The button base's own space handling would toggle a second time.
    TCustomControl::KeyDown(key, shift);
}

void TKvCustomCheckBox::KeyUp(WORD& key, TShiftState shift)
{
    if (key != VK_SPACE) {
        TKvCustomGlyphButton::KeyUp(key, shift);
        return;
    }
    if (!ReadOnly()) {
        SetPressedLook(false);
        if (spaceToggles_) {
            spaceToggles_ = false;
            ClickAction();
        }
        Repaint();
    }
    TCustomControl::KeyUp(key, shift);
}

void TKvCustomCheckBox::CancelPress()
{
    spaceToggles_ = false;
    TKvCustomGlyphButton::CancelPress();
}

void TKvCustomCheckBox::CMDialogChar(TMessage& message)
{
    if (IsAccel(static_cast<WORD>(message.WParam), Caption()) && CanFocus()) {
        SetFocus();
        if (Focused() && !ReadOnly()) {
            ClickAction();
            Repaint();
        }
        message.Result = 1;
        return;
    }
    TKvCustomGlyphButton::CMDialogChar(message);
}

void TKvCustomCheckBox::Dispatch(TMessage& message)
{
    if (message.Msg == BM_GETCHECK) {
        message.Result = state_;
        return;
    }
    TKvCustomGlyphButton::Dispatch(message);
}
