// TKvComboBox: the system's combo box, as a drop-down list to pick from or with
// an edit to type into. Its items live in a string list of its own, so that
// they outlast the window and every change reaches the window.
#pragma once

#include "TStringList.h"
#include "TWinControl.h"

enum class TComboBoxStyle { csDropDown, csDropDownList };

class TKvComboBox : public TWinControl {
public:
    CLASSLIB_CLASS_NAME(TKvComboBox)
    explicit TKvComboBox(TComponent* owner);

    TStrings* Items() { return &items_; }
    void SetItems(TStrings* items) { items_.Assign(items); }
    // The chosen item, -1 for none.
    int ItemIndex() const;
    void SetItemIndex(int value);
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle value);
    // How many items the opened list shows.
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int value);
    void SetBounds(int left, int top, int width, int height) override;

    // The user chose another item or typed.
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& message) override;

private:
    void ItemsChanged(TObject* sender);
    // Puts the items into the window and chooses `index`, or shows `text` when none is chosen.
    void FillWindow(int index, const std::string& text);
    void CNCommand(TMessage& message);
    // The window is as tall as the edit part plus the opened list.
    void UpdateDropDownHeight();

    TStringList items_;
    int itemIndex_ = -1;
    TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
    int dropDownCount_ = 8;
};
