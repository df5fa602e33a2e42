// COptionsDlg: reading, editing, checking and writing the recorder's settings.
#include "OptionsDlg.h"

#include "AfxMessageBox.h"
#include "OwnedIdList.h"
#include "VideoSettings.h"
#include "res/resource.h"

#include <shlobj.h>

#include <cstdlib>
#include <cstring>

BEGIN_MESSAGE_MAP(COptionsDlg, CDialog)
    ON_BN_CLICKED(IDC_PHOTO_BROWSE, OnBrowsePhotoFolder)
    ON_BN_CLICKED(IDC_VIDEO_BROWSE, OnBrowseVideoFolder)
END_MESSAGE_MAP()

namespace {

// Opens the folder browser on the folder the edit names.
int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM, LPARAM start)
{
    if (message == BFFM_INITIALIZED && start)
        SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, start);
    return 0;
}

CString TrimmedText(const CWnd& dialog, int id)
{
    CString text;
    dialog.GetDlgItemText(id, text);
    text.Trim();
    return text;
}

}  // namespace

COptionsDlg::COptionsDlg(CWnd* parent) : CDialog(IDD_OPTIONS, parent) {}

BOOL COptionsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    VideoSettings::SeedDefaults(m_paths);
    SetDlgItemText(IDC_PHOTO_FOLDER, m_paths.ReadSetting(VideoSettings::kPhotoSection, VideoSettings::kFolderKey));
    SetDlgItemText(IDC_VIDEO_FOLDER, m_paths.ReadSetting(VideoSettings::kVideoSection, VideoSettings::kFolderKey));
    SetDlgItemText(IDC_DELAY, m_paths.ReadSetting(VideoSettings::kTimerSection, VideoSettings::kDelayKey));
    return TRUE;
}

bool COptionsDlg::IsValidDelay(LPCSTR text)
{
    const size_t length = std::strlen(text);
    if (length == 0 || length > 5)
        return false;
    for (size_t i = 0; i < length; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
    }
    return std::atol(text) <= kMaxDelay;
}

bool COptionsDlg::Reject(int editId, LPCSTR message)
{
    AfxMessageBox(message, MB_OK | MB_ICONWARNING);
    if (CWnd* edit = GetDlgItem(editId)) {
        edit->SetFocus();
        edit->SendMessage(EM_SETSEL, 0, -1);
    }
    return false;
}

void COptionsDlg::OnOK()
{
    CString photoFolder = TrimmedText(*this, IDC_PHOTO_FOLDER);
    CString videoFolder = TrimmedText(*this, IDC_VIDEO_FOLDER);
    CString delay = TrimmedText(*this, IDC_DELAY);
    // Folders without the closing backslash, as the shots add their own.
    while (photoFolder.GetLength() > 3 && photoFolder.Right(1) == "\\")
        photoFolder = photoFolder.Left(photoFolder.GetLength() - 1);
    while (videoFolder.GetLength() > 3 && videoFolder.Right(1) == "\\")
        videoFolder = videoFolder.Left(videoFolder.GetLength() - 1);

    if (!CPathHelper::FolderExists(photoFolder)) {
        Reject(IDC_PHOTO_FOLDER, "照片保存路径不存在,请重新选择!");
        return;
    }
    if (!CPathHelper::FolderExists(videoFolder)) {
        Reject(IDC_VIDEO_FOLDER, "录像保存路径不存在,请重新选择!");
        return;
    }
    if (!IsValidDelay(delay)) {
        Reject(IDC_DELAY, "定时时间应为0到86400之间的整数(秒)!");
        return;
    }
    const bool written =
        m_paths.WriteSetting(VideoSettings::kPhotoSection, VideoSettings::kFolderKey, photoFolder) &&
        m_paths.WriteSetting(VideoSettings::kVideoSection, VideoSettings::kFolderKey, videoFolder) &&
        m_paths.WriteSetting(VideoSettings::kTimerSection, VideoSettings::kDelayKey, delay);
    if (!written) {
        AfxMessageBox(CString("无法保存设置: ") + m_paths.GetConfigPath(), MB_OK | MB_ICONERROR);
        return;
    }
    CDialog::OnOK();
}

void COptionsDlg::OnBrowsePhotoFolder()
{
    BrowseInto(IDC_PHOTO_FOLDER, "请选择照片保存路径");
}

void COptionsDlg::OnBrowseVideoFolder()
{
    BrowseInto(IDC_VIDEO_FOLDER, "请选择录像保存路径");
}

void COptionsDlg::BrowseInto(int editId, LPCSTR title)
{
    const CString current = TrimmedText(*this, editId);
    char displayName[MAX_PATH] = {};
    BROWSEINFOA info = {};
    info.hwndOwner = m_hWnd;
    info.pszDisplayName = displayName;
    info.lpszTitle = title;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = &BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(static_cast<LPCSTR>(current));
    TOwnedIdList chosen(SHBrowseForFolderA(&info));
    char folder[MAX_PATH] = {};
    if (chosen && SHGetPathFromIDListA(chosen.Get(), folder))
        SetDlgItemText(editId, folder);
}
