// CWaitDlg: the countdown dialog of timed shots.
#include "WaitDlg.h"

#include "res/resource.h"

namespace {
constexpr UINT_PTR kCountdownTimer = 1;
}

BEGIN_MESSAGE_MAP(CWaitDlg, CDialog)
    ON_WM_TIMER()
END_MESSAGE_MAP()

CWaitDlg::CWaitDlg(int delaySeconds, CWnd* parent) : CDialog(IDD_WAIT, parent), m_nDelay(delaySeconds) {}

BOOL CWaitDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_WAIT_TEXT, "请稍等");
    SetTimer(kCountdownTimer, 1000);
    return TRUE;
}

void CWaitDlg::OnTimer(UINT_PTR id)
{
    if (id != kCountdownTimer)
        return;
    CString text;
    text.Format("还需等待%d秒", m_nDelay);
    SetDlgItemText(IDC_WAIT_TEXT, text);
    --m_nDelay;
    if (m_nDelay < 0) {
        KillTimer(kCountdownTimer);  // one close request is enough
        Sleep(1);
        PostMessage(WM_CLOSE);
    }
}
