// Global hot keys seen from a test: a key pressed on the keyboard, and whether
// some window of the display holds a key.
#pragma once

#include <windows.h>

// A key pressed and released on the keyboard (no modifiers): global hot keys
// react to it, whichever window is active.
void PressKey(UINT virtualKey);

// True while some window of the display holds the global hot key `virtualKey`
// (no modifiers). The key is held for a moment while it is looked at.
bool HotKeyHeld(UINT virtualKey);
