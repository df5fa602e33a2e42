// Helpers of the visual class-library tests: reading back a window's pixels,
// running messages for a while, answering a message box.
#pragma once

#include "Colors.h"
#include "Waits.h"

#include <windows.h>

#include <functional>
#include <string>

// The colour of a client pixel of a window as it shows now (after painting).
TColor WindowPixel(HWND window, int x, int y);
// Handles messages until `done` says so or the time is up; true when done.
bool RunMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs = kWaitBoundMs);
// Closes the first message box of this process that shows `caption`, pressing the
// button with `buttonId`, as soon as it appears (from a timer).
class MessageBoxAnswerer {
public:
    MessageBoxAnswerer(const std::string& caption, int buttonId);
    ~MessageBoxAnswerer();
    bool Answered() const;
    std::string Text() const;

private:
    UINT_PTR timer_;
};
