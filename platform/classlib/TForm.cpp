// Forms: showing, modal loops, closing, placement and focus.
#include "TForm.h"

#include "ScopeExit.h"
#include "StoreChanged.h"
#include "TApplication.h"

#include <algorithm>

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner)
{
    SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
    SetVisible(false);
    SetColor(clBtnFace);
    SetBounds(0, 0, 320, 240);
    SetControlState(ControlState() + csCustomPaint);
}

TCustomForm::~TCustomForm()
{
    if (OnDestroy) {
        try {
            OnDestroy(this);
        } catch (Exception& error) {
            Application()->HandleException(this, error);
        }
    }
    Application()->FormDestroying(this);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style)
{
    if (!StoreChanged(borderStyle_, style))
        return;
    RecreateWnd();
}

void TCustomForm::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.Style &= ~static_cast<DWORD>(WS_CHILD | WS_VISIBLE);
    params.Style |= WS_CLIPCHILDREN;
    switch (borderStyle_) {
    case TFormBorderStyle::bsNone: params.Style |= WS_POPUP; break;
    case TFormBorderStyle::bsSingle: params.Style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_BORDER; break;
    case TFormBorderStyle::bsSizeable: params.Style |= WS_OVERLAPPEDWINDOW; break;
    case TFormBorderStyle::bsDialog:
        params.Style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
        params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    case TFormBorderStyle::bsToolWindow:
        params.Style |= WS_CAPTION | WS_SYSMENU;
        params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    case TFormBorderStyle::bsSizeToolWin:
        params.Style |= WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
        params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    }
    if (params.WndParent == nullptr && Application()->HandleAllocated())
        params.WndParent = Application()->Handle();
}

void TCustomForm::CreateWnd()
{
    TWinControl::CreateWnd();
}

void TCustomForm::SetClientWidth(int width)
{
    RECT client = ClientRect();
    SetWidth(Width() - (client.right - client.left) + width);
}

void TCustomForm::SetClientHeight(int height)
{
    RECT client = ClientRect();
    SetHeight(Height() - (client.bottom - client.top) + height);
}

void TCustomForm::PlaceByPosition()
{
    RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    switch (position_) {
    case TPosition::poScreenCenter:
    case TPosition::poDesktopCenter:
        break;
    case TPosition::poMainFormCenter:
    case TPosition::poOwnerFormCenter: {
        TCustomForm* around = Application()->MainForm();
        if (position_ == TPosition::poOwnerFormCenter)
            if (auto* owner = dynamic_cast<TCustomForm*>(Owner()))
                around = owner;
        if (around != nullptr && around != this)
            area = around->BoundsRect();
        break;
    }
    default:
        return;
    }
    SetBounds(area.left + (area.right - area.left - Width()) / 2, area.top + (area.bottom - area.top - Height()) / 2,
              Width(), Height());
}

void TCustomForm::Show()
{
    SetVisible(true);
    BringToFront();
}

void TCustomForm::CMShowingChanged(TMessage& message)
{
    bool show = message.WParam != 0;
    if (show) {
        PlaceByPosition();
        DoShow();
    } else {
        DoHide();
    }
    TWinControl::CMShowingChanged(message);
    if (show) {
        Application()->FormShowing(this);
        SetForegroundWindow(Handle());
        if (activeControl_ != nullptr && activeControl_->CanFocus())
            activeControl_->SetFocus();
        else if (GetFocus() != Handle() && !ContainsControl(focusedControl_))
            SelectFirst();
    }
}

void TCustomForm::DoShow()
{
    if (OnShow)
        OnShow(this);
}

void TCustomForm::DoHide()
{
    if (OnHide)
        OnHide(this);
}

namespace {
// The enabled top-level windows of this thread, taken out of use while a form is modal.
struct DisabledWindows {
    HWND keep;
    std::vector<HWND> windows;
};

BOOL CALLBACK DisableWindow(HWND window, LPARAM data)
{
    auto* disabled = reinterpret_cast<DisabledWindows*>(data);
    if (window != disabled->keep && IsWindowVisible(window) && IsWindowEnabled(window)) {
        disabled->windows.push_back(window);
        EnableWindow(window, FALSE);
    }
    return TRUE;
}
} // namespace

TModalResult TCustomForm::ShowModal()
{
    if (Visible() || modal_)
        throw Exception("Cannot make a visible window modal");
    if (GetCapture() != nullptr)
        SendMessageA(GetCapture(), WM_CANCELMODE, 0, 0);
    ReleaseCapture();
    DisabledWindows disabled{Handle(), {}};
    EnumThreadWindows(GetCurrentThreadId(), &DisableWindow, reinterpret_cast<LPARAM>(&disabled));
    HWND previousActive = GetActiveWindow();
    modal_ = true;
    modalResult_ = mrNone;
    {
        TScopeExit restore([&] {
            modal_ = false;
            for (HWND window : disabled.windows)
                if (IsWindow(window))
                    EnableWindow(window, TRUE);
            if (previousActive != nullptr && IsWindow(previousActive))
                SetActiveWindow(previousActive);
        });
        Show();
        while (modalResult_ == mrNone) {
            Application()->HandleMessage();
            if (Application()->Terminated())
                modalResult_ = mrCancel;
            else if (modalResult_ != mrNone)
                CloseModal();
        }
        Hide();
    }
    return modalResult_;
}

void TCustomForm::CloseModal()
{
    TCloseAction action = CloseQuery() ? TCloseAction::caHide : TCloseAction::caNone;
    DoClose(action);
    if (action == TCloseAction::caNone)
        modalResult_ = mrNone;
    else if (action == TCloseAction::caFree)
        Release();
}

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& action)
{
    if (OnClose)
        OnClose(this, action);
}

void TCustomForm::Close()
{
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = TCloseAction::caHide;
    DoClose(action);
    if (action == TCloseAction::caNone)
        return;
    if (Application()->MainForm() == this) {
        Application()->Terminate();
        return;
    }
    switch (action) {
    case TCloseAction::caHide: Hide(); break;
    case TCloseAction::caMinimize:
        if (HandleAllocated())
            ShowWindow(Handle(), SW_MINIMIZE);
        break;
    default: Release(); break;
    }
}

void TCustomForm::Release()
{
    if (released_)
        return;
    released_ = true;
    if (HandleAllocated())
        PostMessageA(Handle(), CM_RELEASE, 0, 0);
    else
        delete this;
}

void TCustomForm::CMRelease(TMessage&) { delete this; }

void TCustomForm::SetActiveControl(TWinControl* control)
{
    if (control == activeControl_)
        return;
    if (control != nullptr && (!ContainsControl(control) || control == this))
        throw Exception("Invalid active control");
    activeControl_ = control;
    if (control != nullptr && Showing() && control->CanFocus())
        ::SetFocus(control->Handle());
}

void TCustomForm::FocusControl(TWinControl* control)
{
    if (control == nullptr)
        return;
    activeControl_ = control;
    if (Showing() && control->CanFocus())
        ::SetFocus(control->Handle());
}

void TCustomForm::DefocusControl(TWinControl* control, bool removing)
{
    bool inside = control != nullptr && control->ContainsControl(activeControl_);
    if (removing && inside)
        activeControl_ = nullptr;
    if (control != nullptr && control->ContainsControl(focusedControl_)) {
        focusedControl_ = nullptr;
        if (HandleAllocated() && GetFocus() != nullptr && IsChild(Handle(), GetFocus()))
            ::SetFocus(Handle());
    }
}

void TCustomForm::ControlRemoving(TControl* control)
{
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (windowed == nullptr)
        return;
    if (windowed->ContainsControl(activeControl_))
        activeControl_ = nullptr;
    if (windowed->ContainsControl(focusedControl_))
        focusedControl_ = nullptr;
}

bool TCustomForm::SetFocusedControl(TWinControl* control)
{
    if (control == focusedControl_)
        return true;
    TWinControl* previous = focusedControl_;
    focusedControl_ = control;
    if (control != this)
        activeControl_ = control;
    if (previous != nullptr && previous != this)
        previous->DoExit();
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
    if (control != nullptr && control != this && focusedControl_ == control)
        control->DoEnter();
    return true;
}

void TCustomForm::SelectFirst()
{
    if (TWinControl* first = FindNextControl(nullptr, true, true, false))
        first->SetFocus();
}

void TCustomForm::CMDialogKey(TMessage& message)
{
    WORD key = MessageParams::KeyCode(message);
    TShiftState shift = KeyboardShiftState();
    if (!shift.Contains(ssAlt) && !shift.Contains(ssCtrl)) {
        TWinControl* current = focusedControl_ != nullptr && focusedControl_ != this ? focusedControl_ : nullptr;
        switch (key) {
        case VK_TAB:
            SelectNext(current, !shift.Contains(ssShift), true);
            message.Result = 1;
            return;
        case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN:
            if (current != nullptr) {
                // Arrows move among the controls of one parent.
                if (current->Parent() != nullptr) {
                    if (TWinControl* next = current->Parent()->FindNextControl(
                            current, key == VK_RIGHT || key == VK_DOWN, false, true))
                        next->SetFocus();
                }
                message.Result = 1;
                return;
            }
            break;
        default:
            break;
        }
    }
    TWinControl::CMDialogKey(message);
}

void TCustomForm::PaintWindow(HDC dc)
{
    (void)dc;
    Paint();
}

void TCustomForm::Paint()
{
    if (OnPaint)
        OnPaint(this);
}

void TCustomForm::WMClose(TMessage&) { Close(); }

void TCustomForm::WMActivate(TMessage& message)
{
    bool active = LOWORD(message.WParam) != WA_INACTIVE;
    if (active) {
        Application()->FormActivated(this);
        // Default activation would put the focus on the form itself.
        if (activeControl_ != nullptr && activeControl_->CanFocus())
            ::SetFocus(activeControl_->Handle());
        else
            DefaultHandler(message);
        if (OnActivate)
            OnActivate(this);
    } else {
        DefaultHandler(message);
        if (OnDeactivate)
            OnDeactivate(this);
    }
}

void TCustomForm::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case WM_CLOSE: WMClose(message); break;
    case WM_ACTIVATE: WMActivate(message); break;
    case CM_RELEASE: CMRelease(message); break;
    default: TWinControl::Dispatch(message); break;
    }
}
