// Windowed controls: window creation, children, alignment, focus and keys, and the
// bridge from window messages to the dispatch.
#include "TWinControl.h"

#include "OwnedDC.h"
#include "ScopeExit.h"
#include "StoreChanged.h"
#include "TApplication.h"
#include "TControlCanvas.h"
#include "TForm.h"

#include <algorithm>
#include <map>

namespace {

const char* const kControlProperty = "ClasslibControl";

// The control whose window CreateWindowEx is making now: it takes the first
// message, which comes before CreateWindowEx returns.
thread_local TWinControl* creatingControl = nullptr;

// The system window procedure behind each class built on a system class.
std::map<std::string, WNDPROC>& SystemProcedures()
{
    static std::map<std::string, WNDPROC> procedures;
    return procedures;
}

// Nesting of dispatched window messages: control canvases let their contexts go
// when the outermost message is done.
int messageDepth = 0;

bool IsDialogKey(WORD key)
{
    switch (key) {
    case VK_TAB: case VK_RETURN: case VK_ESCAPE: case VK_CANCEL:
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
        return true;
    default:
        return false;
    }
}

} // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner)
{
    brush_.SetColor(Color());
}

TWinControl::~TWinControl()
{
    destroying_ = true;
    // A parent frees its children (they also leave their owner as they go).
    while (!controls_.empty())
        delete controls_.back();
    if (Parent() != nullptr)
        Parent()->RemoveControl(this);
    DestroyHandle();
}

// ---- window ---------------------------------------------------------------

HWND TWinControl::Handle()
{
    HandleNeeded();
    return handle_;
}

void TWinControl::HandleNeeded()
{
    if (handle_ != nullptr || destroying_)
        return;
    if (Parent() != nullptr)
        Parent()->HandleNeeded();
    if (handle_ == nullptr)
        CreateWnd();
}

void TWinControl::SetParentWindow(HWND window)
{
    if (!StoreChanged(parentWindow_, window))
        return;
    if (Parent() == nullptr && handle_ != nullptr)
        RecreateWnd();
}

void TWinControl::CreateParams(TCreateParams& params)
{
    params.Caption = text_;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (ControlStyle().Contains(csAcceptsControls))
        params.Style |= WS_CLIPCHILDREN;
    if (!Enabled())
        params.Style |= WS_DISABLED;
    if (tabStop_)
        params.Style |= WS_TABSTOP;
    // A child window shows whenever its parent does; a top-level one is shown by ShowWindow.
    if (Visible() && Parent() != nullptr)
        params.Style |= WS_VISIBLE;
    params.X = Left();
    params.Y = Top();
    params.Width = Width();
    params.Height = Height();
    params.WndParent = Parent() != nullptr ? Parent()->handle_ : parentWindow_;
    params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    params.WindowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    params.WindowClass.hInstance = GetModuleHandleA(nullptr);
    params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& params, const char* systemClassName)
{
    WNDCLASSA system = {};
    if (!GetClassInfoA(nullptr, systemClassName, &system))
        throw EOSError(std::string("Window class ") + systemClassName + " is not available");
    UINT keep = params.WindowClass.style & CS_DBLCLKS;
    params.WindowClass = system;
    params.WindowClass.style = (system.style & ~static_cast<UINT>(CS_GLOBALCLASS)) | keep;
    params.WindowClass.hInstance = GetModuleHandleA(nullptr);
    params.DefWndProc = system.lpfnWndProc;
}

void TWinControl::CreateWnd()
{
    TCreateParams params;
    CreateParams(params);
    if ((params.Style & WS_CHILD) && params.WndParent == nullptr)
        throw Exception(std::string("Control '") + Name() + "' has no parent window");

    WNDCLASSA existing = {};
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!GetClassInfoA(instance, params.WinClassName.c_str(), &existing)) {
        WNDCLASSA windowClass = params.WindowClass;
        windowClass.lpfnWndProc = &TWinControl::InitWndProc;
        windowClass.lpszClassName = params.WinClassName.c_str();
        windowClass.hInstance = instance;
        if (RegisterClassA(&windowClass) == 0)
            throw EOSError("Cannot register window class " + params.WinClassName);
        SystemProcedures()[params.WinClassName] = params.DefWndProc != nullptr ? params.DefWndProc : DefWindowProcA;
    }
    auto known = SystemProcedures().find(params.WinClassName);
    defWndProc_ = known != SystemProcedures().end() ? known->second : DefWindowProcA;

    CreateWindowHandle(params);
    if (handle_ == nullptr)
        throw EOSError("Cannot create the window of " + std::string(ClassName()));
    if (params.DefWndProc != nullptr || defWndProc_ != DefWindowProcA)
        SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
    CreateChildHandles();
    Realign();
}

void TWinControl::CreateWindowHandle(const TCreateParams& params)
{
    TWinControl* outer = creatingControl;
    creatingControl = this;
    HWND window = CreateWindowExA(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(), params.Style,
                                  params.X, params.Y, params.Width, params.Height, params.WndParent, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    creatingControl = outer;
    if (window != nullptr && handle_ == nullptr) {
        handle_ = window;
        SetPropA(window, kControlProperty, this);
    }
}

void TWinControl::CreateChildHandles()
{
    for (TControl* control : controls_)
        if (auto* child = dynamic_cast<TWinControl*>(control))
            child->HandleNeeded();
}

void TWinControl::DestroyWnd()
{
    // The caption lives on in the control while it has no window.
    text_ = GetText();
    TControlCanvas::FreeDeviceContexts();
    DestroyWindow(handle_);
}

void TWinControl::DestroyHandle()
{
    if (handle_ == nullptr)
        return;
    for (TControl* control : controls_)
        if (auto* child = dynamic_cast<TWinControl*>(control))
            child->DestroyHandle();
    DestroyWnd();
    handle_ = nullptr;
}

void TWinControl::RecreateWnd()
{
    if (handle_ == nullptr)
        return;
    DestroyHandle();
    UpdateShowing();
}

LRESULT CALLBACK TWinControl::InitWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* control = static_cast<TWinControl*>(GetPropA(window, kControlProperty));
    if (control == nullptr && creatingControl != nullptr && creatingControl->handle_ == nullptr) {
        control = creatingControl;
        control->handle_ = window;
        SetPropA(window, kControlProperty, control);
    }
    if (control == nullptr) {
        char className[256] = {};
        GetClassNameA(window, className, sizeof(className));
        auto known = SystemProcedures().find(className);
        WNDPROC procedure = known != SystemProcedures().end() ? known->second : DefWindowProcA;
        return CallWindowProcA(procedure, window, msg, wParam, lParam);
    }
    if (control->destroying_) {
        // The object is going: the window only needs its default handling now.
        LRESULT result = CallWindowProcA(control->defWndProc_, window, msg, wParam, lParam);
        if (msg == WM_NCDESTROY) {
            RemovePropA(window, kControlProperty);
            control->handle_ = nullptr;
        }
        return result;
    }
    TMessage message;
    message.Msg = msg;
    message.WParam = wParam;
    message.LParam = lParam;
    ++messageDepth;
    try {
        control->WndProc(message);
    } catch (...) {
        Application()->HandleCurrentException(control);
    }
    if (--messageDepth == 0)
        TControlCanvas::FreeDeviceContexts();
    return message.Result;
}

void TWinControl::DefaultHandler(TMessage& message)
{
    if (handle_ == nullptr) {
        TControl::DefaultHandler(message);
        return;
    }
    message.Result = CallWindowProcA(defWndProc_, handle_, message.Msg, message.WParam, message.LParam);
}

// ---- children -------------------------------------------------------------

void TWinControl::InsertControl(TControl* control)
{
    controls_.push_back(control);
    control->parent_ = this;
    if (auto* child = dynamic_cast<TWinControl*>(control)) {
        tabList_.push_back(child);
        if (handle_ != nullptr && child->Visible())
            child->HandleNeeded();
        else if (child->handle_ != nullptr)
            ::SetParent(child->handle_, handle_);
    }
    if (control->ParentColor())
        control->Perform(CM_PARENTCOLORCHANGED);
    if (control->ParentFont())
        control->Perform(CM_PARENTFONTCHANGED);
    control->Perform(CM_PARENTBIDIMODECHANGED);
    control->InvalidateControl(control->Visible(), false);
    control->RequestAlign();
}

void TWinControl::RemoveControl(TControl* control)
{
    auto found = std::find(controls_.begin(), controls_.end(), control);
    if (found == controls_.end())
        return;
    if (TCustomForm* form = GetParentForm(this))
        form->ControlRemoving(control);
    control->InvalidateControl(control->Visible(), false);
    if (auto* child = dynamic_cast<TWinControl*>(control)) {
        tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), child), tabList_.end());
        // A child window cannot live without its parent.
        child->DestroyHandle();
    }
    controls_.erase(std::find(controls_.begin(), controls_.end(), control));
    control->parent_ = nullptr;
    if (control->Align() != TAlign::alNone)
        Realign();
}

void TWinControl::MoveControlToFront(TControl* control)
{
    auto found = std::find(controls_.begin(), controls_.end(), control);
    if (found == controls_.end())
        return;
    controls_.erase(found);
    controls_.push_back(control);
    if (auto* child = dynamic_cast<TWinControl*>(control)) {
        if (child->handle_ != nullptr)
            SetWindowPos(child->handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    } else {
        control->Invalidate();
    }
}

void TWinControl::BringToFront()
{
    if (Parent() != nullptr) {
        TControl::BringToFront();
    } else if (handle_ != nullptr) {
        SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
}

bool TWinControl::ContainsControl(TControl* control) const
{
    while (control != nullptr && control != this)
        control = control->Parent();
    return control == this;
}

TControl* TWinControl::ControlAtPos(POINT point, bool allowDisabled)
{
    // Topmost first: windowless children lie under windowed ones, later over earlier.
    for (int pass = 0; pass < 2; ++pass) {
        for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
            TControl* control = *it;
            bool windowed = dynamic_cast<TWinControl*>(control) != nullptr;
            if (windowed != (pass == 0))
                continue;
            RECT bounds = control->BoundsRect();
            if (control->Visible() && (allowDisabled || control->Enabled()) && PtInRect(&bounds, point))
                return control;
        }
    }
    return nullptr;
}

void TWinControl::Broadcast(TMessage& message)
{
    std::vector<TControl*> targets = controls_;
    for (TControl* control : targets) {
        if (std::find(controls_.begin(), controls_.end(), control) == controls_.end())
            continue; // freed by an earlier receiver
        control->WndProc(message);
        if (message.Result != 0)
            return;
    }
}

void TWinControl::NotifyControls(UINT msg)
{
    TMessage message;
    message.Msg = msg;
    Broadcast(message);
}

// ---- tab order and focus --------------------------------------------------

void TWinControl::SetTabStop(bool value)
{
    if (!StoreChanged(tabStop_, value))
        return;
    if (handle_ != nullptr) {
        LONG_PTR style = GetWindowLongPtrA(handle_, GWL_STYLE);
        style = value ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
        SetWindowLongPtrA(handle_, GWL_STYLE, style);
    }
}

int TWinControl::TabOrder() const
{
    if (Parent() == nullptr)
        return -1;
    const auto& list = Parent()->tabList_;
    auto found = std::find(list.begin(), list.end(), this);
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

void TWinControl::SetTabOrder(int order)
{
    if (Parent() == nullptr)
        return;
    auto& list = Parent()->tabList_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    order = std::max(0, std::min(order, static_cast<int>(list.size())));
    list.insert(list.begin() + order, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list)
{
    for (TWinControl* child : tabList_) {
        list.push_back(child);
        child->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent)
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty())
        return nullptr;
    int count = static_cast<int>(list.size());
    int start = -1;
    auto found = std::find(list.begin(), list.end(), current);
    if (found != list.end())
        start = static_cast<int>(found - list.begin());
    else if (!goForward)
        start = 0;
    int index = start;
    for (int step = 0; step < count; ++step) {
        index = goForward ? (index + 1) % count : (index - 1 + count) % count;
        TWinControl* candidate = list[static_cast<size_t>(index)];
        if (candidate == current)
            break;
        if ((!checkTabStop || candidate->TabStop()) && (!checkParent || candidate->Parent() == this) &&
            candidate->CanFocus())
            return candidate;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop)
{
    if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, false))
        next->SetFocus();
}

bool TWinControl::CanFocus()
{
    TCustomForm* form = GetParentForm(this);
    if (form == nullptr)
        return false;
    for (TControl* control = this; control != nullptr; control = control->Parent())
        if (!control->Visible() || !control->Enabled())
            return false;
    return true;
}

bool TWinControl::Focused() const { return handle_ != nullptr && GetFocus() == handle_; }

void TWinControl::SetFocus()
{
    if (TCustomForm* form = GetParentForm(this)) {
        form->FocusControl(this);
    } else if (Parent() == nullptr && Handle() != nullptr) {
        ::SetFocus(handle_);
    }
}

void TWinControl::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit)
        OnExit(this);
}

// ---- geometry -------------------------------------------------------------

RECT TWinControl::ClientRect()
{
    if (handle_ == nullptr)
        return TControl::ClientRect();
    RECT rect = {};
    GetClientRect(handle_, &rect);
    return rect;
}

POINT TWinControl::ClientOrigin()
{
    if (handle_ == nullptr)
        return TControl::ClientOrigin();
    POINT origin = {0, 0};
    ::ClientToScreen(handle_, &origin);
    return origin;
}

bool TWinControl::Showing() const
{
    return handle_ != nullptr && IsWindowVisible(handle_);
}

void TWinControl::SetBounds(int left, int top, int width, int height)
{
    if (left == Left() && top == Top() && width == Width() && height == Height())
        return;
    if (handle_ != nullptr) {
        // The window reports its new place back through WM_WINDOWPOSCHANGED.
        SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        if (Left() != left || Top() != top || Width() != width || Height() != height) {
            UpdateBoundsFields(left, top, width, height);
        }
        RequestAlign();
        return;
    }
    bool resized = width != Width() || height != Height();
    UpdateBoundsFields(left, top, width, height);
    if (resized) {
        Realign();
        Resize();
    }
    RequestAlign();
}

void TWinControl::ChangeScale(int multiplier, int divider)
{
    if (multiplier == divider || divider == 0)
        return;
    DisableAlign();
    TScopeExit enableAlign([this] { EnableAlign(); });
    for (TControl* control : std::vector<TControl*>(controls_))
        control->ChangeScale(multiplier, divider);
    TControl::ChangeScale(multiplier, divider);
}

void TWinControl::EnableAlign()
{
    if (alignDisabled_ > 0 && --alignDisabled_ == 0)
        Realign();
}

void TWinControl::Realign()
{
    if (alignDisabled_ > 0 || aligning_)
        return;
    RECT rect = ClientRect();
    AdjustClientRect(rect);
    aligning_ = true;
    TScopeExit aligned([this] { aligning_ = false; });
    AlignControls(nullptr, rect);
}

void TWinControl::AdjustClientRect(RECT&) {}

void TWinControl::AlignControls(TControl*, RECT& rect)
{
    // Top and bottom bands first, then left and right, then what fills the rest;
    // each band in the order of its position.
    const TAlign order[] = {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient};
    for (TAlign align : order) {
        std::vector<TControl*> list;
        for (TControl* control : controls_)
            if (control->Align() == align && control->Visible())
                list.push_back(control);
        std::stable_sort(list.begin(), list.end(), [align](TControl* a, TControl* b) {
            switch (align) {
            case TAlign::alTop: return a->Top() < b->Top();
            case TAlign::alBottom: return a->Top() + a->Height() > b->Top() + b->Height();
            case TAlign::alLeft: return a->Left() < b->Left();
            case TAlign::alRight: return a->Left() + a->Width() > b->Left() + b->Width();
            default: return false;
            }
        });
        for (TControl* control : list) {
            int width = rect.right - rect.left, height = rect.bottom - rect.top;
            switch (align) {
            case TAlign::alTop:
                control->SetBounds(rect.left, rect.top, width, control->Height());
                rect.top += control->Height();
                break;
            case TAlign::alBottom:
                control->SetBounds(rect.left, rect.bottom - control->Height(), width, control->Height());
                rect.bottom -= control->Height();
                break;
            case TAlign::alLeft:
                control->SetBounds(rect.left, rect.top, control->Width(), height);
                rect.left += control->Width();
                break;
            case TAlign::alRight:
                control->SetBounds(rect.right - control->Width(), rect.top, control->Width(), height);
                rect.right -= control->Width();
                break;
            default:
                control->SetBounds(rect.left, rect.top, std::max(0, width), std::max(0, height));
                break;
            }
        }
    }
}

// ---- painting -------------------------------------------------------------

void TWinControl::Invalidate()
{
    if (handle_ != nullptr)
        InvalidateRect(handle_, nullptr, ControlStyle().Contains(csOpaque) ? FALSE : TRUE);
}

void TWinControl::Update()
{
    if (handle_ != nullptr)
        UpdateWindow(handle_);
}

void TWinControl::Repaint()
{
    Invalidate();
    Update();
}

void TWinControl::PaintWindow(HDC dc)
{
    TMessage message;
    message.Msg = WM_PAINT;
    message.WParam = reinterpret_cast<WPARAM>(dc);
    DefaultHandler(message);
}

void TWinControl::PaintHandler(HDC dc)
{
    PaintWindow(dc);
    PaintControls(dc, nullptr);
}

void TWinControl::PaintControls(HDC dc, TControl* first)
{
    bool started = first == nullptr;
    for (TControl* control : controls_) {
        if (!started) {
            started = control == first;
            if (!started)
                continue;
        }
        if (dynamic_cast<TWinControl*>(control) != nullptr || !control->Visible())
            continue;
        RECT bounds = control->BoundsRect();
        if (!RectVisible(dc, &bounds))
            continue;
        TSavedDC saved(dc);
        IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
        OffsetViewportOrgEx(dc, bounds.left, bounds.top, nullptr);
        control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
}

// ---- caption --------------------------------------------------------------

void TWinControl::SetText(const std::string& text)
{
    if (text == GetText())
        return;
    text_ = text;
    if (handle_ != nullptr)
        SetWindowTextA(handle_, text.c_str());
    Perform(CM_TEXTCHANGED);
}

std::string TWinControl::GetText() const
{
    if (handle_ == nullptr)
        return text_;
    int length = GetWindowTextLengthA(handle_);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    length = GetWindowTextA(handle_, &text[0], length + 1);
    text.resize(static_cast<size_t>(std::max(length, 0)));
    return text;
}

// ---- messages -------------------------------------------------------------

void TWinControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_MOUSEMOVE: case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK:
        if (RouteMouseToChild(message))
            return;
        if (message.Msg == WM_MOUSEMOVE && handle_ != nullptr)
            TrackMouse(this);
        break;
    case WM_COMMAND: case WM_NOTIFY: case WM_DRAWITEM: case WM_MEASUREITEM: case WM_HSCROLL: case WM_VSCROLL:
    case WM_CTLCOLORBTN: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR:
        if (ReflectToChild(message))
            return;
        break;
    default:
        break;
    }
    TControl::WndProc(message);
}

// Windowless children get the mouse messages over them (and all of them while they
// hold the capture), in their own client coordinates.
bool TWinControl::RouteMouseToChild(TMessage& message)
{
    POINT point = {MessageParams::MouseX(message), MessageParams::MouseY(message)};
    TControl* target = nullptr;
    TControl* capture = CaptureControl();
    if (capture != nullptr) {
        if (capture->Parent() == this && dynamic_cast<TWinControl*>(capture) == nullptr)
            target = capture;
    } else {
        TControl* hit = ControlAtPos(point);
        if (hit != nullptr && dynamic_cast<TWinControl*>(hit) == nullptr)
            target = hit;
    }
    if (target == nullptr)
        return false;
    if (message.Msg == WM_MOUSEMOVE)
        TrackMouse(target);
    TMessage routed = message;
    routed.LParam = MessageParams::MousePoint(point.x - target->Left(), point.y - target->Top());
    target->WndProc(routed);
    message.Result = routed.Result;
    return true;
}

void TWinControl::TrackMouse(TControl* target)
{
    if (!trackingLeave_ && handle_ != nullptr) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, handle_, 0};
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
    }
    SetMouseControl(target);
}

bool TWinControl::ReflectToChild(TMessage& message)
{
    HWND child = nullptr;
    switch (message.Msg) {
    case WM_COMMAND: child = reinterpret_cast<HWND>(message.LParam); break;
    case WM_NOTIFY: child = reinterpret_cast<NMHDR*>(message.LParam)->hwndFrom; break;
    case WM_DRAWITEM: child = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam)->hwndItem; break;
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
        child = handle_ != nullptr ? GetDlgItem(handle_, static_cast<int>(item->CtlID)) : nullptr;
        break;
    }
    default: child = reinterpret_cast<HWND>(message.LParam); break;
    }
    if (child == nullptr || child == handle_)
        return false;
    auto* control = static_cast<TWinControl*>(GetPropA(child, kControlProperty));
    if (control == nullptr)
        return false;
    message.Result = control->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
    return true;
}

void TWinControl::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT: WMPaint(message); break;
    case WM_ERASEBKGND: WMEraseBkgnd(message); break;
    case WM_SETFOCUS: WMSetFocus(message); break;
    case WM_KILLFOCUS: WMKillFocus(message); break;
    case WM_KEYDOWN: case WM_SYSKEYDOWN: WMKeyDown(message); break;
    case WM_KEYUP: case WM_SYSKEYUP: WMKeyUp(message); break;
    case WM_CHAR: WMChar(message); break;
    case WM_SYSCHAR: WMSysChar(message); break;
    case WM_SIZE: WMSize(message); break;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(message); break;
    case WM_MOUSELEAVE: WMMouseLeave(message); break;
    case WM_NCDESTROY: WMNCDestroy(message); break;
    case CM_FOCUSCHANGED: CMFocusChanged(message); break;
    case CM_DIALOGKEY: CMDialogKey(message); break;
    case CM_DIALOGCHAR: CMDialogChar(message); break;
    case CM_SHOWINGCHANGED: CMShowingChanged(message); break;
    default: TControl::Dispatch(message); break;
    }
}

void TWinControl::WMPaint(TMessage& message)
{
    bool hasWindowless = std::any_of(controls_.begin(), controls_.end(), [](TControl* control) {
        return dynamic_cast<TWinControl*>(control) == nullptr;
    });
    if (!hasWindowless && !ControlState().Contains(csCustomPaint)) {
        DefaultHandler(message);
        return;
    }
    if (message.WParam != 0) {
        PaintHandler(MessageParams::PaintDC(message));
        return;
    }
    TPaintDC dc(handle_);
    PaintHandler(dc);
}

void TWinControl::WMEraseBkgnd(TMessage& message)
{
    HDC dc = MessageParams::PaintDC(message);
    RECT client = ClientRect();
    brush_.SetColor(Color());
    ::FillRect(dc, &client, brush_.Handle());
    message.Result = 1;
}

void TWinControl::WMSetFocus(TMessage& message)
{
    DefaultHandler(message);
    if (TCustomForm* form = GetParentForm(this))
        form->SetFocusedControl(this);
}

void TWinControl::WMKillFocus(TMessage& message) { DefaultHandler(message); }

bool TWinControl::WantsDialogKey(WORD key)
{
    if (handle_ == nullptr)
        return false;
    MSG msg = {handle_, WM_KEYDOWN, key, 0, 0, {0, 0}};
    LRESULT code = Perform(WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&msg));
    if (code & DLGC_WANTALLKEYS)
        return true;
    switch (key) {
    case VK_TAB: return (code & DLGC_WANTTAB) != 0;
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: return (code & DLGC_WANTARROWS) != 0;
    default: return false;
    }
}

void TWinControl::WMKeyDown(TMessage& message)
{
    WORD key = MessageParams::KeyCode(message);
    KeyDown(key, KeyboardShiftState());
    if (key == 0) {
        message.Result = 0;
        return;
    }
    message.WParam = key;
    // Keys that move between controls or press buttons go to the form first.
    if (IsDialogKey(key) && !WantsDialogKey(key)) {
        if (TCustomForm* form = GetParentForm(this)) {
            if (form->Perform(CM_DIALOGKEY, key, message.LParam) != 0) {
                message.Result = 0;
                return;
            }
        }
    }
    DefaultHandler(message);
}

void TWinControl::WMKeyUp(TMessage& message)
{
    WORD key = MessageParams::KeyCode(message);
    KeyUp(key, KeyboardShiftState());
    if (key == 0)
        return;
    message.WParam = key;
    DefaultHandler(message);
}

void TWinControl::WMChar(TMessage& message)
{
    char key = static_cast<char>(message.WParam);
    KeyPress(key);
    if (key == 0)
        return;
    message.WParam = static_cast<unsigned char>(key);
    // A character the control has no use for may be a caption's accelerator.
    if (handle_ != nullptr && !(Perform(WM_GETDLGCODE) & (DLGC_WANTCHARS | DLGC_WANTALLKEYS))) {
        if (TCustomForm* form = GetParentForm(this))
            if (form->Perform(CM_DIALOGCHAR, message.WParam, message.LParam) != 0)
                return;
    }
    DefaultHandler(message);
}

void TWinControl::WMSysChar(TMessage& message)
{
    if (TCustomForm* form = GetParentForm(this))
        if (form->Perform(CM_DIALOGCHAR, message.WParam, message.LParam) != 0)
            return;
    DefaultHandler(message);
}

void TWinControl::KeyDown(WORD& key, TShiftState shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift)
{
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key)
{
    if (OnKeyPress)
        OnKeyPress(this, key);
}

void TWinControl::WMSize(TMessage& message)
{
    DefaultHandler(message);
    Realign();
    Resize();
}

void TWinControl::WMWindowPosChanged(TMessage& message)
{
    auto* position = reinterpret_cast<WINDOWPOS*>(message.LParam);
    if (!(position->flags & SWP_NOMOVE) || !(position->flags & SWP_NOSIZE)) {
        RECT window = {};
        GetWindowRect(handle_, &window);
        POINT topLeft = {window.left, window.top};
        if (GetParent(handle_) != nullptr && (GetWindowLongPtrA(handle_, GWL_STYLE) & WS_CHILD))
            ::ScreenToClient(GetParent(handle_), &topLeft);
        UpdateBoundsFields(topLeft.x, topLeft.y, window.right - window.left, window.bottom - window.top);
    }
    DefaultHandler(message); // sends WM_SIZE and WM_MOVE
}

void TWinControl::WMMouseLeave(TMessage& message)
{
    trackingLeave_ = false;
    TControl* current = MouseControl();
    if (current != nullptr && (current == this || current->Parent() == this))
        SetMouseControl(nullptr);
    DefaultHandler(message);
}

void TWinControl::WMNCDestroy(TMessage& message)
{
    DefaultHandler(message);
    if (handle_ != nullptr) {
        RemovePropA(handle_, kControlProperty);
        handle_ = nullptr;
    }
    trackingLeave_ = false;
}

void TWinControl::CMFocusChanged(TMessage& message) { Broadcast(message); }
void TWinControl::CMDialogKey(TMessage& message) { Broadcast(message); }
void TWinControl::CMDialogChar(TMessage& message) { Broadcast(message); }

void TWinControl::CMEnabledChanged(TMessage& message)
{
    if (!Enabled() && Focused()) {
        if (TCustomForm* form = GetParentForm(this))
            form->DefocusControl(this, false);
    }
    if (handle_ != nullptr)
        EnableWindow(handle_, Enabled() ? TRUE : FALSE);
    TControl::CMEnabledChanged(message);
}

void TWinControl::CMVisibleChanged(TMessage&) { UpdateShowing(); }

void TWinControl::UpdateShowing()
{
    bool show = Visible();
    if (show && (Parent() == nullptr || Parent()->HandleAllocated()))
        HandleNeeded();
    if (handle_ == nullptr)
        return;
    bool shown = (GetWindowLongPtrA(handle_, GWL_STYLE) & WS_VISIBLE) != 0;
    if (show != shown) {
        Perform(CM_SHOWINGCHANGED, show ? 1 : 0, 0);
    }
}

void TWinControl::CMShowingChanged(TMessage& message)
{
    bool show = message.WParam != 0;
    if (!show && Focused())
        if (TCustomForm* form = GetParentForm(this))
            form->DefocusControl(this, true);
    ShowWindow(handle_, show ? (Parent() == nullptr ? SW_SHOWNORMAL : SW_SHOWNA) : SW_HIDE);
}

void TWinControl::CMColorChanged(TMessage& message)
{
    brush_.SetColor(Color());
    NotifyControls(CM_PARENTCOLORCHANGED);
    TControl::CMColorChanged(message);
}

void TWinControl::CMFontChanged(TMessage& message)
{
    if (handle_ != nullptr && defWndProc_ != DefWindowProcA)
        SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), TRUE);
    NotifyControls(CM_PARENTFONTCHANGED);
    TControl::CMFontChanged(message);
}

void TWinControl::CMBiDiModeChanged(TMessage& message)
{
    NotifyControls(CM_PARENTBIDIMODECHANGED);
    TControl::CMBiDiModeChanged(message);
}
