// CFormView: a child dialog as a view.
#include "CFormView.h"

#include "AfxState.h"
#include "CDocument.h"
#include "CFrameWnd.h"

IMPLEMENT_DYNAMIC(CFormView, CView)

BEGIN_MESSAGE_MAP(CFormView, CView)
END_MESSAGE_MAP()

CFormView::CFormView(UINT templateId) : m_nIDTemplate(templateId) {}

BOOL CFormView::Create(LPCSTR, LPCSTR, DWORD style, const RECT& rect, CWnd* parent, UINT id, LPVOID param)
{
    if (m_hWnd)
        return FALSE;
    m_pCreateParam = param;
    HWND hwnd = CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate),
                                   parent ? parent->m_hWnd : nullptr, &CWnd::AfxDlgProc,
                                   reinterpret_cast<LPARAM>(static_cast<CWnd*>(this)));
    if (!hwnd || m_hWnd != hwnd)
        return FALSE;
    RECT client;
    ::GetClientRect(hwnd, &client);
    m_templateSize.cx = client.right;
    m_templateSize.cy = client.bottom;

    // The template fixes the controls; the frame fixes id, place and size.
    ModifyStyle(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, WS_CHILD | WS_CLIPSIBLINGS | style);
    SetDlgCtrlID(static_cast<int>(id));
    ::SetWindowPos(hwnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (style & WS_VISIBLE)
        ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CFormView::HandleInitDialog(WPARAM, LPARAM)
{
    // A form joins its document as any view does in its creation.
    auto* context = static_cast<CCreateContext*>(m_pCreateParam);
    if (context && context->m_pCurrentDoc)
        context->m_pCurrentDoc->AddView(this);
    return FALSE;  // the frame decides where the focus goes
}

BOOL CFormView::PreTranslateMessage(MSG* msg)
{
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST && m_hWnd)
        return ::IsDialogMessageA(m_hWnd, msg);
    return FALSE;
}

void CFormView::ResizeParentToFit(BOOL shrinkOnly)
{
    CFrameWnd* frame = GetParentFrame();
    if (!frame)
        return;
    RECT view;
    ::GetWindowRect(m_hWnd, &view);
    RECT outer;
    ::GetWindowRect(frame->m_hWnd, &outer);
    const int dx = m_templateSize.cx - (view.right - view.left);
    const int dy = m_templateSize.cy - (view.bottom - view.top);
    int width = outer.right - outer.left;
    int height = outer.bottom - outer.top;
    if (!shrinkOnly || dx < 0)
        width += dx;
    if (!shrinkOnly || dy < 0)
        height += dy;
    ::SetWindowPos(frame->m_hWnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
