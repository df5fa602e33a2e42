// TApplication: the program's application window, the message loop, the main
// form, the title and message boxes, and what happens to an exception that
// reaches the loop. One per process, reached through Application(). The
// window owns the forms and is the program's one taskbar button and Alt+Tab
// entry: a zero-size window, shown once a form of the program shows.
#pragma once

#include "ControlTypes.h"
#include "Exception.h"
#include "TComponent.h"

#include <windows.h>

#include <memory>
#include <string>

class TCustomForm;

using TExceptionEvent = TClosure<void(TObject* sender, Exception& error)>;

class TApplication : public TComponent {
public:
    CLASSLIB_CLASS_NAME(TApplication)
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    // The application window (made with the object).
    HWND Handle() const { return handle_; }
    bool HandleAllocated() const { return handle_ != nullptr; }

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);
    TCustomForm* MainForm() const { return mainForm_; }
    // The first form made through CreateForm becomes the main form; this sets it directly.
    void SetMainForm(TCustomForm* form) { mainForm_ = form; }
    bool ShowMainForm() const { return showMainForm_; }
    void SetShowMainForm(bool value) { showMainForm_ = value; }

    // Makes a form owned by the application; the first one is the main form.
    template <typename Form>
    Form* CreateForm()
    {
        auto* form = new Form(this);
        if (mainForm_ == nullptr)
            mainForm_ = form;
        return form;
    }

    // Shows the main form (unless told not to) and runs messages until Terminate.
    void Run();
    // Handles one message, or waits for one when there is none.
    void HandleMessage();
    // Handles every message waiting now.
    void ProcessMessages();
    // Ends the message loop once the messages in flight are handled.
    void Terminate();
    bool Terminated() const { return terminated_; }

    // A message box over the active window, captioned with the title unless given.
    int MessageBox(const std::string& text, const std::string& caption = std::string(), UINT flags = MB_OK);
    // OnException when assigned, else a message box with the exception's message.
    void HandleException(TObject* sender, Exception& error);
    // Called inside a catch block of a window procedure: reports the exception
    // in flight, whatever its type, through HandleException and lets nothing
    // escape, since no C++ exception may unwind through the system's code.
    void HandleCurrentException(TObject* sender) noexcept;
    void ShowException(Exception& error);

    TExceptionEvent OnException;
    TNotifyEvent OnIdle;

    // Forgets a form that is going.
    void FormDestroying(TCustomForm* form);
    // A form of the program shows: the taskbar button appears with it.
    void FormShowing(TCustomForm* form);
    // The form activated last; the taskbar button brings it back to the front.
    void FormActivated(TCustomForm* form) { activeForm_ = form; }
    TCustomForm* ActiveForm() const { return activeForm_; }

private:
    bool ProcessMessage(MSG& msg);
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    // The application window was activated (its taskbar button, Alt+Tab): the
    // form the user worked in takes the activation over.
    void ActivateForm();

    HWND handle_ = nullptr;
    std::string title_;
    TCustomForm* mainForm_ = nullptr;
    TCustomForm* activeForm_ = nullptr;
    bool showMainForm_ = true;
    bool terminated_ = false;
};

// The process's application object, made on first use.
TApplication* Application();
