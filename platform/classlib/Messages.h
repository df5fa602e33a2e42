// Window messages as the controls see them: one record per message, the class
// library's component messages (CM_) that controls send each other, and small
// readers for the parameters of the common window messages.
#pragma once

#include <windows.h>

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;

    WORD WParamLo() const { return LOWORD(WParam); }
    WORD WParamHi() const { return HIWORD(WParam); }
    WORD LParamLo() const { return LOWORD(LParam); }
    WORD LParamHi() const { return HIWORD(LParam); }
};

// Component messages: notices between controls, never seen by the system.
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0;
constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
// WParam: the key code, LParam: the key data. Result 1 when the key was used.
constexpr UINT CM_DIALOGKEY = CM_BASE + 5;
// WParam: the character, LParam: the key data. Result 1 when the character was used.
constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;
// LParam: the control (TWinControl*) that now has the focus.
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 7;
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr UINT CM_COLORCHANGED = CM_BASE + 13;
constexpr UINT CM_FONTCHANGED = CM_BASE + 14;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
// LParam: the control the pointer entered or left.
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;
constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 24;
constexpr UINT CM_BIDIMODECHANGED = CM_BASE + 60;
constexpr UINT CM_PARENTBIDIMODECHANGED = CM_BASE + 61;
// Posted to a form that frees itself once the messages in flight are done.
constexpr UINT CM_RELEASE = CM_BASE + 33;

// Notices reflected from a parent window to the child control they concern
// (WM_COMMAND, WM_NOTIFY, WM_CTLCOLORxxx, WM_DRAWITEM, ...): CN_BASE + the message.
constexpr UINT CN_BASE = 0xBC00;

// Readers of the common message parameters.
namespace MessageParams {
inline int MouseX(const TMessage& m) { return static_cast<short>(LOWORD(m.LParam)); }
inline int MouseY(const TMessage& m) { return static_cast<short>(HIWORD(m.LParam)); }
inline LPARAM MousePoint(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }
inline WORD KeyCode(const TMessage& m) { return static_cast<WORD>(m.WParam); }
inline HDC PaintDC(const TMessage& m) { return reinterpret_cast<HDC>(m.WParam); }
} // namespace MessageParams
