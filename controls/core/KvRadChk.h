// KvRadChk: glyph buttons, a small mark beside a caption: the radio button (the
// radio buttons of one parent exclude each other) and the three-state check box.
// The glyph comes from a custom strip of cells, the theme, the library's own
// painters or the system's frame control.
#pragma once

#include "KvCommon.h"
#include "KvCustomButton.h"
#include "KvFrameController.h"
#include "TBitmap.h"

#include <memory>

class TKvCheckedActionLink;

class TKvCustomGlyphButton : public TKvCustomButton, public IKvFrameSettingsSink {
public:
    CLASSLIB_CLASS_NAME(TKvCustomGlyphButton)
    explicit TKvCustomGlyphButton(TComponent* owner);
    ~TKvCustomGlyphButton() override;

    TAlignment Alignment() const { return alignment_; }
    virtual void SetAlignment(TAlignment value);
    virtual bool Checked() const { return false; }
    virtual void SetChecked(bool) {}

    // A horizontal strip of equal cells, one per glyph state.
    TBitmap* CustomGlyphs() { return customGlyphs_.get(); }
    virtual void SetCustomGlyphs(TBitmap* value);
    bool UseCustomGlyphs() const { return useCustomGlyphs_; }
    virtual void SetUseCustomGlyphs(bool value);
    int GlyphWidth() const { return glyphWidth_; }
    int GlyphHeight() const { return glyphHeight_; }
    int NumGlyphs() const { return numGlyphs_; }
    // Where the glyph sits in the client area.
    RECT GlyphRect();

    TColor FillColor() const { return fillColor_; }
    virtual void SetFillColor(TColor value);
    TColor FocusColor() const { return focusColor_; }
    virtual void SetFocusColor(TColor value);
    TColor FrameColor() const { return frameColor_; }
    virtual void SetFrameColor(TColor value);
    TColor DisabledColor() const { return disabledColor_; }
    virtual void SetDisabledColor(TColor value);
    bool ReadOnly() const { return readOnly_; }
    virtual void SetReadOnly(bool value);
    TColor ReadOnlyColor() const { return readOnlyColor_; }
    virtual void SetReadOnlyColor(TColor value);
    bool ReadOnlyColorOnFocus() const { return readOnlyColorOnFocus_; }
    void SetReadOnlyColorOnFocus(bool value);
    TColor TransparentColor() const { return transparentColor_; }
    virtual void SetTransparentColor(TColor value);
    TColor WinMaskColor() const { return winMaskColor_; }
    virtual void SetWinMaskColor(TColor value);
    KvCommon::TKvButtonHotTrackStyle HotTrackStyle() const { return hotTrackStyle_; }
    void SetHotTrackStyle(KvCommon::TKvButtonHotTrackStyle value);
    bool TabOnEnter() const { return tabOnEnter_; }
    void SetTabOnEnter(bool value) { tabOnEnter_ = value; }
    TKvFrameController* FrameController() const { return frameLink_.Controller(); }
    virtual void SetFrameController(TKvFrameController* value);
    TKvFrameControllerNotifications FrameControllerNotifications() const { return frameControllerNotifications_; }
    void SetFrameControllerNotifications(TKvFrameControllerNotifications value)
    {
        frameControllerNotifications_ = value;
    }
    void SetTransparent(bool value) override;
    // Old stored forms name hot tracking this way.
    void SetFlat(bool value) { SetHotTrack(value); }

    // Takes the frame controller's colours and hot tracking (the control reads its own controller).
    void UpdateFrame(TKvFrameController* controller, TKvFrameControllerNotifications changed) override;

protected:
    friend class TKvCheckedActionLink;
    TControlActionLink* CreateActionLink() override;
    // Also takes the action's checked state, unless only defaults are taken and the control is checked.
    void ActionChange(TObject* sender, bool checkDefaults) override;

    // Paints the glyph of the present state into a glyph-sized bitmap.
    virtual void PaintGlyph(TBitmap* cell) = 0;
    // Touches up the composed glyph (nothing here).
    virtual void PostProcessGlyph(TBitmap* glyph);
    // Composes the glyph and draws it on the canvas (the control's own when none is given).
    virtual void DrawGlyph(TCanvas* canvas = nullptr);
    // Sizes the target to width x height and copies cell `index` of the source strip into it.
    virtual void CutGlyphCell(int index, TBitmap* target, int height, int width, TBitmap* source);

    // The colours the library's glyph painters are given for the present state.
    KvCommon::TKvGlyphColors GlyphColors();
    void SetNumGlyphs(int count);
    bool ClicksDisabled() const { return clicksDisabled_; }
    // Sets Checked for the action: no click runs meanwhile (that would execute the action itself).
    void SetCheckedWithoutClick(bool value);
    bool UsingMouse() const { return usingMouse_; }
    void CancelPress() override;
    // The cached background is taken again at the next paint.
    void MarkBackgroundStale() { backgroundStale_ = true; }

    void Paint() override;
    void Notification(TComponent* component, TOperation operation) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void WMEraseBkgnd(TMessage& message) override;
    void WMSize(TMessage& message) override;
    void CMEnabledChanged(TMessage& message) override;
    void CMColorChanged(TMessage& message) override;
    void CMParentColorChanged(TMessage& message) override;

private:
    void CustomGlyphsChanged(TObject* sender);
    void UpdateGlyphSize();

    int numGlyphs_ = 2;
    int glyphWidth_ = KvCommon::kGlyphCellSize;
    int glyphHeight_ = KvCommon::kGlyphCellSize;
    std::unique_ptr<TBitmap> customGlyphs_ = std::make_unique<TBitmap>();
    bool useCustomGlyphs_ = false;
    TColor frameColor_ = clBtnShadow;
    TColor fillColor_ = clWindow;
    TColor focusColor_ = clWindow;
    TColor disabledColor_ = clBtnFace;
    TColor readOnlyColor_ = clInfoBk;
    TColor transparentColor_ = clOlive;
    TColor winMaskColor_ = clLime;
    bool readOnly_ = false;
    bool readOnlyColorOnFocus_ = false;
    TAlignment alignment_ = TAlignment::taRightJustify;
    bool tabOnEnter_ = false;
    KvCommon::TKvButtonHotTrackStyle hotTrackStyle_ = KvCommon::htsInterior;
    TKvFrameControllerLink frameLink_{this, this};
    TKvFrameControllerNotifications frameControllerNotifications_ = fcnAll;
    std::unique_ptr<TBitmap> background_ = std::make_unique<TBitmap>();
    bool backgroundStale_ = true;
    bool clicksDisabled_ = false;
    bool usingMouse_ = false;
};

class TKvRadioButton : public TKvCustomGlyphButton {
public:
    CLASSLIB_CLASS_NAME(TKvRadioButton)
    explicit TKvRadioButton(TComponent* owner);

    bool Checked() const override { return checked_; }
    // Checking unchecks every other radio button of the same parent; TabStop follows.
    void SetChecked(bool value) override;
    // The radio buttons of one parent share it.
    void SetReadOnly(bool value) override;

protected:
    void PaintGlyph(TBitmap* cell) override;
    // Blends the frame colour into the pixels round the circle's edge.
    void PostProcessGlyph(TBitmap* glyph) override;
    void ClickAction() override;
    void Dispatch(TMessage& message) override;
    void WMSetFocus(TMessage& message) override;
    void CMDialogKey(TMessage& message) override;
    void CMDialogChar(TMessage& message) override;

private:
    // The other radio buttons of this one's parent.
    template <typename F>
    void ForEachSibling(F action);

    bool checked_ = false;
};

class TKvCustomCheckBox : public TKvCustomGlyphButton {
public:
    CLASSLIB_CLASS_NAME(TKvCustomCheckBox)
    explicit TKvCustomCheckBox(TComponent* owner);

    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool value) { allowGrayed_ = value; }
    TCheckBoxState State() const { return state_; }
    virtual void SetState(TCheckBoxState value);
    bool Checked() const override { return state_ == cbChecked; }
    void SetChecked(bool value) override { SetState(value ? cbChecked : cbUnchecked); }

protected:
    void PaintGlyph(TBitmap* cell) override;
    void ClickAction() override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyUp(WORD& key, TShiftState shift) override;
    void CancelPress() override;
    void CMDialogChar(TMessage& message) override;
    void Dispatch(TMessage& message) override;

private:
    bool allowGrayed_ = false;
    TCheckBoxState state_ = cbUnchecked;
    bool spaceToggles_ = false;
};

// The check box with its settings published.
class TKvCheckBox : public TKvCustomCheckBox {
public:
    CLASSLIB_CLASS_NAME(TKvCheckBox)
    using TKvCustomCheckBox::TKvCustomCheckBox;
};
