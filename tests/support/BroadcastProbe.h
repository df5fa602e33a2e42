// A hidden top-level window of the calling thread that counts the environment
// change broadcasts (WM_WININICHANGE) it receives while it exists.
#pragma once

#include <windows.h>

class TBroadcastProbe {
public:
    TBroadcastProbe();
    ~TBroadcastProbe();
    TBroadcastProbe(const TBroadcastProbe&) = delete;
    TBroadcastProbe& operator=(const TBroadcastProbe&) = delete;

    HWND Window() const { return window_; }
    // Wine hands a broadcast string message to each window with its text lost,
    // so the probe counts the announcements but cannot read "Environment".
    int Received() const { return received_; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    int received_ = 0;
};
