// The page controls' stand-ins over system window classes.
#include "uPlainControls.h"



bool PaintInOwnColor(TWinControl* control, TMessage& message)
{
    if (message.Msg != CN_BASE + WM_CTLCOLORSTATIC)
        return false;
    auto dc = reinterpret_cast<HDC>(message.WParam);
    SetBkColor(dc, ColorToRGB(control->Color()));
    SetTextColor(dc, ColorToRGB(control->Font()->Color()));
    control->Brush()->SetColor(control->Color());
    message.Result = reinterpret_cast<LRESULT>(control->Brush()->Handle());
    return true;
}

TPlainLabel::TPlainLabel(TComponent* owner) : TWinControl(owner) { SetParentColor(true); }

void TPlainLabel::Dispatch(TMessage& message)
{
    if (!PaintInOwnColor(this, message))
        TWinControl::Dispatch(message);
}

void TPlainLabel::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    CreateSubClass(params, "STATIC");
    params.Style |= SS_NOPREFIX | (wordWrap_ ? SS_LEFT : SS_LEFTNOWORDWRAP);
}

TPlainListBox::TPlainListBox(TComponent* owner) : TWinControl(owner) { SetColor(clWindow); }

void TPlainListBox::SetItems(const std::vector<std::string>& items)
{
    items_ = items;
    Fill();
}

void TPlainListBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    CreateSubClass(params, "LISTBOX");
    params.Style |= WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_USETABSTOPS;
}

void TPlainListBox::CreateWnd()
{
    TWinControl::CreateWnd();
    if (!tabStops_.empty())
        SendMessageA(Handle(), LB_SETTABSTOPS, tabStops_.size(), reinterpret_cast<LPARAM>(tabStops_.data()));
    Fill();
}

void TPlainListBox::Fill()
{
    if (!HandleAllocated())
        return;
    SendMessageA(Handle(), LB_RESETCONTENT, 0, 0);
    for (const std::string& item : items_)
        SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}
