// CDialog: modal dialogs over the system's dialog manager.
#include "CDialog.h"

#include "AfxState.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDHelp(templateId), m_pParentWnd(parent) {}

INT_PTR CDialog::DoModal()
{
    HWND owner = GetSafeOwner_(m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr);
    return DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDHelp), owner, &CWnd::AfxDlgProc,
                           reinterpret_cast<LPARAM>(static_cast<CWnd*>(this)));
}

void CDialog::EndDialog(INT_PTR result)
{
    if (m_hWnd)
        ::EndDialog(m_hWnd, result);
}

BOOL CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    return OnInitDialog();
}

BOOL CDialog::OnInitDialog()
{
    return TRUE;
}

void CDialog::OnOK()
{
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}
