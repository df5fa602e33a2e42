// CFrameWnd: a top-level frame that holds a view and control bars (the status
// bar) and routes commands to its active view first.
#pragma once

#include "CCreateContext.h"
#include "CWnd.h"

class CView;

// Adds the document's title to the frame's caption.
#define FWS_ADDTOTITLE 0x00008000L

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)

public:
    CFrameWnd() = default;

    static const RECT rectDefault;  // lets the system place and size the frame

    virtual BOOL Create(LPCSTR className, LPCSTR windowName, DWORD style = WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CWnd* parent = nullptr, LPCSTR menuName = nullptr,
                        DWORD exStyle = 0, CCreateContext* context = nullptr);
    // Creates the frame with the menu, icon, accelerators and title of
    // resource `resourceId` (each when present).
    virtual BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* parent = nullptr, CCreateContext* context = nullptr);

    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* view, BOOL notify = TRUE);
    // Sends the first update to the frame's views and shows the frame.
    void InitialUpdateFrame(class CDocument* document, BOOL makeVisible);
    // Places the control bars along the bottom and the view in what is left.
    virtual void RecalcLayout(BOOL notify = TRUE);

    // The active view, then the frame, then the application.
    BOOL OnCmdMsg(UINT id, int code) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    HACCEL m_hAccelTable = nullptr;
    UINT m_nIDResource = 0;

protected:
    virtual BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context);
    CWnd* CreateView(CCreateContext* context, UINT id);
    void PostNcDestroy() override;

    int OnCreate(LPCREATESTRUCT cs);
    void OnSize(UINT type, int cx, int cy);
    void OnClose();
    void OnSetFocus(CWnd* old);
    void OnDestroy();

    CView* m_pViewActive = nullptr;

    DECLARE_MESSAGE_MAP()
};
