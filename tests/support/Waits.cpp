// Waiting in tests.
#include "Waits.h"

bool PollUntil(const std::function<bool()>& condition, DWORD ms, const std::function<void()>& between)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= ms)
            return condition();
        between();
    }
    return true;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD ms)
{
    return PollUntil(condition, ms, [] { Sleep(10); });
}
