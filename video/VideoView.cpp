// CVideoView: commands, timers and hot keys of the recording form.
#include "VideoView.h"

#include "AfxMessageBox.h"
#include "AfxRes.h"
#include "AfxState.h"
#include "CFrameWnd.h"
#include "CompressionDialogFiller.h"
#include "FullScreenDlg.h"
#include "HotKeyTable.h"
#include "OptionsDlg.h"
#include "OwnedHandles.h"
#include "ShotSaver.h"
#include "VideoSettings.h"
#include "WaitDlg.h"
#include "res/resource.h"


#include <cstdlib>

namespace {

constexpr UINT_PTR kCompressionTimer = 2;  // fills the compression dialog once
// How long the fill waits for the compression dialog to show.
constexpr DWORD kCompressionDialogWaitMs = 10000;
constexpr UINT_PTR kRecordTimer = 3;       // counts the recorded seconds
constexpr int kPreviewRateMs = 30;

const char kNoDeviceMessage[] = "无视频源,请检查是否正确连接";
const char kNoFolderMessage[] = "保存路径不存在,请重新设置!";
const char kNoDelayMessage[] = "定时时间未初始化,请再次设定!";

const int kShotButtons[] = {IDC_PHOTO, IDC_TIMED_PHOTO, IDC_TIMED_RECORD, IDC_RECORD};


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
    m_idleBitmap.Reset(LoadBitmapA(resources, MAKEINTRESOURCEA(IDB_IDLE)));
    m_recordingBitmap.Reset(LoadBitmapA(resources, MAKEINTRESOURCEA(IDB_RECORDING)));
    m_waitingBitmap.Reset(LoadBitmapA(resources, MAKEINTRESOURCEA(IDB_WAITING)));
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
    if (m_capture.ShowCompressionDialog()) {
        m_compressionAskedTick = GetTickCount();
        SetTimer(kCompressionTimer, 1);
    }
    FindStatusBar();
    EnableStopButton(FALSE);
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
        EnableStopButton(FALSE);
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
    HotKeyTable::Register(m_hWnd, HotKeyTable::kViewBindingCount);
}

void CVideoView::UnregisterHotKeys()
{
    HotKeyTable::Unregister(m_hWnd);
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
    HBITMAP bitmap = bitmapId == IDB_RECORDING ? m_recordingBitmap.Get()
                     : bitmapId == IDB_WAITING ? m_waitingBitmap.Get()
                                               : m_idleBitmap.Get();
    if (CWnd* picture = GetDlgItem(IDC_STATE_PICTURE))
        picture->SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
}

void CVideoView::EnableStopButton(BOOL enable)
{
    if (CWnd* stop = GetDlgItem(IDC_STOP))
        stop->EnableWindow(enable);
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
    EnableStopButton(TRUE);
    UpdateWindow();
    SetTimer(kRecordTimer, 1000);
}

void CVideoView::OnTimedPhoto()
{
    const CString delay = m_pathHelper.ReadSetting(VideoSettings::kTimerSection, VideoSettings::kDelayKey);
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
        EnableStopButton(FALSE);
    } else {
        SetStatePicture(IDB_IDLE);  // the wait is over either way
    }
}

void CVideoView::OnTimedRecord()
{
    const CString delay = m_pathHelper.ReadSetting(VideoSettings::kTimerSection, VideoSettings::kDelayKey);
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
        EnableStopButton(TRUE);
    } else {
        SetStatePicture(IDB_IDLE);
    }
}

void CVideoView::OnStop()
{
    KillTimer(kRecordTimer);
    EnableShotButtons(TRUE);
    EnableStopButton(FALSE);
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
        // The capture thread opens the dialog; a busy machine can hold it back
        // past the timer's first tick. The timer keeps coming until the dialog
        // shows, ready for input, and fills it once; it gives up after a while.
        HWND dialog = CompressionDialogFiller::FindDialog();
        const bool shown = dialog && ::IsWindowVisible(dialog);
        if (!shown && GetTickCount() - m_compressionAskedTick < kCompressionDialogWaitMs)
            return;
        KillTimer(kCompressionTimer);
        if (dialog)
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
    for (int i = 0; i < HotKeyTable::kViewBindingCount; ++i) {
        const HotKeyTable::Binding& key = HotKeyTable::kBindings[i];
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
    CFullScreenDlg dialog;
    dialog.DoModal();
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
    TOwnedMenu menu(LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_VIEW_CONTEXT)));
    HMENU popup = menu.IsValid() ? GetSubMenu(menu.Get(), 0) : nullptr;
    if (!popup)
        return;
    POINT cursor;
    GetCursorPos(&cursor);
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, m_hWnd, nullptr);
}
