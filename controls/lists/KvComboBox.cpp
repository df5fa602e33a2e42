// Combo boxes over the system's COMBOBOX class.
#include "KvComboBox.h"

#include "StoreChanged.h"

#include <algorithm>

TKvComboBox::TKvComboBox(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 145, 21);
    SetTabStop(true);
    SetColor(clWindow);
    items_.OnChange = TNotifyEvent(this, &TKvComboBox::ItemsChanged);
}

void TKvComboBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    CreateSubClass(params, "COMBOBOX");
    params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL |
                    (style_ == TComboBoxStyle::csDropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN);
}

void TKvComboBox::CreateWnd()
{
    TWinControl::CreateWnd();
    FillWindow(itemIndex_, text_);
    UpdateDropDownHeight();
}

void TKvComboBox::DestroyWnd()
{
    itemIndex_ = ItemIndex();
    TWinControl::DestroyWnd();
}

void TKvComboBox::ItemsChanged(TObject*)
{
    if (HandleAllocated())
        FillWindow(ItemIndex(), Text());
}

void TKvComboBox::FillWindow(int index, const std::string& text)
{
    HWND window = Handle();
    SendMessageA(window, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < items_.Count(); ++i)
        SendMessageA(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items_.Strings(i).c_str()));
    // The choice stays where it still names an item; a typed text stays as it was.
    if (index >= 0 && index < items_.Count())
        SendMessageA(window, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    else if (style_ == TComboBoxStyle::csDropDown)
        SetWindowTextA(window, text.c_str());
}

int TKvComboBox::ItemIndex() const
{
    if (!HandleAllocated())
        return itemIndex_;
    HWND window = const_cast<TKvComboBox*>(this)->Handle();
    return static_cast<int>(SendMessageA(window, CB_GETCURSEL, 0, 0));
}

void TKvComboBox::SetItemIndex(int value)
{
    if (value < -1 || value >= items_.Count())
        value = -1;
    itemIndex_ = value;
    if (HandleAllocated())
        SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(value), 0);
}

void TKvComboBox::SetStyle(TComboBoxStyle value)
{
    if (!StoreChanged(style_, value))
        return;
    RecreateWnd();
}

void TKvComboBox::SetDropDownCount(int value)
{
    if (!StoreChanged(dropDownCount_, value))
        return;
    UpdateDropDownHeight();
}

void TKvComboBox::SetBounds(int left, int top, int width, int height)
{
    TWinControl::SetBounds(left, top, width, height);
    UpdateDropDownHeight();
}

void TKvComboBox::UpdateDropDownHeight()
{
    if (!HandleAllocated())
        return;
    HWND window = Handle();
    int itemHeight = static_cast<int>(SendMessageA(window, CB_GETITEMHEIGHT, 0, 0));
    int editHeight = static_cast<int>(SendMessageA(window, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    int listHeight = itemHeight * std::max(1, dropDownCount_) + 2;
    // Only the window's height changes; the control's Height stays the edit part's.
    SetWindowPos(window, nullptr, 0, 0, Width(), editHeight + 6 + listHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

void TKvComboBox::Dispatch(TMessage& message)
{
    if (message.Msg == CN_BASE + WM_COMMAND) {
        CNCommand(message);
        return;
    }
    TWinControl::Dispatch(message);
}

void TKvComboBox::CNCommand(TMessage& message)
{
    switch (HIWORD(message.WParam)) {
    case CBN_SELCHANGE:
    case CBN_EDITCHANGE:
        itemIndex_ = ItemIndex();
        if (OnChange)
            OnChange(this);
        break;
    default:
        break;
    }
}
