// COptionsDlg: the options dialog: the photo folder, the video folder (each
// with a browse button) and the delay of timed shots, kept in config.ini.
#pragma once

#include "CDialog.h"
#include "PathHelper.h"

class COptionsDlg : public CDialog {
public:
    explicit COptionsDlg(CWnd* parent = nullptr);

    // Seeds the defaults of missing settings and shows the current ones.
    BOOL OnInitDialog() override;
    // Checks the entries; writes config.ini and closes only when all are good.
    void OnOK() override;

    // The longest delay the dialog accepts, in seconds (one day).
    static constexpr long kMaxDelay = 86400;
    // True for a delay of digits only, 0 to kMaxDelay.
    static bool IsValidDelay(LPCSTR text);

protected:
    void OnBrowsePhotoFolder();
    void OnBrowseVideoFolder();
    void BrowseInto(int editId, LPCSTR title);
    // Shows `message`, puts the focus on `editId`, and answers false.
    bool Reject(int editId, LPCSTR message);

    CPathHelper m_paths;

    DECLARE_MESSAGE_MAP()
};
