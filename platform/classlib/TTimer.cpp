// Timers over a message-only window.
#include "TTimer.h"

#include "Exception.h"
#include "StoreChanged.h"
#include "TApplication.h"

#include <windows.h>

namespace {
const char* const kTimerWindowClass = "TTimerWindow";
constexpr UINT_PTR kTimerId = 1;
} // namespace

// The message-only window of each timer: WM_TIMER becomes the timer's Timer().
struct TTimerWindow {
    static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        if (msg == WM_TIMER) {
            auto* timer = reinterpret_cast<TTimer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
            if (timer != nullptr) {
                try {
                    timer->Timer();
                } catch (...) {
                    Application()->HandleCurrentException(timer);
                }
                return 0;
            }
        }
        return DefWindowProcA(window, msg, wParam, lParam);
    }
};

TTimer::TTimer(TComponent* owner) : TComponent(owner)
{
    WNDCLASSA windowClass = {};
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!GetClassInfoA(instance, kTimerWindowClass, &windowClass)) {
        windowClass = {};
        windowClass.lpfnWndProc = &TTimerWindow::Procedure;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = kTimerWindowClass;
        RegisterClassA(&windowClass);
    }
    window_ = CreateWindowExA(0, kTimerWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
    if (window_ == nullptr)
        throw EOSError("Cannot create the window of a timer");
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // Enabled with an interval from the start, the timer runs at once.
    try {
        UpdateTimer();
    } catch (...) {
        DestroyWindow(window_); // no destructor runs for a constructor that throws
        throw;
    }
}

TTimer::~TTimer()
{
    if (running_)
        KillTimer(window_, kTimerId);
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

void TTimer::UpdateTimer()
{
    if (running_) {
        KillTimer(window_, kTimerId);
        running_ = false;
    }
    if (enabled_ && interval_ != 0 && !Destroying()) {
        if (SetTimer(window_, kTimerId, interval_, nullptr) == 0)
            throw EOSError("Not enough timers available");
        running_ = true;
    }
}

void TTimer::SetEnabled(bool enabled)
{
    if (StoreChanged(enabled_, enabled))
        UpdateTimer();
}

void TTimer::SetInterval(unsigned interval)
{
    if (StoreChanged(interval_, interval))
        UpdateTimer();
}

void TTimer::Timer()
{
    if (OnTimer)
        OnTimer(this);
}
