// Waiting in tests: every wait polls for its condition and returns as soon as
// it holds, so its bound only decides how long a real failure takes to show.
#pragma once

#include <windows.h>

#include <functional>

// The bound for something that normally happens at once (a window appearing,
// a dialog closing, a file written): generous, because a loaded machine can
// hold a process back for many seconds.
constexpr DWORD kWaitBoundMs = 30000;

// Looks at `condition` until it holds or `ms` pass, running `between` after each
// look that failed; the condition's last value.
bool PollUntil(const std::function<bool()>& condition, DWORD ms, const std::function<void()>& between);

// Polls `condition` (without pumping this thread's messages) until it holds or
// `ms` pass; the condition's last value.
bool WaitUntil(const std::function<bool()>& condition, DWORD ms = kWaitBoundMs);
