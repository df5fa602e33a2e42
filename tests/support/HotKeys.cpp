// Global hot keys seen from a test.
#include "HotKeys.h"

void PressKey(UINT virtualKey)
{
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = static_cast<WORD>(virtualKey);
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

bool HotKeyHeld(UINT virtualKey)
{
    // Registered for the calling thread, not a window: its id meets none of the program's.
    const int probe = 0xB000;
    if (RegisterHotKey(nullptr, probe, 0, virtualKey)) {
        UnregisterHotKey(nullptr, probe);
        return false;
    }
    // Only this error says another holder has the key; any other failure says nothing of it.
    return GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED;
}
