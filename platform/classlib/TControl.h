// TControl: the base of everything placed on a form: owner and parent, bounds,
// visibility, enabled state, caption, colour and font (each able to follow the
// parent), control style, painting requests, mouse events and the one message
// dispatch that every control class extends.
#pragma once

#include "Colors.h"
#include "ControlTypes.h"
#include "Messages.h"
#include "TComponent.h"
#include "TFont.h"

#include <memory>
#include <string>

class TWinControl;
class TCustomForm;
class TBasicAction;
class TControlActionLink;

class TControl : public TComponent {
public:
    CLASSLIB_CLASS_NAME(TControl)
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
    void SetTop(int top) { SetBounds(left_, top, width_, height_); }
    void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
    void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
    void SetBoundsRect(const RECT& r) { SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top); }
    virtual RECT ClientRect();
    int ClientWidth() { RECT r = ClientRect(); return r.right - r.left; }
    int ClientHeight() { RECT r = ClientRect(); return r.bottom - r.top; }
    // The screen position of a client point, and back.
    virtual POINT ClientOrigin();
    POINT ClientToScreen(POINT point);
    POINT ScreenToClient(POINT point);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);
    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& caption) { SetText(caption); }
    std::string Text() const { return GetText(); }
    // The caption and the text are one value; a windowed control keeps it in its window.
    virtual void SetText(const std::string& text);

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    TFont* Font() { return &font_; }
    void SetFont(TFont* font) { font_.Assign(font); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode mode);
    bool UseRightToLeftReading() const { return biDiMode_ != TBiDiMode::bdLeftToRight; }
    bool UseRightToLeftAlignment() const { return biDiMode_ == TBiDiMode::bdRightToLeft; }

    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle style) { controlStyle_ = style; }
    TControlState ControlState() const { return controlState_; }
    void SetControlState(TControlState state) { controlState_ = state; }
    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);

    // True when the control and all its parents are visible and a window shows it.
    virtual bool Showing() const;
    bool MouseCapture() const;
    void SetMouseCapture(bool capture);
    // True while the pointer is over this control (between mouse enter and leave).
    bool MouseInControl() const;

    // Sends a message straight to the control's dispatch and returns its result.
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // The first stop of every message; the default hands it to Dispatch.
    virtual void WndProc(TMessage& message);
    // Routes a message to its handler; a subclass handles its own messages and
    // passes the rest to its base class's Dispatch.
    virtual void Dispatch(TMessage& message);
    // What happens to a message nobody handled.
    virtual void DefaultHandler(TMessage& message);

    // Scales position, size and font by multiplier / divider (a form laid out at one
    // screen resolution shown at another); windowed controls scale their children too.
    virtual void ChangeScale(int multiplier, int divider);

    virtual void Invalidate();
    virtual void Update();
    virtual void Repaint();
    void Refresh() { Repaint(); }
    virtual void BringToFront();

    // Runs OnClick, or the action when OnClick is the action's own handler or unset.
    virtual void Click();
    virtual void DblClick();

    // The action whose caption, enabled state, visibility and OnExecute this control follows.
    TBasicAction* Action() const;
    void SetAction(TBasicAction* action);
    TControlActionLink* ActionLink() const { return actionLink_.get(); }

    // The process-wide mouse state: the control that holds the mouse capture, and
    // the control under the pointer (changing it sends mouse leave and enter).
    static TControl* CaptureControl();
    static TControl* MouseControl();
    static void SetMouseControl(TControl* control);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnResize;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;

protected:
    virtual std::string GetText() const { return text_; }
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void Resize();
    // Invalidates the control's area of its parent (windowed controls invalidate themselves).
    void InvalidateControl(bool isVisible, bool isOpaque);
    // Lets the parent lay its aligned children out again after a change of this one.
    void RequestAlign();
    // Stores new bounds without moving a window (the window already moved).
    void UpdateBoundsFields(int left, int top, int width, int height);

    // The link class of this control's actions; a control that follows more of
    // an action (a checked state) returns its own.
    virtual TControlActionLink* CreateActionLink();
    // Takes the values of the action; with checkDefaults only those this control
    // still has at their defaults.
    virtual void ActionChange(TObject* sender, bool checkDefaults);
    void Notification(TComponent* component, TOperation operation) override;

    virtual void WMMouseButton(TMessage& message);
    virtual void WMMouseMove(TMessage& message);
    virtual void CMEnabledChanged(TMessage& message);
    virtual void CMVisibleChanged(TMessage& message);
    virtual void CMColorChanged(TMessage& message);
    virtual void CMFontChanged(TMessage& message);
    virtual void CMTextChanged(TMessage& message);
    virtual void CMParentColorChanged(TMessage& message);
    virtual void CMParentFontChanged(TMessage& message);
    virtual void CMMouseEnter(TMessage& message);
    virtual void CMMouseLeave(TMessage& message);
    virtual void CMBiDiModeChanged(TMessage& message);

    std::string text_;

private:
    friend class TWinControl;
    void FontChanged(TObject* sender);
    void DoActionChange(TObject* sender);

    TWinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    TColor color_ = clWindow;
    bool parentColor_ = false;
    TFont font_;
    bool parentFont_ = true;
    bool changingParentFont_ = false;
    TBiDiMode biDiMode_ = TBiDiMode::bdLeftToRight;
    TControlStyle controlStyle_ = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    TControlState controlState_;
    TAlign align_ = TAlign::alNone;
    std::unique_ptr<TControlActionLink> actionLink_;
};

// The form a control is placed on (nullptr when it is on none).
TCustomForm* GetParentForm(TControl* control);
