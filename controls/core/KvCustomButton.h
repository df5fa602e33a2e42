// TKvCustomButton: the windowed base of the library's owner-painted buttons. It
// keeps the hot, pressed and focused state from mouse and keyboard, draws the
// caption in one of four text styles and decides between themed and classic
// painting. Subclasses paint the face and say what a click does.
#pragma once

#include "KvCommon.h"
#include "ScopeExit.h"
#include "StoreChanged.h"
#include "TCustomControl.h"

enum class TTextStyle { tsNormal, tsRaised, tsRecessed, tsShadow };
enum class TKvHotTrackColorType { htctComplement, htctActual };

// Button states: up, pressed, and down (held down in a group).
enum TKvButtonState : int { kbsUp = 0, kbsPressed = 2, kbsDown = 3 };

class TKvCustomButton : public TCustomControl {
public:
    CLASSLIB_CLASS_NAME(TKvCustomButton)
    explicit TKvCustomButton(TComponent* owner);

    TAlignmentVertical AlignmentVertical() const { return alignmentVertical_; }
    virtual void SetAlignmentVertical(TAlignmentVertical value);
    bool HotTrack() const { return hotTrack_; }
    virtual void SetHotTrack(bool value);
    TColor HighlightColor() const { return highlightColor_; }
    virtual void SetHighlightColor(TColor value);
    TColor HotTrackColor() const { return hotTrackColor_; }
    void SetHotTrackColor(TColor value) { StoreAndInvalidate(hotTrackColor_, value); }
    TKvHotTrackColorType HotTrackColorType() const { return hotTrackColorType_; }
    void SetHotTrackColorType(TKvHotTrackColorType value) { StoreAndInvalidate(hotTrackColorType_, value); }
    bool LightTextStyle() const { return lightTextStyle_; }
    virtual void SetLightTextStyle(bool value);
    TTextStyle TextStyle() const { return textStyle_; }
    virtual void SetTextStyle(TTextStyle value);
    TColor TextHighlightColor() const { return textHighlightColor_; }
    virtual void SetTextHighlightColor(TColor value);
    TColor TextShadowColor() const { return textShadowColor_; }
    virtual void SetTextShadowColor(TColor value);
    int TextShadowDepth() const { return textShadowDepth_; }
    virtual void SetTextShadowDepth(int value);
    bool ThemeAware() const { return themeAware_; }
    virtual void SetThemeAware(bool value);
    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value);

    // Old stored forms name hot tracking this way.
    void SetFrameFlat(bool value) { SetHotTrack(value); }

    // True while the theme services paint this button.
    bool PaintsThemed() const;
    // Pressed by the mouse or the space bar, or held down.
    bool IsPressed() const { return state_ == kbsPressed || state_ == kbsDown || pressedLook_; }
    bool MouseOver() const { return mouseOver_; }
    bool PressedLook() const { return pressedLook_; }
    TKvButtonState State() const { return state_; }

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    // Paints the see-through background into a context (nothing here).
    virtual void PaintTransparentBackground(HDC dc);
    // Shows a state change (nothing here).
    virtual void InvalidateAfterStateChange();
    // Repaints when the focus comes or goes.
    virtual void RepaintOnFocusChange();
    // The part that changes when the pointer comes or goes.
    virtual RECT HotTrackRect();
    // Draws the caption in the rectangle with the text style; `format` holds DrawText flags.
    virtual void DrawCaption(TCanvas* canvas, const RECT& rect, UINT format);
    // What a click does.
    virtual void ClickAction() = 0;

    // Stores a changed value and repaints; an unchanged value does nothing.
    template <typename T>
    void StoreAndInvalidate(T& field, T value)
    {
        if (StoreChanged(field, value))
            Invalidate();
    }

    void SetState(TKvButtonState state) { state_ = state; }
    // Shows the button pressed or not (subclasses with their own key handling).
    void SetPressedLook(bool value) { pressedLook_ = value; }
    bool Active() const { return active_; }
    void SetActive(bool value) { active_ = value; }
    bool Clicking() const { return clicking_; }
    // Holds a flag at a value for the length of a call, then gives it back the
    // value it had (also when the call throws).
    template <typename Call>
    static void WithFlag(bool& flag, bool value, Call call)
    {
        const bool previous = flag;
        flag = value;
        TScopeExit restore([&flag, previous] { flag = previous; });
        call();
    }
    // Runs Click with the clicking flag set meanwhile.
    void RunClick();
    // The height of the caption as DrawText lays it out, word-wrapped and centred,
    // in the rectangle, with the canvas's present font.
    int CaptionHeight(TCanvas* canvas, const RECT& rect);
    // Forgets a press in progress (mouse or space bar): the focus or the mouse
    // went elsewhere before the button was released.
    virtual void CancelPress();
    // The frame and fill colours of hot tracking, from HotTrackColor and HotTrackColorType.
    void HotTrackColors(TColor& frame, TColor& fill) const;

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyUp(WORD& key, TShiftState shift) override;

    void Dispatch(TMessage& message) override;
    void WMEraseBkgnd(TMessage& message) override;
    void WMSetFocus(TMessage& message) override;
    void WMKillFocus(TMessage& message) override;
    void CMMouseEnter(TMessage& message) override;
    void CMMouseLeave(TMessage& message) override;
    void CMTextChanged(TMessage& message) override;

private:
    void InvalidateHotTrack();

    bool transparent_ = false;
    bool dragging_ = false;
    bool mouseOver_ = false;
    bool pressedLook_ = false;
    TKvButtonState state_ = kbsUp;
    bool active_ = false;
    bool clicking_ = false;
    bool keyToggle_ = false;

    TAlignmentVertical alignmentVertical_ = TAlignmentVertical::avCenter;
    bool hotTrack_ = false;
    TColor highlightColor_ = clHighlight;
    TColor hotTrackColor_ = 0x149BF0;
    TKvHotTrackColorType hotTrackColorType_ = TKvHotTrackColorType::htctActual;
    bool lightTextStyle_ = false;
    TTextStyle textStyle_ = TTextStyle::tsNormal;
    int textShadowDepth_ = 2;
    TColor textShadowColor_ = clBtnShadow;
    TColor textHighlightColor_ = clBtnHighlight;
    bool themeAware_ = true;
};
