// Keyboard and mouse input as a user gives it (through SendInput), and waiting
// for its effect while the messages run.
#pragma once

#include <windows.h>

#include <functional>

class TCustomForm;

namespace UserInput {

// Shows the form in front of all others and waits until it is the active window.
bool BringToFront(TCustomForm* form);
// Presses and releases a key, with Alt, Ctrl or Shift held when asked.
void PressKey(WORD key, bool alt = false, bool ctrl = false, bool shift = false);
// Presses and releases the left button over a point of a window.
void Click(HWND window, int x, int y);
// Runs the messages until the condition holds (true) or a generous time is up (false).
bool RunUntil(const std::function<bool()>& done);

} // namespace UserInput
