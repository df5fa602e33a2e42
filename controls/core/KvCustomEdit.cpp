// The edits' shared behaviour: colours through the reflected colour messages,
// the frame through the window's styles and its non-client painting.
#include "KvCustomEdit.h"

#include "GdiHandles.h"
#include "KvFrameStyle.h"
#include "StoreChanged.h"

TKvCustomEdit::TKvCustomEdit(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

void TKvCustomEdit::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    CreateSubClass(params, "EDIT");
    params.Style |= ES_AUTOHSCROLL | ES_LEFT;
    if (readOnly_)
        params.Style |= ES_READONLY;
    KvFrameStyle::Apply(params, frameVisible_);
}

void TKvCustomEdit::CreateWnd()
{
    TWinControl::CreateWnd();
    SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
    BackgroundChanged();
}

void TKvCustomEdit::SetReadOnly(bool value)
{
    if (!StoreChanged(readOnly_, value))
        return;
    if (HandleAllocated())
        SendMessageA(Handle(), EM_SETREADONLY, value ? TRUE : FALSE, 0);
    BackgroundChanged();
}

void TKvCustomEdit::SetReadOnlyColor(TColor value)
{
    if (!StoreChanged(readOnlyColor_, value))
        return;
    if (readOnly_)
        BackgroundChanged();
}

void TKvCustomEdit::SetFrameVisible(bool value)
{
    if (!StoreChanged(frameVisible_, value))
        return;
    KvFrameStyle::Update(this, frameVisible_);
}

void TKvCustomEdit::SetFrameColor(TColor value)
{
    if (!StoreChanged(frameColor_, value))
        return;
    if (HandleAllocated() && frameVisible_)
        RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TKvCustomEdit::SetMaxLength(int value)
{
    if (!StoreChanged(maxLength_, value))
        return;
    if (HandleAllocated())
        SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(value), 0);
}

void TKvCustomEdit::BackgroundChanged() { Invalidate(); }

void TKvCustomEdit::Change()
{
    if (OnChange)
        OnChange(this);
}

void TKvCustomEdit::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case CN_BASE + WM_COMMAND: CNCommand(message); break;
    case CN_BASE + WM_CTLCOLOREDIT:
    case CN_BASE + WM_CTLCOLORSTATIC: CNCtlColor(message); break;
    case WM_NCPAINT: WMNCPaint(message); break;
    default: TWinControl::Dispatch(message); break;
    }
}

void TKvCustomEdit::CNCommand(TMessage& message)
{
    if (HIWORD(message.WParam) == EN_CHANGE)
        Change();
}

void TKvCustomEdit::CNCtlColor(TMessage& message)
{
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    TColor background = ColorToRGB(BackgroundColor());
    SetTextColor(dc, ColorToRGB(Enabled() ? Font()->Color() : clGrayText));
    SetBkColor(dc, background);
    Brush()->SetColor(background);
    message.Result = reinterpret_cast<LRESULT>(Brush()->Handle());
}

void TKvCustomEdit::CMColorChanged(TMessage& message)
{
    TWinControl::CMColorChanged(message);
    BackgroundChanged();
}

void TKvCustomEdit::WMEraseBkgnd(TMessage& message)
{
    RECT client = ClientRect();
    Brush()->SetColor(BackgroundColor());
    ::FillRect(reinterpret_cast<HDC>(message.WParam), &client, Brush()->Handle());
    message.Result = 1;
}

void TKvCustomEdit::WMNCPaint(TMessage& message)
{
    DefaultHandler(message);
    if (!frameVisible_)
        return;
    // The system drew its one-pixel border; ours goes over it in the frame colour.
    HWND window = Handle();
    RECT bounds = {};
    GetWindowRect(window, &bounds);
    OffsetRect(&bounds, -bounds.left, -bounds.top);
    TWindowDC dc(window, TWindowDCArea::WholeWindow);
    TOwnedBrush brush(CreateSolidBrush(ColorToRGB(frameColor_)));
    FrameRect(dc, &bounds, brush);
    message.Result = 0;
}
