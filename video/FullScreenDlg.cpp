// The full-screen dialog: borderless maximised preview, its hot keys and shots.
#include "FullScreenDlg.h"

#include <cstdlib>

#include "AfxMessageBox.h"
#include "AfxState.h"
#include "CFrameWnd.h"
#include "ShotSaver.h"
#include "VideoSettings.h"
#include "VideoView.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CFullScreenDlg, CDialog)
    ON_WM_HOTKEY()
    ON_WM_TIMER()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

namespace {

struct HotKeyBinding {
    int id;
    UINT virtualKey;
};
// Esc, the way out, is registered last: once it is held, every key is.
const HotKeyBinding kHotKeys[] = {
    {CFullScreenDlg::kHotKeyPhoto, VK_F5},       {CFullScreenDlg::kHotKeyRecord, VK_F6},
    {CFullScreenDlg::kHotKeyTimedPhoto, VK_F7},  {CFullScreenDlg::kHotKeyTimedRecord, VK_F8},
    {CFullScreenDlg::kHotKeyStop, VK_F9},        {CFullScreenDlg::kHotKeyShowHide, VK_F4},
    {CFullScreenDlg::kHotKeyEscape, VK_ESCAPE},
};

const int kPreviewRateMs = 30;

// What the dialog says after a shot that was saved (nothing is said otherwise).
const char kPhotoSavedMessage[] = "已经保存一张照片";
const char kRecordingMessage[] = "正在录像";
const char kRecordingStartedMessage[] = "开始录像";

// A delay in seconds as timer milliseconds: a negative one fires at once, a
// huge one waits as long as a timer can.
UINT DelayToMs(int seconds)
{
    const long long ms = static_cast<long long>(seconds) * 1000;
    if (ms <= 0)
        return 0;
    return ms > USER_TIMER_MAXIMUM ? USER_TIMER_MAXIMUM : static_cast<UINT>(ms);
}

}  // namespace

CFullScreenDlg::CFullScreenDlg(CWnd* parent) : CDialog(IDD_FULLSCREEN, parent) {}

BOOL CFullScreenDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // No caption and no sizing frame: the dialog is only the picture.
    SetWindowLongPtrA(m_hWnd, GWL_STYLE, GetStyle() & 0xFFBBFFFF);
    ShowWindow(SW_SHOWMAXIMIZED);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

    // One pixel beyond every edge, so that no border of the window shows.
    RECT window;
    GetWindowRect(&window);
    m_previewRect = {window.left - 1, window.top - 1, window.right + 2, window.bottom + 2};
    // The restored size is the full screen too: where the system undoes the
    // maximised state by itself (no window manager), the dialog still covers it.
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (GetWindowPlacement(m_hWnd, &placement)) {
        placement.rcNormalPosition = m_previewRect;
        SetWindowPlacement(m_hWnd, &placement);
    }
    ::SetWindowPos(m_hWnd, HWND_NOTOPMOST, m_previewRect.left, m_previewRect.top,
                   m_previewRect.right - m_previewRect.left, m_previewRect.bottom - m_previewRect.top,
                   SWP_FRAMECHANGED);

    // No device gives no message here: the shots then simply make no file.
    if (m_capture.Create(0)) {
        CAPDRIVERCAPS caps = {};
        m_capture.GetDriverCaps(&caps);
        AttachPreview();
    }
    RegisterHotKeys();
    return TRUE;
}

void CFullScreenDlg::OnOK() {}

void CFullScreenDlg::OnCancel() {}

void CFullScreenDlg::AttachPreview()
{
    m_capture.AttachPreview(m_hWnd, m_previewRect.left, m_previewRect.top,
                            m_previewRect.right - m_previewRect.left,
                            m_previewRect.bottom - m_previewRect.top, kPreviewRateMs);
}

void CFullScreenDlg::RegisterHotKeys()
{
    for (const HotKeyBinding& key : kHotKeys)
        RegisterHotKey(m_hWnd, key.id, 0, key.virtualKey);
}

void CFullScreenDlg::UnregisterHotKeys()
{
    for (int id = kHotKeyEscape; id <= kHotKeyShowHide; ++id)
        UnregisterHotKey(m_hWnd, id);
}

int CFullScreenDlg::ReadDelay() const
{
    return std::atoi(m_pathHelper.ReadSetting(VideoSettings::kTimerSection,
                                              VideoSettings::kFolderKey, ""));
}

BOOL CFullScreenDlg::Shoot(int kind)
{
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const bool photo = kind == kShotPhoto;
    const CString folder = m_pathHelper.ReadSetting(
        photo ? VideoSettings::kPhotoSection : VideoSettings::kVideoSection,
        VideoSettings::kFolderKey, "");
    // Unlike the view, a missing folder gives no message here: the shot is
    // simply not saved (an empty setting must not put it in the drive's root).
    int saved = 0;
    if (CPathHelper::FolderExists(folder))
        saved = ShotSaver::Save(m_capture, CPathHelper::MakeShotPath(folder, photo ? ".bmp" : ".avi"));
    AttachPreview();
    return saved != 0;
}

void CFullScreenDlg::ReturnToView()
{
    if (m_bReturned)
        return;
    m_bReturned = true;
    KillTimer(kShotTimer);
    m_capture.Destroy();
    UnregisterHotKeys();
    auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
    if (auto* view = frame ? dynamic_cast<CVideoView*>(frame->GetActiveView()) : nullptr)
        view->ConnectCapture();
}

void CFullScreenDlg::OnHotKey(UINT id, UINT, UINT)
{
    switch (id) {
    case kHotKeyEscape:
        ReturnToView();
        PostMessage(WM_CLOSE);
        break;
    case kHotKeyPhoto:
        if (Shoot(kShotPhoto))
            AfxMessageBox(kPhotoSavedMessage);
        break;
    case kHotKeyRecord:
        // Said once the recording runs: a recording that did not start is not reported.
        if (Shoot(kShotRecording))
            AfxMessageBox(kRecordingMessage);
        break;
    case kHotKeyTimedPhoto:
        m_nShotKind = kShotPhoto;
        SetTimer(kShotTimer, DelayToMs(ReadDelay()));
        break;
    case kHotKeyTimedRecord: {
        m_nShotKind = kShotRecording;
        const CString delay = m_pathHelper.ReadSetting(VideoSettings::kTimerSection,
                                                       VideoSettings::kFolderKey, "");
        AfxMessageBox(delay + "秒后开始录像");
        SetTimer(kShotTimer, DelayToMs(std::atoi(delay)));
        break;
    }
    case kHotKeyStop:
        KillTimer(kShotTimer);
        AfxMessageBox("已经停止拍摄");
        m_capture.StopCapture();
        AttachPreview();
        break;
    case kHotKeyShowHide:
        if (CWnd* main = AfxGetMainWnd())
            main->SendMessage(WM_COMMAND, MAKEWPARAM(ID_SHOW_HIDE, 0), 0);
        break;
    default:
        break;
    }
}

void CFullScreenDlg::OnTimer(UINT_PTR id)
{
    if (id != kShotTimer)
        return;
    // One shot per arming: the timer goes before the shot and its message.
    KillTimer(kShotTimer);
    if (m_nShotKind == kShotPhoto) {
        if (Shoot(kShotPhoto))
            AfxMessageBox(kPhotoSavedMessage);
    } else if (Shoot(kShotRecording)) {
        AfxMessageBox(kRecordingStartedMessage);
    }
}

void CFullScreenDlg::OnClose()
{
    // However the dialog is closed, the view gets its engine and hot keys back.
    ReturnToView();
    EndDialog(IDCANCEL);
}
