// CFormView: a view whose window is made from a dialog template (a child
// dialog): its controls are the template's, its commands the view's.
#pragma once

#include "CView.h"

class CFormView : public CView {
    DECLARE_DYNAMIC(CFormView)

public:
    BOOL Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                LPVOID param = nullptr) override;

    // Keyboard navigation between the form's controls.
    BOOL PreTranslateMessage(MSG* msg) override;

    // Sizes the parent frame so that the view shows the whole template;
    // with shrinkOnly the frame only ever gets smaller.
    void ResizeParentToFit(BOOL shrinkOnly = TRUE);

    UINT m_nIDTemplate;

protected:
    explicit CFormView(UINT templateId);

    BOOL HandleInitDialog(WPARAM wParam, LPARAM lParam) override;

    SIZE m_templateSize = {0, 0};  // the client size the template was made with
    LPVOID m_pCreateParam = nullptr;

    DECLARE_MESSAGE_MAP()
};
