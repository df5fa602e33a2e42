// CView: a child window of a frame that shows a document; created by the
// frame from its creation context, deleted when its window goes.
#pragma once

#include "CWnd.h"

class CDocument;
class CFrameWnd;

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)

public:
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    CFrameWnd* GetParentFrame() const;

    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject);
    virtual void OnDraw(HDC dc);

    // The view first, then its document.
    BOOL OnCmdMsg(UINT id, int code) override;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    CDocument* m_pDocument = nullptr;

protected:
    CView() = default;

    void PostNcDestroy() override;
    int OnCreate(LPCREATESTRUCT cs);
    void OnDestroy();
    void OnPaint();
    LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()
};
