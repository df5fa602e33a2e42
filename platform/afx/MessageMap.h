// Message maps: per-class tables from a window message, or a command id and
// notification code, to a typed handler. Each entry unpacks its message into
// the arguments of the handler named beside it.
#pragma once

#include <windows.h>

class CCmdTarget;

// Runs one handler; `result` receives the message result. For command entries
// wParam is the command id and lParam the notification code.
typedef BOOL (*AFX_MSGHANDLER)(CCmdTarget* target, WPARAM wParam, LPARAM lParam, LRESULT* result);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;  // window message; WM_COMMAND entries also match the code and id range
    UINT nCode;
    UINT nID;
    UINT nLastID;
    AFX_MSGHANDLER pfn;  // null ends the table
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();  // null for the root
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define CN_COMMAND 0

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() \
    { \
        typedef theClass ThisClass; \
        typedef baseClass TheBaseClass; \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP() \
            {0, 0, 0, 0, nullptr}}; \
        static_assert(sizeof(ThisClass) > 0, "message map of an incomplete class"); \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, entries}; \
        return &messageMap; \
    }

// The body of one entry's handler: `self` is the object, `wParam`, `lParam`
// and `result` the message.
#define AFX_MSG_HANDLER_(body) \
    [](CCmdTarget* target, WPARAM wParam, LPARAM lParam, LRESULT* result) -> BOOL { \
        ThisClass* self = static_cast<ThisClass*>(target); \
        (void)self; (void)wParam; (void)lParam; (void)result; \
        body; \
        return TRUE; \
    }

#define AFX_MSG_ENTRY_(message, body) {message, 0, 0, 0, AFX_MSG_HANDLER_(body)},

// void memberFxn()
#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (id), (id), AFX_MSG_HANDLER_(self->memberFxn())},
// void memberFxn(UINT id)
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (id), (idLast), AFX_MSG_HANDLER_(self->memberFxn(static_cast<UINT>(wParam)))},
// void memberFxn(), for a notification code of a control
#define ON_CONTROL(code, id, memberFxn) {WM_COMMAND, (code), (id), (id), AFX_MSG_HANDLER_(self->memberFxn())},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
// LRESULT memberFxn(WPARAM, LPARAM)
#define ON_MESSAGE(message, memberFxn) AFX_MSG_ENTRY_(message, *result = self->memberFxn(wParam, lParam))
// int OnCreate(LPCREATESTRUCT)
#define ON_WM_CREATE() \
    AFX_MSG_ENTRY_(WM_CREATE, *result = self->OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam)))
// void OnDestroy()
#define ON_WM_DESTROY() AFX_MSG_ENTRY_(WM_DESTROY, self->OnDestroy())
// void OnClose()
#define ON_WM_CLOSE() AFX_MSG_ENTRY_(WM_CLOSE, self->OnClose())
// void OnTimer(UINT_PTR id)
#define ON_WM_TIMER() AFX_MSG_ENTRY_(WM_TIMER, self->OnTimer(static_cast<UINT_PTR>(wParam)))
// void OnHotKey(UINT id, UINT modifiers, UINT virtualKey)
#define ON_WM_HOTKEY() \
    AFX_MSG_ENTRY_(WM_HOTKEY, self->OnHotKey(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)))
// void OnContextMenu(CWnd* window, CPoint screenPos)
#define ON_WM_CONTEXTMENU() \
    AFX_MSG_ENTRY_(WM_CONTEXTMENU, \
                   self->OnContextMenu(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), \
                                       CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)))))
// void OnSize(UINT type, int cx, int cy)
#define ON_WM_SIZE() \
    AFX_MSG_ENTRY_(WM_SIZE, self->OnSize(static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)), \
                                         static_cast<short>(HIWORD(lParam))))
// void OnSysCommand(UINT id, LPARAM lParam)
#define ON_WM_SYSCOMMAND() AFX_MSG_ENTRY_(WM_SYSCOMMAND, self->OnSysCommand(static_cast<UINT>(wParam), lParam))
// void OnSetFocus(CWnd* oldWindow)
#define ON_WM_SETFOCUS() \
    AFX_MSG_ENTRY_(WM_SETFOCUS, self->OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))))
// void OnPaint()
#define ON_WM_PAINT() AFX_MSG_ENTRY_(WM_PAINT, self->OnPaint())
