// CView: document link, initial update and command routing of a view.
#include "CView.h"

#include "AfxRes.h"
#include "CDocument.h"
#include "CFrameWnd.h"
#include "OwnedDC.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
END_MESSAGE_MAP()

CView::~CView()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

CFrameWnd* CView::GetParentFrame() const
{
    for (HWND hwnd = ::GetParent(m_hWnd); hwnd; hwnd = ::GetParent(hwnd)) {
        if (auto* frame = dynamic_cast<CFrameWnd*>(FromHandlePermanent(hwnd)))
            return frame;
    }
    return nullptr;
}

BOOL CView::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.style |= WS_CLIPSIBLINGS;
    return CWnd::PreCreateWindow(cs);
}

int CView::OnCreate(LPCREATESTRUCT cs)
{
    if (Default() == -1)
        return -1;
    // The frame passes its creation context on to the view it creates.
    auto* context = cs ? static_cast<CCreateContext*>(cs->lpCreateParams) : nullptr;
    if (context && context->m_pCurrentDoc)
        context->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy()
{
    if (CFrameWnd* frame = GetParentFrame()) {
        if (frame->GetActiveView() == this)
            frame->SetActiveView(nullptr);
    }
    Default();
}

void CView::OnPaint()
{
    TPaintDC dc(m_hWnd);
    OnDraw(dc);
}

void CView::OnDraw(HDC) {}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM)
{
    OnInitialUpdate();
    return 0;
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, LPARAM, CObject*)
{
    Invalidate(TRUE);
}

BOOL CView::OnCmdMsg(UINT id, int code)
{
    if (CWnd::OnCmdMsg(id, code))
        return TRUE;
    return m_pDocument && m_pDocument->OnCmdMsg(id, code);
}

void CView::PostNcDestroy()
{
    delete this;
}
