// Waiting in tests.
#include "Waits.h"

bool WaitUntil(const std::function<bool()>& condition, DWORD ms)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= ms)
            return condition();
        Sleep(10);
    }
    return true;
}
