// TKvButton: the push button of the installer's forms. It adds groups of buttons
// that stay down and release each other, the default and cancel buttons of a
// dialog, the modal result, and three face paintings: themed, hot-track and classic.
#pragma once

#include "KvCustomButton.h"

class TBitmap;

// Sent to the controls of a parent when a grouped button changes: WParam the
// group index, LParam the sending button as a TObject*. A receiver takes only a
// sender that is one of its parent's controls.
constexpr UINT CM_KVBUTTONPRESSED = 0x2421;

class TKvButton : public TKvCustomButton {
public:
    CLASSLIB_CLASS_NAME(TKvButton)
    explicit TKvButton(TComponent* owner);

    TAlignment Alignment() const { return alignment_; }
    virtual void SetAlignment(TAlignment value);
    bool AllowAllUp() const { return allowAllUp_; }
    virtual void SetAllowAllUp(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    bool Default() const { return default_; }
    virtual void SetDefault(bool value);
    bool DropDownOnEnter() const { return dropDownOnEnter_; }
    void SetDropDownOnEnter(bool value) { dropDownOnEnter_ = value; }
    bool Down() const { return down_; }
    virtual void SetDown(bool value);
    TColor FrameColor() const { return frameColor_; }
    virtual void SetFrameColor(TColor value);
    int GroupIndex() const { return groupIndex_; }
    virtual void SetGroupIndex(int value);
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }
    bool ShowDownPattern() const { return showDownPattern_; }
    virtual void SetShowDownPattern(bool value);
    bool ShowFocusRect() const { return showFocusRect_; }
    virtual void SetShowFocusRect(bool value);
    void SetHotTrack(bool value) override;

    // Acts as the dialog's default button now (Enter clicks it).
    bool IsActive() const { return Active(); }

    // Copies the modal result into the parent form, then runs OnClick (or the action).
    void Click() override;

protected:
    void CreateWnd() override;
    void Paint() override;
    void PaintTransparentBackground(HDC dc) override;
    void InvalidateAfterStateChange() override;
    void ClickAction() override;

    // Where the caption goes.
    virtual RECT CaptionRect();
    virtual void DrawCaptionAndGlyph(TCanvas* canvas);
    // The 8x8 pattern laid over a button held down in a group.
    virtual void BuildDownPattern(TBitmap* pattern);

    // The DrawText flag of the caption's horizontal alignment.
    UINT AlignmentFormat() const;
    // True while Enter or Esc clicks with DropDownOnEnter off: subclasses skip their drop-down.
    bool ClickFromKeyWithoutDropDown() const { return keyClickWithoutDropDown_; }
    bool Grouped() const { return groupIndex_ != 0; }

    void Dispatch(TMessage& message) override;
    void CMDialogKey(TMessage& message) override;
    void CMDialogChar(TMessage& message) override;
    void CMFocusChanged(TMessage& message) override;
    virtual void CMButtonPressed(TMessage& message);

private:
    // How the face shows, first match: disabled, pressed, hot, normal (grouped,
    // or neither the dialog's default nor focused), defaulted.
    enum class TFaceState { fsDisabled, fsPressed, fsHot, fsNormal, fsDefaulted };
    TFaceState FaceState() const;
    // The button of the parent that `sender` names, or nullptr.
    TKvButton* GroupSender(LPARAM sender) const;
    void BroadcastGroup();
    void ClickFromKey();
    void PaintThemedFace(const RECT& rect);
    RECT PaintHotTrackFace(RECT rect);
    RECT PaintDisabledHotTrackFace(RECT rect);
    RECT PaintClassicFace(RECT rect);
    RECT PaintGroupedClassicBorder(const RECT& rect, bool pressed);
    void PaintFaceFill(RECT rect);
    void PaintDownPattern(const RECT& rect);

    TAlignment alignment_ = TAlignment::taCenter;
    bool allowAllUp_ = false;
    bool cancel_ = false;
    bool default_ = false;
    bool dropDownOnEnter_ = true;
    bool down_ = false;
    TColor frameColor_ = cl3DDkShadow;
    int groupIndex_ = 0;
    TModalResult modalResult_ = mrNone;
    bool showDownPattern_ = true;
    bool showFocusRect_ = true;
    bool keyClickWithoutDropDown_ = false;
};
