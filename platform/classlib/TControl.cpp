// The base of all controls: properties that follow the parent, painting requests,
// mouse handling and the message dispatch.
#include "TControl.h"

#include "Exception.h"
#include "OwnedDC.h"
#include "StoreChanged.h"
#include "TControlActionLink.h"
#include "TCustomAction.h"
#include "TForm.h"
#include "TWinControl.h"

namespace {
// One mouse per process: who captured it and what it is over.
TControl* captureControl = nullptr;
TControl* mouseControl = nullptr;
} // namespace

TControl::TControl(TComponent* owner) : TComponent(owner)
{
    font_.OnChange = TNotifyEvent(this, &TControl::FontChanged);
}

TControl::~TControl()
{
    if (captureControl == this) {
        captureControl = nullptr;
        ReleaseCapture();
    }
    if (mouseControl == this)
        mouseControl = nullptr;
    if (parent_ != nullptr)
        parent_->RemoveControl(this);
}

TControl* TControl::CaptureControl() { return captureControl; }
TControl* TControl::MouseControl() { return mouseControl; }

void TControl::SetMouseControl(TControl* control)
{
    if (control == mouseControl)
        return;
    TControl* previous = mouseControl;
    mouseControl = control;
    if (previous != nullptr)
        previous->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(previous));
    if (control != nullptr)
        control->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(control));
}

bool TControl::MouseInControl() const { return mouseControl == this; }

void TControl::SetParent(TWinControl* parent)
{
    if (parent == parent_)
        return;
    if (parent == this)
        throw Exception("A control cannot be its own parent");
    if (parent_ != nullptr)
        parent_->RemoveControl(this);
    if (parent != nullptr)
        parent->InsertControl(this);
}

void TControl::UpdateBoundsFields(int left, int top, int width, int height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    bool resized = width != width_ || height != height_;
    InvalidateControl(visible_, false);
    UpdateBoundsFields(left, top, width, height);
    InvalidateControl(visible_, false);
    if (resized)
        Resize();
    RequestAlign();
}

RECT TControl::ClientRect() { return RECT{0, 0, width_, height_}; }

POINT TControl::ClientOrigin()
{
    if (parent_ == nullptr)
        return POINT{left_, top_};
    POINT origin = parent_->ClientOrigin();
    return POINT{origin.x + left_, origin.y + top_};
}

POINT TControl::ClientToScreen(POINT point)
{
    POINT origin = ClientOrigin();
    return POINT{point.x + origin.x, point.y + origin.y};
}

POINT TControl::ScreenToClient(POINT point)
{
    POINT origin = ClientOrigin();
    return POINT{point.x - origin.x, point.y - origin.y};
}

void TControl::SetVisible(bool visible)
{
    if (visible == visible_)
        return;
    InvalidateControl(true, false);
    visible_ = visible;
    Perform(CM_VISIBLECHANGED, visible ? 1 : 0, 0);
    RequestAlign();
}

void TControl::SetEnabled(bool enabled)
{
    if (!StoreChanged(enabled_, enabled))
        return;
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetText(const std::string& text)
{
    if (!StoreChanged(text_, text))
        return;
    Perform(CM_TEXTCHANGED);
}

void TControl::SetColor(TColor color)
{
    if (StoreChanged(color_, color))
        Perform(CM_COLORCHANGED);
    parentColor_ = false;
}

void TControl::SetParentColor(bool value)
{
    if (!StoreChanged(parentColor_, value))
        return;
    if (value && parent_ != nullptr)
        Perform(CM_PARENTCOLORCHANGED);
}

void TControl::FontChanged(TObject*)
{
    if (!changingParentFont_)
        parentFont_ = false;
    Perform(CM_FONTCHANGED);
}

void TControl::SetParentFont(bool value)
{
    if (!StoreChanged(parentFont_, value))
        return;
    if (value && parent_ != nullptr)
        Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetBiDiMode(TBiDiMode mode)
{
    if (!StoreChanged(biDiMode_, mode))
        return;
    Perform(CM_BIDIMODECHANGED);
}

void TControl::SetAlign(TAlign align)
{
    if (!StoreChanged(align_, align))
        return;
    RequestAlign();
}

void TControl::RequestAlign()
{
    if (parent_ != nullptr && align_ != TAlign::alNone)
        parent_->Realign();
}

bool TControl::Showing() const { return visible_ && parent_ != nullptr && parent_->Showing(); }

bool TControl::MouseCapture() const { return captureControl == this; }

void TControl::SetMouseCapture(bool capture)
{
    // The window that holds the capture for this control (its own, or its parent's).
    TWinControl* window = dynamic_cast<TWinControl*>(this);
    if (window == nullptr)
        window = parent_;
    HWND handle = window != nullptr && window->HandleAllocated() ? window->Handle() : nullptr;
    // Another window may have taken the mouse since (a message box, a menu): the
    // control then takes it again, and on release leaves the new holder alone.
    const bool held = MouseCapture() && handle != nullptr && GetCapture() == handle;
    if (capture) {
        if (held || handle == nullptr)
            return;
        captureControl = this;
        SetCapture(handle);
    } else if (MouseCapture()) {
        captureControl = nullptr;
        if (held)
            ReleaseCapture();
    }
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage message;
    message.Msg = msg;
    message.WParam = wParam;
    message.LParam = lParam;
    WndProc(message);
    return message.Result;
}

void TControl::WndProc(TMessage& message)
{
    // Without double clicks a second press is an ordinary press.
    if (!controlStyle_.Contains(csDoubleClicks)) {
        if (message.Msg == WM_LBUTTONDBLCLK)
            message.Msg = WM_LBUTTONDOWN;
        else if (message.Msg == WM_RBUTTONDBLCLK)
            message.Msg = WM_RBUTTONDOWN;
        else if (message.Msg == WM_MBUTTONDBLCLK)
            message.Msg = WM_MBUTTONDOWN;
    }
    Dispatch(message);
}

void TControl::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK:
        WMMouseButton(message);
        break;
    case WM_MOUSEMOVE: WMMouseMove(message); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(message); break;
    case CM_VISIBLECHANGED: CMVisibleChanged(message); break;
    case CM_COLORCHANGED: CMColorChanged(message); break;
    case CM_FONTCHANGED: CMFontChanged(message); break;
    case CM_TEXTCHANGED: CMTextChanged(message); break;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(message); break;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(message); break;
    case CM_MOUSEENTER: CMMouseEnter(message); break;
    case CM_MOUSELEAVE: CMMouseLeave(message); break;
    case CM_BIDIMODECHANGED: CMBiDiModeChanged(message); break;
    default: DefaultHandler(message); break;
    }
}

void TControl::DefaultHandler(TMessage& message)
{
    // A control without a window answers the text messages from its own caption.
    switch (message.Msg) {
    case WM_GETTEXTLENGTH:
        message.Result = static_cast<LRESULT>(text_.size());
        break;
    case WM_GETTEXT: {
        size_t capacity = static_cast<size_t>(message.WParam);
        char* buffer = reinterpret_cast<char*>(message.LParam);
        if (capacity == 0 || buffer == nullptr)
            break;
        size_t count = std::min(capacity - 1, text_.size());
        text_.copy(buffer, count);
        buffer[count] = '\0';
        message.Result = static_cast<LRESULT>(count);
        break;
    }
    default:
        break;
    }
}

void TControl::WMMouseButton(TMessage& message)
{
    TShiftState shift = MouseShiftState(message.WParam);
    int x = MessageParams::MouseX(message), y = MessageParams::MouseY(message);
    TMouseButton button = TMouseButton::mbLeft;
    switch (message.Msg) {
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: button = TMouseButton::mbRight; break;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK: button = TMouseButton::mbMiddle; break;
    default: break;
    }
    switch (message.Msg) {
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK:
        shift += ssDouble;
        if (button == TMouseButton::mbLeft)
            DblClick();
        [[fallthrough]];
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
        if (button == TMouseButton::mbLeft) {
            if (controlStyle_.Contains(csCaptureMouse))
                SetMouseCapture(true);
            if (controlStyle_.Contains(csClickEvents))
                controlState_ += csClicked;
        }
        MouseDown(button, shift, x, y);
        break;
    default: // a button went up
        if (button == TMouseButton::mbLeft) {
            if (controlStyle_.Contains(csCaptureMouse))
                SetMouseCapture(false);
            if (controlState_.Contains(csClicked)) {
                controlState_ -= csClicked;
                RECT client = ClientRect();
                POINT point = {x, y};
                if (PtInRect(&client, point))
                    Click();
            }
        }
        MouseUp(button, shift, x, y);
        break;
    }
}

void TControl::WMMouseMove(TMessage& message)
{
    MouseMove(MouseShiftState(message.WParam), MessageParams::MouseX(message), MessageParams::MouseY(message));
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TControl::Click()
{
    TBasicAction* action = Action();
    if (OnClick && action != nullptr && OnClick != action->OnExecute())
        OnClick(this);
    else if (action != nullptr && actionLink_->Execute())
        return;
    else if (OnClick)
        OnClick(this);
}

TBasicAction* TControl::Action() const { return actionLink_ != nullptr ? actionLink_->Action() : nullptr; }

void TControl::SetAction(TBasicAction* action)
{
    TBasicAction* previous = Action();
    if (action == previous)
        return;
    if (previous != nullptr)
        previous->RemoveFreeNotification(this);
    if (action == nullptr) {
        actionLink_.reset();
        return;
    }
    if (actionLink_ == nullptr) {
        actionLink_.reset(CreateActionLink());
        actionLink_->OnChange = TNotifyEvent(this, &TControl::DoActionChange);
    }
    actionLink_->SetAction(action);
    ActionChange(action, false);
    action->FreeNotification(this);
}

TControlActionLink* TControl::CreateActionLink() { return new TControlActionLink(this); }

void TControl::DoActionChange(TObject* sender)
{
    if (sender != nullptr && sender == Action())
        ActionChange(sender, true);
}

void TControl::ActionChange(TObject* sender, bool checkDefaults)
{
    auto* action = dynamic_cast<TCustomAction*>(sender);
    if (action == nullptr)
        return;
    if (!checkDefaults || Caption().empty() || Caption() == Name())
        SetCaption(action->Caption());
    if (!checkDefaults || Enabled())
        SetEnabled(action->Enabled());
    if (!checkDefaults || Visible())
        SetVisible(action->Visible());
    if (!checkDefaults || !OnClick)
        OnClick = action->OnExecute();
}

void TControl::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component != nullptr && component == Action())
        SetAction(nullptr);
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::Resize()
{
    if (OnResize)
        OnResize(this);
}

void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }
void TControl::CMVisibleChanged(TMessage&) { InvalidateControl(true, controlStyle_.Contains(csOpaque)); }
void TControl::CMColorChanged(TMessage&) { Invalidate(); }
void TControl::CMFontChanged(TMessage&) { Invalidate(); }
void TControl::CMTextChanged(TMessage&) { Invalidate(); }
void TControl::CMMouseEnter(TMessage&) {}
void TControl::CMMouseLeave(TMessage&) {}
void TControl::CMBiDiModeChanged(TMessage&) { Invalidate(); }

void TControl::CMParentColorChanged(TMessage&)
{
    if (parentColor_ && parent_ != nullptr) {
        SetColor(parent_->Color());
        parentColor_ = true;
    }
}

void TControl::CMParentFontChanged(TMessage&)
{
    if (parentFont_ && parent_ != nullptr) {
        changingParentFont_ = true;
        font_.Assign(parent_->Font());
        changingParentFont_ = false;
    }
}

void TControl::InvalidateControl(bool isVisible, bool isOpaque)
{
    if (!isVisible || parent_ == nullptr || !parent_->HandleAllocated())
        return;
    RECT bounds = BoundsRect();
    InvalidateRect(parent_->Handle(), &bounds, isOpaque ? FALSE : TRUE);
}

void TControl::ChangeScale(int multiplier, int divider)
{
    if (multiplier == divider || divider == 0)
        return;
    SetBounds(MulDiv(left_, multiplier, divider), MulDiv(top_, multiplier, divider),
              MulDiv(width_, multiplier, divider), MulDiv(height_, multiplier, divider));
    if (!parentFont_) {
        changingParentFont_ = true;
        font_.SetHeight(MulDiv(font_.Height(), multiplier, divider));
        changingParentFont_ = false;
    }
}

void TControl::Invalidate() { InvalidateControl(visible_, controlStyle_.Contains(csOpaque)); }

void TControl::Update()
{
    if (parent_ != nullptr)
        parent_->Update();
}

void TControl::Repaint()
{
    if (!visible_ || parent_ == nullptr || !parent_->HandleAllocated())
        return;
    // Paints at once, the parent's background first unless the control covers it.
    if (!controlStyle_.Contains(csOpaque)) {
        Invalidate();
        parent_->Update();
        return;
    }
    TWindowDC dc(parent_->Handle());
    TSavedDC saved(dc);
    IntersectClipRect(dc, left_, top_, left_ + width_, top_ + height_);
    OffsetViewportOrgEx(dc, left_, top_, nullptr);
    Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc.Get()), 0);
}

void TControl::BringToFront()
{
    if (parent_ != nullptr)
        parent_->MoveControlToFront(this);
}

TCustomForm* GetParentForm(TControl* control)
{
    while (control != nullptr) {
        if (auto* form = dynamic_cast<TCustomForm*>(control))
            if (control->Parent() == nullptr)
                return form;
        control = control->Parent();
    }
    return nullptr;
}

TShiftState MouseShiftState(WPARAM keys)
{
    TShiftState shift;
    if (keys & MK_SHIFT) shift += ssShift;
    if (keys & MK_CONTROL) shift += ssCtrl;
    if (keys & MK_LBUTTON) shift += ssLeft;
    if (keys & MK_RBUTTON) shift += ssRight;
    if (keys & MK_MBUTTON) shift += ssMiddle;
    if (GetKeyState(VK_MENU) < 0) shift += ssAlt;
    return shift;
}

TShiftState KeyboardShiftState()
{
    TShiftState shift;
    if (GetKeyState(VK_SHIFT) < 0) shift += ssShift;
    if (GetKeyState(VK_CONTROL) < 0) shift += ssCtrl;
    if (GetKeyState(VK_MENU) < 0) shift += ssAlt;
    return shift;
}

bool IsAccel(WORD key, const std::string& caption)
{
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(caption[i]);
        if (c >= 0x81 && c <= 0xFE) { // a double-byte character is never a marker
            ++i;
            continue;
        }
        if (c != '&')
            continue;
        unsigned char next = static_cast<unsigned char>(caption[i + 1]);
        if (next == '&') {
            ++i;
            continue;
        }
        return CharUpperA(reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(next))) ==
               CharUpperA(reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(key & 0xFF)));
    }
    return false;
}
