// CVideoView: commands, timers and hot keys of the recording form.
#include "VideoView.h"

#include "AfxMessageBox.h"
#include "AfxRes.h"
#include "AfxState.h"
#include "CFrameWnd.h"
#include "CompressionDialogFiller.h"
#include "OptionsDlg.h"
#include "ShotSaver.h"
#include "VideoSettings.h"
#include "WaitDlg.h"
#include "res/resource.h"

#if __has_include("FullScreenDlg.h")
#include "FullScreenDlg.h"
#define VIDEO_HAS_FULL_SCREEN_DIALOG 1
#endif

#include <cstdlib>

namespace {

constexpr UINT_PTR kCompressionTimer = 2;  // fills the compression dialog once
constexpr UINT_PTR kRecordTimer = 3;       // counts the recorded seconds
constexpr int kPreviewRateMs = 30;

const char kNoDeviceMessage[] = "无视频源,请检查是否正确连接";
const char kNoFolderMessage[] = "保存路径不存在,请重新设置!";
const char kNoDelayMessage[] = "定时时间未初始化,请再次设定!";

const int kShotButtons[] = {IDC_PHOTO, IDC_TIMED_PHOTO, IDC_TIMED_RECORD, IDC_RECORD};

struct HotKeyBinding {
    int id;
    UINT virtualKey;
    UINT command;
};
const HotKeyBinding kHotKeys[] = {
    {CVideoView::kHotKeyPhoto, VK_F5, IDC_PHOTO},
    {CVideoView::kHotKeyRecord, VK_F6, IDC_RECORD},
    {CVideoView::kHotKeyTimedPhoto, VK_F7, IDC_TIMED_PHOTO},
    {CVideoView::kHotKeyTimedRecord, VK_F8, IDC_TIMED_RECORD},
    {CVideoView::kHotKeyStop, VK_F9, IDC_STOP},
    {CVideoView::kHotKeyShowHide, VK_F4, ID_SHOW_HIDE},
};

// A menu loaded from the resources, destroyed with its owner.
struct LoadedMenu {
    HMENU menu;
    explicit LoadedMenu(UINT id) : menu(LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id))) {}
    ~LoadedMenu()
    {
        if (menu)
            DestroyMenu(menu);
    }
    LoadedMenu(const LoadedMenu&) = delete;
    LoadedMenu& operator=(const LoadedMenu&) = delete;
};

}  // namespace

IMPLEMENT_DYNCREATE(CVideoView, CFormView)

BEGIN_MESSAGE_MAP(CVideoView, CFormView)
    ON_BN_CLICKED(IDC_PHOTO, OnPhoto)
    ON_BN_CLICKED(IDC_RECORD, OnRecord)
    ON_BN_CLICKED(IDC_TIMED_PHOTO, OnTimedPhoto)
    ON_BN_CLICKED(IDC_TIMED_RECORD, OnTimedRecord)
    ON_BN_CLICKED(IDC_STOP, OnStop)
    ON_COMMAND(ID_VIDEO_FORMAT, OnVideoFormat)
    ON_COMMAND(ID_VIDEO_COMPRESSION, OnVideoCompression)
    ON_COMMAND(ID_OPTIONS, OnOptions)
    ON_COMMAND(ID_FULL_SCREEN, OnFullScreen)
    ON_COMMAND(ID_APP_EXIT_VIEW, OnExit)
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_CONTEXTMENU()
    ON_WM_TIMER()
    ON_WM_HOTKEY()
END_MESSAGE_MAP()

const char CVideoView::kStoppedTimeText[] = "已录时间:  ";

CVideoView::CVideoView() : CFormView(IDD_VIDEO_FORM)
{
    HINSTANCE resources = AfxGetResourceHandle();
    m_idleBitmap.reset(LoadBitmapA(resources, MAKEINTRESOURCEA(IDB_IDLE)));
    m_recordingBitmap.reset(LoadBitmapA(resources, MAKEINTRESOURCEA(IDB_RECORDING)));
    m_waitingBitmap.reset(LoadBitmapA(resources, MAKEINTRESOURCEA(IDB_WAITING)));
}

CVideoView::~CVideoView()
{
    m_capture.Destroy();
}

CString CVideoView::PhotoCountText(int count)
{
    CString text;
    text.Format("              已经拍摄的照片数量为: %d 张    ", count);
    return text;
}

CString CVideoView::RecordedTimeText(int seconds)
{
    CString time;
    time.Format("  %d小时%d分%d秒", seconds / 3600, seconds % 3600 / 60, seconds % 60);
    return CString("              已录时间: ") + time;
}

void CVideoView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    SetStatePicture(IDB_IDLE);
    VideoSettings::SeedDefaults(m_pathHelper);
    ConnectCapture();
    if (m_capture.ShowCompressionDialog())
        SetTimer(kCompressionTimer, 1);
    FindStatusBar();
    if (CWnd* stop = GetDlgItem(IDC_STOP))
        stop->EnableWindow(FALSE);
}

void CVideoView::ConnectCapture()
{
    if (m_capture.Create(0)) {
        CAPDRIVERCAPS caps = {};
        m_capture.GetDriverCaps(&caps);
        AttachPreview();
    } else {
        AfxMessageBox(kNoDeviceMessage);
        EnableShotButtons(FALSE);
        if (CWnd* stop = GetDlgItem(IDC_STOP))
            stop->EnableWindow(FALSE);
    }
    RegisterHotKeys();
}

void CVideoView::AttachPreview()
{
    CWnd* frame = GetDlgItem(IDC_PREVIEW);
    if (!frame)
        return;
    CRect rect;
    frame->GetWindowRect(rect);
    ScreenToClient(rect);
    m_capture.AttachPreview(m_hWnd, rect.left, rect.top, rect.Width() + 3, rect.Height() + 3, kPreviewRateMs);
}

void CVideoView::RegisterHotKeys()
{
    for (const HotKeyBinding& key : kHotKeys)
        RegisterHotKey(m_hWnd, key.id, 0, key.virtualKey);
}

void CVideoView::UnregisterHotKeys()
{
    for (int id = kHotKeyFirst; id <= kHotKeyLast; ++id)
        UnregisterHotKey(m_hWnd, id);
}

void CVideoView::FindStatusBar()
{
    CWnd* main = AfxGetMainWnd();
    if (!main)
        main = GetParentFrame();
    m_pStatusBar = main ? dynamic_cast<CStatusBar*>(main->GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE)) : nullptr;
}

void CVideoView::SetPaneText(UINT indicator, LPCSTR text)
{
    if (!m_pStatusBar || !m_pStatusBar->m_hWnd)
        return;
    const int index = m_pStatusBar->CommandToIndex(indicator);
    if (index >= 0)
        m_pStatusBar->SetPaneText(index, text);
}

void CVideoView::SetStatePicture(UINT bitmapId)
{
    HBITMAP bitmap = bitmapId == IDB_RECORDING ? m_recordingBitmap.get()
                     : bitmapId == IDB_WAITING ? m_waitingBitmap.get()
                                               : m_idleBitmap.get();
    if (CWnd* picture = GetDlgItem(IDC_STATE_PICTURE))
        picture->SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
}

void CVideoView::EnableShotButtons(BOOL enable)
{
    for (int id : kShotButtons) {
        if (CWnd* button = GetDlgItem(id))
            button->EnableWindow(enable);
    }
}

void CVideoView::RunOptionsDialog()
{
    COptionsDlg dialog(this);
    dialog.DoModal();
}

BOOL CVideoView::Shoot(LPCSTR section, LPCSTR extension)
{
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const CString folder = m_pathHelper.ReadSetting(section, VideoSettings::kFolderKey);
    if (folder.IsEmpty() || !CPathHelper::FolderExists(folder)) {
        AfxMessageBox(kNoFolderMessage);
        RunOptionsDialog();
        return FALSE;
    }
    const CString path = CPathHelper::MakeShotPath(folder, extension);
    const int saved = SaveShot(path);
    AttachPreview();
    // Only a shot that was saved counts: a grab that timed out, or a
    // recording that never started, leaves the view as it was.
    return saved != 0;
}

int CVideoView::SaveShot(LPCSTR path)
{
    return ShotSaver::Save(m_capture, path);
}

void CVideoView::CountPhoto()
{
    ++m_nPhotoCount;
    SetPaneText(ID_INDICATOR_PHOTOS, PhotoCountText(m_nPhotoCount));
    SetStatePicture(IDB_IDLE);
}

void CVideoView::OnPhoto()
{
    if (Shoot(VideoSettings::kPhotoSection, ".bmp"))
        CountPhoto();
}

void CVideoView::OnRecord()
{
    if (!Shoot(VideoSettings::kVideoSection, ".avi"))
        return;
    SetStatePicture(IDB_RECORDING);
    EnableShotButtons(FALSE);
    if (CWnd* stop = GetDlgItem(IDC_STOP))
        stop->EnableWindow(TRUE);
    UpdateWindow();
    SetTimer(kRecordTimer, 1000);
}

void CVideoView::OnTimedPhoto()
{
    const CString delay = m_pathHelper.ReadSetting(VideoSettings::kTimerSection, VideoSettings::kFolderKey);
    if (!m_pathHelper.ConfigExists()) {
        AfxMessageBox(kNoDelayMessage);
        RunOptionsDialog();
        return;
    }
    CWaitDlg countdown(std::atoi(delay), this);
    SetStatePicture(IDB_WAITING);
    countdown.DoModal();
    if (Shoot(VideoSettings::kPhotoSection, ".bmp")) {
        CountPhoto();
        EnableShotButtons(TRUE);
        if (CWnd* stop = GetDlgItem(IDC_STOP))
            stop->EnableWindow(FALSE);
    } else {
        SetStatePicture(IDB_IDLE);  // the wait is over either way
    }
}

void CVideoView::OnTimedRecord()
{
    const CString delay = m_pathHelper.ReadSetting(VideoSettings::kTimerSection, VideoSettings::kFolderKey);
    if (!m_pathHelper.ConfigExists() || std::atoi(delay) <= 0) {
        AfxMessageBox(kNoDelayMessage);
        RunOptionsDialog();
        return;
    }
    CWaitDlg countdown(std::atoi(delay), this);
    SetStatePicture(IDB_WAITING);
    countdown.DoModal();
    if (Shoot(VideoSettings::kVideoSection, ".avi")) {
        SetTimer(kRecordTimer, 1000);
        EnableShotButtons(FALSE);
        if (CWnd* stop = GetDlgItem(IDC_STOP))
            stop->EnableWindow(TRUE);
    } else {
        SetStatePicture(IDB_IDLE);
    }
}

void CVideoView::OnStop()
{
    KillTimer(kRecordTimer);
    EnableShotButtons(TRUE);
    if (CWnd* stop = GetDlgItem(IDC_STOP))
        stop->EnableWindow(FALSE);
    m_nRecordSeconds = 0;
    m_capture.StopCapture();
    if (CFrameWnd* frame = GetParentFrame())
        frame->RecalcLayout();
    ResizeParentToFit();
    AttachPreview();
    SetStatePicture(IDB_IDLE);
    SetPaneText(ID_INDICATOR_RECORDED, kStoppedTimeText);
}

void CVideoView::OnTimer(UINT_PTR id)
{
    if (id == kCompressionTimer) {
        KillTimer(kCompressionTimer);
        if (HWND dialog = CompressionDialogFiller::FindDialog())
            CompressionDialogFiller::Fill(dialog);
    } else if (id == kRecordTimer) {
        SetStatePicture(IDB_RECORDING);
        ++m_nRecordSeconds;
        SetPaneText(ID_INDICATOR_RECORDED, RecordedTimeText(m_nRecordSeconds));
        UpdateWindow();
    }
}

void CVideoView::OnHotKey(UINT id, UINT, UINT)
{
    for (const HotKeyBinding& key : kHotKeys) {
        if (key.id != static_cast<int>(id))
            continue;
        if (key.command == ID_SHOW_HIDE) {
            CWnd* main = AfxGetMainWnd();
            if (!main)
                main = GetParentFrame();
            if (main)
                main->SendMessage(WM_COMMAND, key.command, 0);
        } else {
            SendMessage(WM_COMMAND, key.command, 0);
        }
        return;
    }
}

void CVideoView::OnVideoFormat()
{
    m_capture.ShowFormatDialog();
}

void CVideoView::OnVideoCompression()
{
    m_capture.ShowCompressionDialog();
}

void CVideoView::OnOptions()
{
    RunOptionsDialog();
}

void CVideoView::OnFullScreen()
{
    m_capture.Destroy();
    UnregisterHotKeys();
#ifdef VIDEO_HAS_FULL_SCREEN_DIALOG
    CFullScreenDlg dialog;
    dialog.DoModal();
#endif
}

void CVideoView::OnExit()
{
    SendMessage(WM_CLOSE);
}

void CVideoView::OnClose()
{
    m_capture.Destroy();
    UnregisterHotKeys();
    PostQuitMessage(16);
}

void CVideoView::OnDestroy()
{
    m_capture.Destroy();
    CFormView::OnDestroy();
}

void CVideoView::OnContextMenu(CWnd*, CPoint)
{
    LoadedMenu menu(IDR_VIEW_CONTEXT);
    HMENU popup = menu.menu ? GetSubMenu(menu.menu, 0) : nullptr;
    if (!popup)
        return;
    POINT cursor;
    GetCursorPos(&cursor);
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, m_hWnd, nullptr);
}
