// CDialog: a modal dialog box made from a dialog template of the resources.
#pragma once

#include "CWnd.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)

public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // Runs the dialog until EndDialog; the value given to EndDialog, or -1
    // when the template cannot be made into a window.
    virtual INT_PTR DoModal();
    void EndDialog(INT_PTR result);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    UINT m_nIDHelp;  // the template

protected:
    BOOL HandleInitDialog(WPARAM wParam, LPARAM lParam) override;

    CWnd* m_pParentWnd;

    DECLARE_MESSAGE_MAP()
};
