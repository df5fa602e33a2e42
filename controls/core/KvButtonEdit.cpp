// Button edits: the button is a child window of the edit, placed over the right
// margin that the edit keeps free of text.
#include "KvButtonEdit.h"

#include "KvEditButton.h"
#include "StoreChanged.h"

TKvButtonEdit::TKvButtonEdit(TComponent* owner) : TKvCustomEdit(owner)
{
    button_ = new TKvEditButton(this);
    button_->SetParent(this);
    button_->OnClick = TNotifyEvent(this, &TKvButtonEdit::ButtonClicked);
}

void TKvButtonEdit::CreateParams(TCreateParams& params)
{
    TKvCustomEdit::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN; // the edit's painting leaves the button alone
}

void TKvButtonEdit::CreateWnd()
{
    TKvCustomEdit::CreateWnd();
    LayoutButton();
}

void TKvButtonEdit::Resize()
{
    LayoutButton();
    TKvCustomEdit::Resize();
}

void TKvButtonEdit::WndProc(TMessage& message)
{
    TKvCustomEdit::WndProc(message);
    // A new font resets the edit's margins to the font's own.
    if (message.Msg == WM_SETFONT)
        LayoutButton();
}

void TKvButtonEdit::SetHideButtonsOnReadOnly(bool value)
{
    if (!StoreChanged(hideButtonsOnReadOnly_, value))
        return;
    LayoutButton();
}

void TKvButtonEdit::SetButtonWidth(int value)
{
    if (!StoreChanged(buttonWidth_, value))
        return;
    LayoutButton();
}

void TKvButtonEdit::SetReadOnly(bool value)
{
    TKvCustomEdit::SetReadOnly(value);
    LayoutButton();
}

bool TKvButtonEdit::ButtonVisible() const { return !(ReadOnly() && hideButtonsOnReadOnly_); }

void TKvButtonEdit::LayoutButton()
{
    if (button_ == nullptr)
        return;
    bool visible = ButtonVisible();
    button_->SetVisible(visible);
    if (!HandleAllocated())
        return;
    RECT client = ClientRect();
    button_->SetBounds(client.right - buttonWidth_, 0, buttonWidth_, client.bottom);
    SendMessageA(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, visible ? buttonWidth_ : 0));
}

void TKvButtonEdit::ButtonClicked(TObject*)
{
    if (OnButtonClick)
        OnButtonClick(this);
}
