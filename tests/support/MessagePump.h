// Running this thread's messages in tests, the way a message loop of the
// program would, while a test waits for what those messages bring about.
#pragma once

#include <windows.h>

#include <functional>

#include "Waits.h"

// Dispatches this thread's messages for `ms` milliseconds. A WM_QUIT ends the
// pumping early and stays in the queue, as a message loop would stop at it,
// so that the test can see it (TakeQuitMessage).
void PumpMessages(DWORD ms);

// Pumps until `condition` holds or `ms` pass; the condition's last value.
bool PumpUntil(const std::function<bool()>& condition, DWORD ms = kWaitBoundMs);

// Removes a WM_QUIT waiting in this thread's queue; its exit code, or -1.
int TakeQuitMessage();
