// CFrameWnd: frame creation from resources, the view and bar layout, and
// command routing.
#include "CFrameWnd.h"

#include "AfxRes.h"
#include "AfxState.h"
#include "CDocument.h"
#include "CView.h"
#include "CWinThread.h"
#include "OwnedHandles.h"

#include <cstring>
#include <mutex>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_WM_SETFOCUS()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

const RECT CFrameWnd::rectDefault = {static_cast<LONG>(CW_USEDEFAULT), static_cast<LONG>(CW_USEDEFAULT), 0, 0};

namespace {

LPCSTR FrameClassName()
{
    static const char name[] = "AfxFrameOrView";
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASSA cls = {};
        cls.style = CS_DBLCLKS;
        cls.lpfnWndProc = &CWnd::AfxWndProc;
        cls.hInstance = AfxGetInstanceHandle();
        cls.hCursor = LoadCursor(nullptr, IDC_ARROW);
        cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        cls.lpszClassName = name;
        RegisterClassA(&cls);
    });
    return name;
}

bool IsControlBar(HWND hwnd)
{
    const int id = ::GetDlgCtrlID(hwnd);
    return id >= AFX_IDW_CONTROLBAR_FIRST && id <= AFX_IDW_CONTROLBAR_LAST;
}

}  // namespace

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = FrameClassName();
    cs.style &= ~static_cast<LONG>(FWS_ADDTOTITLE);
    return TRUE;
}

BOOL CFrameWnd::Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                       LPCSTR menuName, DWORD exStyle, CCreateContext* context)
{
    TOwnedMenu menu(menuName ? LoadMenuA(AfxGetResourceHandle(), menuName) : nullptr);
    const bool useDefault = rect.left == static_cast<LONG>(CW_USEDEFAULT);
    const BOOL created =
        CreateEx(exStyle, className, windowName, style, rect.left, rect.top,
                 useDefault ? static_cast<int>(CW_USEDEFAULT) : rect.right - rect.left,
                 useDefault ? static_cast<int>(CW_USEDEFAULT) : rect.bottom - rect.top,
                 parent ? parent->m_hWnd : nullptr, menu.Get(), context);
    // A window made with the menu destroys it with itself.
    if (created)
        static_cast<void>(menu.Detach());
    return created;
}

BOOL CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context)
{
    m_nIDResource = resourceId;
    HINSTANCE resources = AfxGetResourceHandle();
    // The title is the first line of the resource's document string.
    char text[512] = {};
    LoadStringA(resources, resourceId, text, sizeof text);
    if (char* newline = std::strchr(text, '\n'))
        *newline = '\0';
    LPCSTR menuName = FindResourceA(resources, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(4) /* RT_MENU */)
                          ? MAKEINTRESOURCEA(resourceId)
                          : nullptr;
    if (!Create(nullptr, text, style, rectDefault, parent, menuName, 0, context))
        return FALSE;
    if (HICON icon = LoadIconA(resources, MAKEINTRESOURCEA(resourceId))) {
        SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    m_hAccelTable = LoadAcceleratorsA(resources, MAKEINTRESOURCEA(resourceId));
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT cs)
{
    if (Default() == -1)
        return -1;
    auto* context = static_cast<CCreateContext*>(cs->lpCreateParams);
    return OnCreateClient(cs, context) ? 0 : -1;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* context)
{
    if (context && context->m_pNewViewClass)
        return CreateView(context, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* context, UINT id)
{
    CObject* object = context->m_pNewViewClass->CreateObject();
    auto* view = dynamic_cast<CWnd*>(object);
    if (!view) {
        delete object;
        return nullptr;
    }
    RECT rect = {0, 0, 0, 0};
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, this, id, context)) {
        // A view whose window failed is deleted here; one whose window was
        // made deletes itself when the window goes.
        if (!view->m_hWnd)
            delete view;
        return nullptr;
    }
    if (auto* asView = dynamic_cast<CView*>(view))
        context->m_pLastView = asView;
    return view;
}

void CFrameWnd::SetActiveView(CView* view, BOOL)
{
    m_pViewActive = view;
}

void CFrameWnd::InitialUpdateFrame(CDocument*, BOOL makeVisible)
{
    if (!m_pViewActive) {
        if (auto* view = dynamic_cast<CView*>(GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE)))
            SetActiveView(view);
    }
    RecalcLayout();
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE);
    if (makeVisible) {
        ShowWindow(SW_SHOW);
        UpdateWindow();
    }
}

void CFrameWnd::RecalcLayout(BOOL)
{
    if (!m_hWnd)
        return;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    HWND pane = nullptr;
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(child) == AFX_IDW_PANE_FIRST) {
            pane = child;
            continue;
        }
        if (!IsControlBar(child) || !::IsWindowVisible(child))
            continue;
        // A bar keeps its own height and sits on the bottom edge.
        RECT bar;
        ::GetWindowRect(child, &bar);
        const int height = bar.bottom - bar.top;
        client.bottom -= height;
        ::SetWindowPos(child, nullptr, client.left, client.bottom, client.right - client.left, height,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (pane) {
        ::SetWindowPos(pane, nullptr, client.left, client.top, client.right - client.left,
                       client.bottom > client.top ? client.bottom - client.top : 0, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CFrameWnd::OnSize(UINT type, int, int)
{
    Default();
    if (type != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd*)
{
    if (m_pViewActive && m_pViewActive->m_hWnd)
        ::SetFocus(m_pViewActive->m_hWnd);
    else
        Default();
}

void CFrameWnd::OnClose()
{
    DestroyWindow();
}

void CFrameWnd::OnDestroy()
{
    m_pViewActive = nullptr;
    Default();
}

BOOL CFrameWnd::OnCmdMsg(UINT id, int code)
{
    if (m_pViewActive && m_pViewActive->OnCmdMsg(id, code))
        return TRUE;
    if (CWnd::OnCmdMsg(id, code))
        return TRUE;
    CCmdTarget* app = AfxGetModuleState()->m_pAppCmdTarget;
    return app && app->OnCmdMsg(id, code);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* msg)
{
    if (m_hAccelTable && msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST &&
        TranslateAcceleratorA(m_hWnd, m_hAccelTable, msg))
        return TRUE;
    return CWnd::PreTranslateMessage(msg);
}

void CFrameWnd::PostNcDestroy()
{
    // The main frame's end is the application's end.
    AFX_MODULE_STATE* state = AfxGetModuleState();
    if (state->m_pCurrentWinApp && state->m_pCurrentWinApp->m_pMainWnd == this) {
        state->m_pCurrentWinApp->m_pMainWnd = nullptr;
        PostQuitMessage(0);
    }
    delete this;
}
