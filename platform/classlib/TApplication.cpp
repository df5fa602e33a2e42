// The application window and the message loop.
#include "TApplication.h"

#include "StoreChanged.h"
#include "SysUtils.h"
#include "TForm.h"

#include <exception>

TApplication* Application()
{
    static std::unique_ptr<TApplication> application(new TApplication(nullptr));
    return application.get();
}

TApplication::TApplication(TComponent* owner) : TComponent(owner)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    title_ = SysUtils::ChangeFileExt(SysUtils::ExtractFileName(path), "");

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &TApplication::WindowProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TApplication";
    windowClass.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    RegisterClassA(&windowClass);
    // It owns the forms and is what the program is known by: shown at zero size
    // (FormShowing), it is the program's taskbar button under the title.
    handle_ = CreateWindowExA(WS_EX_APPWINDOW, "TApplication", title_.c_str(),
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                              GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
}

TApplication::~TApplication()
{
    mainForm_ = nullptr;
    // The forms go first (as owned components would), then the window.
    while (ComponentCount() > 0)
        delete Components(ComponentCount() - 1);
    if (handle_ != nullptr && IsWindow(handle_))
        DestroyWindow(handle_);
}

namespace {
// Posted to the application window once it is active: the form takes over then,
// outside the activation the system is carrying out.
constexpr UINT kActivateForm = WM_APP + 0x2F0;
} // namespace

LRESULT CALLBACK TApplication::WindowProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0)
            PostMessageA(window, kActivateForm, 0, 0);
        break;
    case kActivateForm:
        Application()->ActivateForm();
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

void TApplication::ActivateForm()
{
    if (GetActiveWindow() != handle_)
        return; // something else took the activation meanwhile
    TCustomForm* form = activeForm_ != nullptr ? activeForm_ : mainForm_;
    if (form == nullptr || !form->HandleAllocated() || !IsWindowVisible(form->Handle()))
        return;
    // A modal window of the form (a message box) goes first.
    HWND target = GetLastActivePopup(form->Handle());
    if (!IsWindowEnabled(target))
        target = form->Handle();
    SetForegroundWindow(target);
}

void TApplication::FormShowing(TCustomForm* form)
{
    if (handle_ == nullptr || IsWindowVisible(handle_) || !form->HandleAllocated() ||
        GetWindow(form->Handle(), GW_OWNER) != handle_)
        return;
    SetWindowPos(handle_, nullptr, GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TApplication::SetTitle(const std::string& title)
{
    if (!StoreChanged(title_, title))
        return;
    if (handle_ != nullptr)
        SetWindowTextA(handle_, title.c_str());
}

bool TApplication::ProcessMessage(MSG& msg)
{
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

void TApplication::HandleMessage()
{
    MSG msg;
    if (ProcessMessage(msg))
        return;
    if (OnIdle) {
        try {
            OnIdle(this);
        } catch (Exception& error) {
            HandleException(this, error);
        }
    }
    if (!terminated_)
        WaitMessage();
}

void TApplication::ProcessMessages()
{
    MSG msg;
    while (ProcessMessage(msg)) {
    }
}

void TApplication::Run()
{
    if (mainForm_ != nullptr && showMainForm_)
        mainForm_->Show();
    while (!terminated_)
        HandleMessage();
}

void TApplication::Terminate() { PostQuitMessage(0); }

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags)
{
    HWND owner = GetActiveWindow();
    if (owner == nullptr)
        owner = handle_;
    return ::MessageBoxA(owner, text.c_str(), caption.empty() ? title_.c_str() : caption.c_str(), flags);
}

void TApplication::HandleException(TObject* sender, Exception& error)
{
    if (dynamic_cast<EAbort*>(&error) != nullptr)
        return;
    if (OnException)
        OnException(sender, error);
    else
        ShowException(error);
}

void TApplication::HandleCurrentException(TObject* sender) noexcept
{
    try {
        try {
            throw;
        } catch (Exception& error) {
            HandleException(sender, error);
        } catch (const std::exception& error) {
            Exception wrapped(error.what());
            HandleException(sender, wrapped);
        } catch (...) {
            Exception wrapped("Unknown exception");
            HandleException(sender, wrapped);
        }
    } catch (...) {
        // The report itself failed (an OnException handler threw): nothing is
        // left that could show it, and the system's code must not see it.
    }
}

void TApplication::ShowException(Exception& error)
{
    std::string text = error.Message();
    if (!text.empty() && text.back() != '.')
        text += '.';
    MessageBox(text, title_, MB_OK | MB_ICONSTOP);
}

void TApplication::FormDestroying(TCustomForm* form)
{
    if (mainForm_ == form)
        mainForm_ = nullptr;
    if (activeForm_ == form)
        activeForm_ = nullptr;
}
