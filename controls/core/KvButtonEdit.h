// TKvButtonEdit: a one-line edit with a browse button at its right end; the
// button raises OnButtonClick. A read-only edit hides the button unless
// HideButtonsOnReadOnly is off. It is no TKvEdit: code that treats the two
// kinds differently tells them apart by class.
#pragma once

#include "KvCustomEdit.h"

class TKvEditButton;

class TKvButtonEdit : public TKvCustomEdit {
public:
    CLASSLIB_CLASS_NAME(TKvButtonEdit)
    explicit TKvButtonEdit(TComponent* owner);

    bool HideButtonsOnReadOnly() const { return hideButtonsOnReadOnly_; }
    void SetHideButtonsOnReadOnly(bool value);
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int value);
    void SetReadOnly(bool value) override;
    TKvEditButton* Button() const { return button_; }
    // Whether the button shows now.
    bool ButtonVisible() const;

    TNotifyEvent OnButtonClick;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Resize() override;
    void WndProc(TMessage& message) override;

private:
    // Places the button and keeps the text clear of it.
    void LayoutButton();
    void ButtonClicked(TObject* sender);

    TKvEditButton* button_ = nullptr;
    bool hideButtonsOnReadOnly_ = true;
    int buttonWidth_ = 18;
};
