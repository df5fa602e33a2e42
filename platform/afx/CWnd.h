// CWnd: a C++ object attached to a window handle. Messages of attached windows
// run through the object's message map; what it leaves goes to the default.
#pragma once

#include "AfxGeometry.h"
#include "CCmdTarget.h"
#include "CString.h"

#include <windows.h>

class CWnd : public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)

public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    // Destroys a window this object still owns.
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The handle map. FromHandle gives a temporary object for a window that no
    // object owns; temporaries live until DeleteTempMap on their thread.
    static CWnd* FromHandle(HWND hwnd);
    static CWnd* FromHandlePermanent(HWND hwnd);
    static void DeleteTempMap();

    BOOL Attach(HWND hwnd);
    HWND Detach();
    // Attaches and routes the window's messages through this object first.
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    // A window of a class registered by the framework (null class: the
    // default one) or of any registered class; PreCreateWindow may change it.
    virtual BOOL CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                          int cx, int cy, HWND parent, HMENU menuOrId, LPVOID param = nullptr);
    virtual BOOL Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                        UINT id, LPVOID param = nullptr);
    virtual BOOL DestroyWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
    // Offered each message of the thread's loop before it is dispatched.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // From `target` up to the top level, each window's PreTranslateMessage.
    static BOOL WalkPreTranslateTree(HWND top, MSG* msg);

    // Message handling.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The default handling of the message being handled now.
    LRESULT Default();
    virtual void PostNcDestroy();

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // Window state and geometry.
    BOOL ShowWindow(int command);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    void SetWindowText(LPCSTR text);
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const;
    void GetClientRect(LPRECT rect) const;
    void GetWindowRect(LPRECT rect) const;
    void ScreenToClient(LPRECT rect) const;
    void ScreenToClient(LPPOINT point) const;
    void ClientToScreen(LPRECT rect) const;
    void MoveWindow(int x, int y, int cx, int cy, BOOL repaint = TRUE);
    BOOL SetWindowPos(const CWnd* after, int x, int y, int cx, int cy, UINT flags);
    void CenterWindow(CWnd* alternateOwner = nullptr);
    BOOL RedrawWindow(LPCRECT rect = nullptr, HRGN region = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    void Invalidate(BOOL erase = TRUE);
    void UpdateWindow();
    LONG_PTR GetStyle() const;
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int id);
    CWnd* SetFocus();

    // Relatives.
    CWnd* GetParent() const;
    CWnd* GetTopLevelParent() const;
    CWnd* GetDlgItem(int id) const;
    // The first window with control id `id` below this one, at any depth.
    CWnd* GetDescendantWindow(int id, BOOL onlyPermanent = FALSE) const;
    void SetDlgItemText(int id, LPCSTR text);
    int GetDlgItemText(int id, CString& text) const;
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL deep = TRUE);

    // Timers, menus and message boxes.
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr);
    BOOL KillTimer(UINT_PTR id);
    HMENU GetMenu() const;
    int MessageBox(LPCSTR text, LPCSTR caption = nullptr, UINT type = MB_OK);

    // The window a box or dialog without a given owner belongs to: the main
    // window, or the modal window that currently disables it.
    static HWND GetSafeOwner_(HWND parent);

    // Runs the message through the object's WindowProc; the window procedure
    // of every window of the framework comes here.
    static LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Called with the WM_INITDIALOG of a dialog template that this object was
    // created from; the result is the dialog procedure's answer.
    virtual BOOL HandleInitDialog(WPARAM wParam, LPARAM lParam);
    // The dialog procedure of every template the framework creates: the
    // object arrives in WM_INITDIALOG and takes the window over there.
    static INT_PTR CALLBACK AfxDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Registers (once) and names the framework's default window class.
    static LPCSTR DefaultClassName();

    WNDPROC m_pfnSuper = nullptr;  // the window's own procedure when subclassed

private:
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void OnNcDestroyed();

    const MSG* m_pCurrentMsg = nullptr;  // the message WindowProc is handling now
};
