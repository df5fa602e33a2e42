// TKvCustomEdit: the common part of the library's edits: a one-line system edit
// (a subclass may build on another edit class), read-only state with its own
// background colour, and either the sunken 3-D edge or, with FrameVisible, a
// flat one-pixel frame in FrameColor.
#pragma once

#include "TWinControl.h"

class TKvCustomEdit : public TWinControl {
public:
    CLASSLIB_CLASS_NAME(TKvCustomEdit)
    explicit TKvCustomEdit(TComponent* owner);

    bool ReadOnly() const { return readOnly_; }
    virtual void SetReadOnly(bool value);
    // The background while read-only (Color is the background otherwise).
    TColor ReadOnlyColor() const { return readOnlyColor_; }
    void SetReadOnlyColor(TColor value);
    bool FrameVisible() const { return frameVisible_; }
    void SetFrameVisible(bool value);
    TColor FrameColor() const { return frameColor_; }
    void SetFrameColor(TColor value);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value);

    // The colour the background shows now.
    TColor BackgroundColor() const { return readOnly_ ? readOnlyColor_ : Color(); }

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& message) override;
    void WMEraseBkgnd(TMessage& message) override;
    void CMColorChanged(TMessage& message) override;
    // The background changed: system edits ask for it again when they paint,
    // others are told here.
    virtual void BackgroundChanged();
    virtual void Change();

private:
    void CNCommand(TMessage& message);
    void CNCtlColor(TMessage& message);
    void WMNCPaint(TMessage& message);

    bool readOnly_ = false;
    TColor readOnlyColor_ = clWindow;
    bool frameVisible_ = false;
    TColor frameColor_ = clBtnShadow;
    int maxLength_ = 0;
};
