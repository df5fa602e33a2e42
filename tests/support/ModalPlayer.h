// TModalPlayer: plays the user while a modal loop runs on this thread. A thread
// timer calls the step until it answers true (done).
#pragma once

#include <windows.h>

#include <functional>

class TModalPlayer {
public:
    explicit TModalPlayer(std::function<bool()> step);
    ~TModalPlayer();
    TModalPlayer(const TModalPlayer&) = delete;
    TModalPlayer& operator=(const TModalPlayer&) = delete;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    UINT_PTR timer_;
};
