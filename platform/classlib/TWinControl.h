// TWinControl: a control with a window of its own. It makes the window on demand
// from its creation parameters, holds child controls (painting the windowless
// ones itself), lays out aligned children, keeps the tab order and the focus,
// and turns window messages into the class library's dispatch.
#pragma once

#include "TBrush.h"
#include "TControl.h"

#include <vector>

struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    WNDCLASSA WindowClass = {};
    std::string WinClassName;
    // The window procedure of a system class this control's class is built on.
    WNDPROC DefWndProc = nullptr;
};

class TWinControl : public TControl {
public:
    CLASSLIB_CLASS_NAME(TWinControl)
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // The window, made (with the parent's) on first use.
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded();
    // The window a parentless control is placed in (forms use the application's).
    HWND ParentWindow() const { return parentWindow_; }
    void SetParentWindow(HWND window);

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(static_cast<size_t>(index)); }
    bool ContainsControl(TControl* control) const;
    // The visible, enabled child at a client point (windowless ones first), or nullptr.
    TControl* ControlAtPos(POINT point, bool allowDisabled = false);
    // Sends a message to every child until one answers with a non-zero result.
    void Broadcast(TMessage& message);
    void NotifyControls(UINT msg);

    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value);
    int TabOrder() const;
    void SetTabOrder(int order);
    // The windowed descendants in tab order.
    void GetTabOrderList(std::vector<TWinControl*>& list);
    // The next control after `current` in tab order that can take the focus.
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent);
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);

    virtual bool CanFocus();
    bool Focused() const;
    virtual void SetFocus();

    TBrush* Brush() { return &brush_; }
    RECT ClientRect() override;
    POINT ClientOrigin() override;
    bool Showing() const override;
    void SetBounds(int left, int top, int width, int height) override;
    void SetText(const std::string& text) override;
    void ChangeScale(int multiplier, int divider) override;
    void Invalidate() override;
    void Update() override;
    void Repaint() override;
    void BringToFront() override;
    // Lays the aligned children out again.
    void Realign();
    void DisableAlign() { ++alignDisabled_; }
    void EnableAlign();

    void WndProc(TMessage& message) override;
    void Dispatch(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

protected:
    friend class TControl;
    friend class TCustomForm;
    virtual void CreateParams(TCreateParams& params);
    // Builds this control's class on a system window class ("EDIT", "BUTTON", ...).
    static void CreateSubClass(TCreateParams& params, const char* systemClassName);
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& params);
    virtual void DestroyWnd();
    void DestroyHandle();
    void RecreateWnd();

    // Shrinks the rectangle the aligned children share (borders of a panel, say).
    virtual void AdjustClientRect(RECT& rect);
    virtual void AlignControls(TControl* control, RECT& rect);

    virtual void PaintWindow(HDC dc);
    // Paints the window and its windowless children into a context.
    void PaintHandler(HDC dc);
    // Paints the visible windowless children into a context of this window.
    void PaintControls(HDC dc, TControl* first);

    virtual void DoEnter();
    virtual void DoExit();
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void KeyPress(char& key);
    // True when the control takes a dialog key (Tab, Enter, Esc, arrows) itself.
    virtual bool WantsDialogKey(WORD key);

    std::string GetText() const override;

    virtual void WMPaint(TMessage& message);
    virtual void WMEraseBkgnd(TMessage& message);
    virtual void WMSetFocus(TMessage& message);
    virtual void WMKillFocus(TMessage& message);
    virtual void WMKeyDown(TMessage& message);
    virtual void WMKeyUp(TMessage& message);
    virtual void WMChar(TMessage& message);
    virtual void WMSysChar(TMessage& message);
    virtual void WMSize(TMessage& message);
    virtual void WMWindowPosChanged(TMessage& message);
    virtual void WMMouseLeave(TMessage& message);
    virtual void WMNCDestroy(TMessage& message);
    virtual void CMFocusChanged(TMessage& message);
    virtual void CMDialogKey(TMessage& message);
    virtual void CMDialogChar(TMessage& message);
    void CMEnabledChanged(TMessage& message) override;
    void CMVisibleChanged(TMessage& message) override;
    void CMColorChanged(TMessage& message) override;
    void CMFontChanged(TMessage& message) override;
    void CMBiDiModeChanged(TMessage& message) override;
    virtual void CMShowingChanged(TMessage& message);

private:
    static LRESULT CALLBACK InitWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void MoveControlToFront(TControl* control);
    void UpdateShowing();
    void CreateChildHandles();
    bool RouteMouseToChild(TMessage& message);
    bool ReflectToChild(TMessage& message);
    void TrackMouse(TControl* target);

    HWND handle_ = nullptr;
    HWND parentWindow_ = nullptr;
    WNDPROC defWndProc_ = DefWindowProcA;
    std::vector<TControl*> controls_;   // z order and painting order
    std::vector<TWinControl*> tabList_; // windowed children in tab order
    TBrush brush_;
    bool tabStop_ = false;
    bool destroying_ = false;
    bool trackingLeave_ = false;
    int alignDisabled_ = 0;
    bool aligning_ = false;
};
