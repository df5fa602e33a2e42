// TCustomForm and TForm: a top-level window holding controls. It shows modeless
// or modal (ending when ModalResult is set), closes through OnCloseQuery and
// OnClose with a close action, places itself by Position, keeps the focused
// control and moves the focus with Tab and the arrow keys.
#pragma once

#include "TWinControl.h"

enum class TCloseAction { caNone, caHide, caFree, caMinimize };
enum class TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
                       poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

using TCloseEvent = TClosure<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = TClosure<void(TObject* sender, bool& canClose)>;

class TCustomForm : public TWinControl {
public:
    CLASSLIB_CLASS_NAME(TCustomForm)
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    void Show();
    // Shows the form and runs messages until ModalResult is set; returns it.
    TModalResult ShowModal();
    // Asks OnCloseQuery, then OnClose decides what closing does (hide by default).
    void Close();
    bool CloseQuery();
    // Frees the form once the messages now in flight are handled.
    void Release();
    bool Modal() const { return modal_; }

    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);

    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    // Gives a control on this form the focus (remembered until the form shows).
    void FocusControl(TWinControl* control);
    // Takes the focus away from a control that is going, hidden or disabled.
    void DefocusControl(TWinControl* control, bool removing);
    // Called by a control that received the focus; tells every control.
    bool SetFocusedControl(TWinControl* control);
    void SelectFirst();

    void SetClientWidth(int width);
    void SetClientHeight(int height);

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

protected:
    friend class TWinControl;
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& message) override;
    void PaintWindow(HDC dc) override;
    virtual void Paint();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);
    void ControlRemoving(TControl* control);

    void CMDialogKey(TMessage& message) override;
    void CMShowingChanged(TMessage& message) override;
    virtual void WMClose(TMessage& message);
    virtual void WMActivate(TMessage& message);
    virtual void CMRelease(TMessage& message);

private:
    void PlaceByPosition();
    void CloseModal();

    TModalResult modalResult_ = mrNone;
    TPosition position_ = TPosition::poDesigned;
    TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
    TWinControl* activeControl_ = nullptr;
    TWinControl* focusedControl_ = nullptr;
    bool modal_ = false;
    bool released_ = false;
};

class TForm : public TCustomForm {
public:
    CLASSLIB_CLASS_NAME(TForm)
    explicit TForm(TComponent* owner) : TCustomForm(owner) {}
};
