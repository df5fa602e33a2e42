// The broadcast-counting window of the tests.
#include "BroadcastProbe.h"

namespace {
const char* const kClassName = "FerrinBroadcastProbe";
}

LRESULT CALLBACK TBroadcastProbe::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_WININICHANGE) {
        auto* probe = reinterpret_cast<TBroadcastProbe*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (probe)
            ++probe->received_;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TBroadcastProbe::TBroadcastProbe()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &Proc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass); // a second probe finds the class registered
    window_ = CreateWindowExA(0, kClassName, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    if (window_)
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TBroadcastProbe::~TBroadcastProbe()
{
    if (window_)
        DestroyWindow(window_);
}
