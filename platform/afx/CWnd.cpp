// CWnd: the handle map, subclassing, creation and message dispatch.
#include "CWnd.h"

#include "AfxState.h"
#include "CString.h"

#include <memory>
#include <mutex>
#include <unordered_map>

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

namespace {

// Windows owned by an object, for every thread of the program.
struct PermanentMap {
    std::mutex lock;
    std::unordered_map<HWND, CWnd*> windows;
};

PermanentMap& Permanents()
{
    static PermanentMap map;
    return map;
}

// Objects handed out for windows no object owns; per thread, as the windows
// they stand for are used on their own thread.
thread_local std::unordered_map<HWND, std::unique_ptr<CWnd>> t_temporaries;

// The object whose window CreateEx is making on this thread: attached at the
// first message the new window gets.
thread_local CWnd* t_creating = nullptr;

// A visible, enabled window owned by `owner` (the modal one that disabled it).
struct OwnedSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindEnabledOwned(HWND candidate, LPARAM param)
{
    auto* search = reinterpret_cast<OwnedSearch*>(param);
    if (::GetWindow(candidate, GW_OWNER) == search->owner && ::IsWindowVisible(candidate) &&
        ::IsWindowEnabled(candidate)) {
        search->found = candidate;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

CWnd::~CWnd()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
        ::DestroyWindow(m_hWnd);
        // A window of another class may outlive the destroy request; let go of it.
        if (m_hWnd)
            Detach();
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    PermanentMap& map = Permanents();
    std::lock_guard<std::mutex> guard(map.lock);
    auto found = map.windows.find(hwnd);
    return found == map.windows.end() ? nullptr : found->second;
}

CWnd* CWnd::FromHandle(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    if (CWnd* permanent = FromHandlePermanent(hwnd))
        return permanent;
    std::unique_ptr<CWnd>& temporary = t_temporaries[hwnd];
    if (!temporary) {
        temporary = std::make_unique<CWnd>();
        temporary->m_hWnd = hwnd;
    }
    return temporary.get();
}

void CWnd::DeleteTempMap()
{
    for (auto& entry : t_temporaries)
        entry.second->m_hWnd = nullptr;  // a temporary never destroys its window
    t_temporaries.clear();
}

BOOL CWnd::Attach(HWND hwnd)
{
    if (!hwnd || m_hWnd)
        return FALSE;
    PermanentMap& map = Permanents();
    std::lock_guard<std::mutex> guard(map.lock);
    if (map.windows.count(hwnd))
        return FALSE;
    map.windows[hwnd] = this;
    m_hWnd = hwnd;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hwnd = m_hWnd;
    if (hwnd) {
        PermanentMap& map = Permanents();
        std::lock_guard<std::mutex> guard(map.lock);
        auto found = map.windows.find(hwnd);
        if (found != map.windows.end() && found->second == this)
            map.windows.erase(found);
    }
    m_hWnd = nullptr;
    return hwnd;
}

BOOL CWnd::SubclassWindow(HWND hwnd)
{
    if (!Attach(hwnd))
        return FALSE;
    auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::AfxWndProc)));
    if (previous != &CWnd::AfxWndProc)
        m_pfnSuper = previous;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    HWND control = parent ? ::GetDlgItem(parent->m_hWnd, static_cast<int>(id)) : nullptr;
    return control ? SubclassWindow(control) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper && m_hWnd)
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

LPCSTR CWnd::DefaultClassName()
{
    static const char name[] = "AfxWnd";
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASSA cls = {};
        cls.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        cls.lpfnWndProc = &CWnd::AfxWndProc;
        cls.hInstance = AfxGetInstanceHandle();
        cls.hCursor = LoadCursor(nullptr, IDC_ARROW);
        cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        cls.lpszClassName = name;
        RegisterClassA(&cls);
    });
    return name;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = DefaultClassName();
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int cx,
                    int cy, HWND parent, HMENU menuOrId, LPVOID param)
{
    if (m_hWnd)
        return FALSE;
    CREATESTRUCTA cs = {};
    cs.dwExStyle = exStyle;
    cs.lpszClass = className;
    cs.lpszName = windowName;
    cs.style = static_cast<LONG>(style);
    cs.x = x;
    cs.y = y;
    cs.cx = cx;
    cs.cy = cy;
    cs.hwndParent = parent;
    cs.hMenu = menuOrId;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = param;
    if (!PreCreateWindow(cs))
        return FALSE;

    CWnd* outer = t_creating;
    t_creating = this;
    HWND hwnd = CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x,
                                cs.y, cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    t_creating = outer;
    if (!hwnd)
        return FALSE;
    // A window of a class that is not the framework's is taken over now.
    if (!m_hWnd)
        SubclassWindow(hwnd);
    return m_hWnd != nullptr;
}

BOOL CWnd::Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                  LPVOID param)
{
    return CreateEx(0, className, windowName, style | WS_CHILD, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), param);
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND top, MSG* msg)
{
    for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
        if (CWnd* wnd = FromHandlePermanent(hwnd)) {
            if (wnd->PreTranslateMessage(msg))
                return TRUE;
        }
        if (hwnd == top)
            break;
    }
    return FALSE;
}

LRESULT CALLBACK CWnd::AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (!wnd && t_creating) {
        wnd = t_creating;
        t_creating = nullptr;
        wnd->Attach(hwnd);
    }
    if (!wnd)
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    return wnd->Dispatch(message, wParam, lParam);
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG current = {};
    current.hwnd = m_hWnd;
    current.message = message;
    current.wParam = wParam;
    current.lParam = lParam;
    const MSG* outer = m_pCurrentMsg;
    m_pCurrentMsg = &current;
    LRESULT result = WindowProc(message, wParam, lParam);
    m_pCurrentMsg = outer;
    if (message == WM_NCDESTROY)
        OnNcDestroyed();
    return result;
}

void CWnd::OnNcDestroyed()
{
    // The window is gone: hand it back to its own procedure and let go of it.
    if (m_pfnSuper && m_hWnd)
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    Detach();
    PostNcDestroy();
}

void CWnd::PostNcDestroy() {}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *result = 0;
        return TRUE;
    }
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(message, 0, 0);
    if (!entry)
        return FALSE;
    *result = 0;
    return entry->pfn(this, wParam, lParam, result);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM)
{
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    if (!m_pCurrentMsg)
        return 0;
    return DefWindowProc(m_pCurrentMsg->message, m_pCurrentMsg->wParam, m_pCurrentMsg->lParam);
}

BOOL CWnd::HandleInitDialog(WPARAM, LPARAM)
{
    return TRUE;
}

INT_PTR CALLBACK CWnd::AfxDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;  // everything else reaches the object through its subclassed procedure
    CWnd* wnd = reinterpret_cast<CWnd*>(lParam);
    if (!wnd || (!wnd->m_hWnd && !wnd->SubclassWindow(hwnd)))
        return TRUE;
    return wnd->HandleInitDialog(wParam, lParam);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::ShowWindow(int command)
{
    return ::ShowWindow(m_hWnd, command);
}

BOOL CWnd::IsWindowVisible() const
{
    return ::IsWindowVisible(m_hWnd);
}

BOOL CWnd::EnableWindow(BOOL enable)
{
    return ::EnableWindow(m_hWnd, enable);
}

BOOL CWnd::IsWindowEnabled() const
{
    return ::IsWindowEnabled(m_hWnd);
}

void CWnd::SetWindowText(LPCSTR text)
{
    ::SetWindowTextA(m_hWnd, text);
}

void CWnd::GetWindowText(CString& text) const
{
    const int length = ::GetWindowTextLengthA(m_hWnd);
    char* buffer = text.GetBuffer(length);
    ::GetWindowTextA(m_hWnd, buffer, length + 1);
    text.ReleaseBuffer();
}

int CWnd::GetWindowTextLength() const
{
    return ::GetWindowTextLengthA(m_hWnd);
}

void CWnd::GetClientRect(LPRECT rect) const
{
    ::GetClientRect(m_hWnd, rect);
}

void CWnd::GetWindowRect(LPRECT rect) const
{
    ::GetWindowRect(m_hWnd, rect);
}

void CWnd::ScreenToClient(LPRECT rect) const
{
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(rect), 2);
}

void CWnd::ScreenToClient(LPPOINT point) const
{
    ::ScreenToClient(m_hWnd, point);
}

void CWnd::ClientToScreen(LPRECT rect) const
{
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(rect), 2);
}

void CWnd::MoveWindow(int x, int y, int cx, int cy, BOOL repaint)
{
    ::MoveWindow(m_hWnd, x, y, cx, cy, repaint);
}

BOOL CWnd::SetWindowPos(const CWnd* after, int x, int y, int cx, int cy, UINT flags)
{
    return ::SetWindowPos(m_hWnd, after ? after->m_hWnd : nullptr, x, y, cx, cy, flags);
}

void CWnd::CenterWindow(CWnd* alternateOwner)
{
    RECT area;
    HWND owner = alternateOwner ? alternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
    if (GetStyle() & WS_CHILD)
        ::GetClientRect(::GetParent(m_hWnd), &area);
    else if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner))
        ::GetWindowRect(owner, &area);
    else
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    RECT own;
    ::GetWindowRect(m_hWnd, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    const int x = area.left + (area.right - area.left - width) / 2;
    const int y = area.top + (area.bottom - area.top - height) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::RedrawWindow(LPCRECT rect, HRGN region, UINT flags)
{
    return ::RedrawWindow(m_hWnd, rect, region, flags);
}

void CWnd::Invalidate(BOOL erase)
{
    ::InvalidateRect(m_hWnd, nullptr, erase);
}

void CWnd::UpdateWindow()
{
    ::UpdateWindow(m_hWnd);
}

LONG_PTR CWnd::GetStyle() const
{
    return ::GetWindowLongPtrA(m_hWnd, GWL_STYLE);
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags)
{
    const LONG_PTR style = GetStyle();
    const LONG_PTR changed = (style & ~static_cast<LONG_PTR>(remove)) | static_cast<LONG_PTR>(add);
    if (changed == style)
        return FALSE;
    ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, changed);
    if (flags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}

int CWnd::GetDlgCtrlID() const
{
    return ::GetDlgCtrlID(m_hWnd);
}

int CWnd::SetDlgCtrlID(int id)
{
    return static_cast<int>(::SetWindowLongPtrA(m_hWnd, GWLP_ID, id));
}

CWnd* CWnd::SetFocus()
{
    return FromHandle(::SetFocus(m_hWnd));
}

CWnd* CWnd::GetParent() const
{
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::GetTopLevelParent() const
{
    HWND top = m_hWnd;
    while (top && (::GetWindowLongPtrA(top, GWL_STYLE) & WS_CHILD))
        top = ::GetParent(top);
    return FromHandle(top);
}

CWnd* CWnd::GetDlgItem(int id) const
{
    return FromHandle(::GetDlgItem(m_hWnd, id));
}

CWnd* CWnd::GetDescendantWindow(int id, BOOL onlyPermanent) const
{
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(child) == id) {
            CWnd* found = onlyPermanent ? FromHandlePermanent(child) : FromHandle(child);
            if (found)
                return found;
        }
        CWnd* parent = FromHandle(child);
        if (CWnd* deeper = parent->GetDescendantWindow(id, onlyPermanent))
            return deeper;
    }
    return nullptr;
}

void CWnd::SetDlgItemText(int id, LPCSTR text)
{
    ::SetDlgItemTextA(m_hWnd, id, text);
}

int CWnd::GetDlgItemText(int id, CString& text) const
{
    HWND item = ::GetDlgItem(m_hWnd, id);
    text.Empty();
    if (item) {
        CWnd* control = FromHandle(item);
        control->GetWindowText(text);
    }
    return text.GetLength();
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL deep)
{
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        ::SendMessageA(child, message, wParam, lParam);
        if (deep)
            FromHandle(child)->SendMessageToDescendants(message, wParam, lParam, deep);
    }
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc)
{
    return ::SetTimer(m_hWnd, id, elapse, proc);
}

BOOL CWnd::KillTimer(UINT_PTR id)
{
    return ::KillTimer(m_hWnd, id);
}

HMENU CWnd::GetMenu() const
{
    return ::GetMenu(m_hWnd);
}

int CWnd::MessageBox(LPCSTR text, LPCSTR caption, UINT type)
{
    return ::MessageBoxA(m_hWnd, text, caption ? caption : AfxGetAppName(), type);
}

HWND CWnd::GetSafeOwner_(HWND parent)
{
    HWND owner = parent;
    if (!owner) {
        CWnd* main = AfxGetMainWnd();
        owner = main ? main->m_hWnd : nullptr;
    }
    if (!owner)
        owner = ::GetActiveWindow();  // no main window: the window the user works in
    while (owner && (::GetWindowLongPtrA(owner, GWL_STYLE) & WS_CHILD))
        owner = ::GetParent(owner);
    if (!owner || ::IsWindowEnabled(owner))
        return owner;
    // A modal window disables its owner: the box belongs to that window.
    HWND popup = ::GetLastActivePopup(owner);
    if (popup && popup != owner && ::IsWindowEnabled(popup))
        return popup;
    OwnedSearch search = {owner, nullptr};
    EnumThreadWindows(GetWindowThreadProcessId(owner, nullptr), &FindEnabledOwned,
                      reinterpret_cast<LPARAM>(&search));
    return search.found ? search.found : owner;
}
