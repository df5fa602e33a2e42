// CDocument: the view list and the new-document step.
#include "CDocument.h"

#include "CView.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CDocument, CCmdTarget)

BOOL CDocument::OnNewDocument()
{
    return TRUE;
}

void CDocument::SetTitle(LPCSTR title)
{
    m_strTitle = title;
}

void CDocument::AddView(CView* view)
{
    if (std::find(m_views.begin(), m_views.end(), view) == m_views.end()) {
        m_views.push_back(view);
        view->m_pDocument = this;
    }
}

void CDocument::RemoveView(CView* view)
{
    auto found = std::find(m_views.begin(), m_views.end(), view);
    if (found != m_views.end()) {
        m_views.erase(found);
        view->m_pDocument = nullptr;
    }
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, CObject* hintObject)
{
    for (CView* view : m_views) {
        if (view != sender)
            view->OnUpdate(sender, hint, hintObject);
    }
}
