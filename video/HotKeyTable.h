// The recorder's global hot keys (no modifiers), one table for the recording
// view and the full-screen dialog: the id each key is registered under, the key,
// and the view's command it stands for.
#pragma once

#include <windows.h>

namespace HotKeyTable {

enum Id : int {
    kEscape = 1001,       // Esc: full screen back to the main window
    kPhoto = 1002,        // F5
    kRecord = 1003,       // F6
    kTimedPhoto = 1004,   // F7
    kTimedRecord = 1005,  // F8
    kStop = 1006,         // F9
    kShowHide = 1007,     // F4: show or hide the main window
    kFirst = kEscape,     // the id range freed when the keys go
    kLast = kShowHide,
};

struct Binding {
    Id id;
    UINT virtualKey;
    UINT command;  // the view's command; 0 for Esc, which the view does not hold
};

// F5-F9 and F4, then Esc: Esc, the full screen's way out, is registered last,
// so that once it is held every key is.
extern const Binding kBindings[7];
// The keys of the recording view: every binding but Esc.
constexpr int kViewBindingCount = 6;

// Registers `count` bindings for `window` from the first one; frees the whole id range.
void Register(HWND window, int count);
void Unregister(HWND window);

}  // namespace HotKeyTable
