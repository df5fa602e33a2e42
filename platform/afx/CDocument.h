// CDocument: the data a single-document frame shows; it knows its views and
// is offered the commands its active view leaves unhandled.
#pragma once

#include "CCmdTarget.h"
#include "CString.h"

#include <vector>

class CDocTemplate;
class CView;

class CDocument : public CCmdTarget {
    DECLARE_DYNCREATE(CDocument)

public:
    CDocument() = default;

    virtual BOOL OnNewDocument();
    virtual void SetTitle(LPCSTR title);
    const CString& GetTitle() const { return m_strTitle; }

    void AddView(CView* view);
    void RemoveView(CView* view);
    const std::vector<CView*>& GetViews() const { return m_views; }
    void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr);

    CDocTemplate* m_pDocTemplate = nullptr;

protected:
    CString m_strTitle;
    std::vector<CView*> m_views;
};
