// TWaitCursor: shows the hourglass while a long piece of work runs on the
// user-interface thread, and puts the previous cursor back when it goes.
#pragma once

#include <windows.h>

class TWaitCursor {
public:
    TWaitCursor() : previous_(SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)))) {}
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
    ~TWaitCursor() { SetCursor(previous_); }

private:
    HCURSOR previous_;
};
