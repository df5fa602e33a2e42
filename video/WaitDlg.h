// CWaitDlg: the countdown before a timed shot: shows the seconds left and
// closes itself about one second after it has shown 0.
#pragma once

#include "CDialog.h"

class CWaitDlg : public CDialog {
public:
    explicit CWaitDlg(int delaySeconds, CWnd* parent = nullptr);

    BOOL OnInitDialog() override;

protected:
    void OnTimer(UINT_PTR id);

    int m_nDelay;

    DECLARE_MESSAGE_MAP()
};
