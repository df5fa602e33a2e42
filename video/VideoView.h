// CVideoView: the recording form of the main window: live preview, photos,
// recordings, timed shots, their hot keys and the two status-bar panes.
#pragma once

#include "CFormView.h"
#include "CStatusBar.h"
#include "OwnedGdi.h"
#include "PathHelper.h"
#include "VideoCapture.h"

class CVideoView : public CFormView {
    DECLARE_DYNCREATE(CVideoView)

public:
    CVideoView();
    ~CVideoView() override;

    void OnInitialUpdate() override;

    // Connects the capture engine to the first driver and previews over the
    // preview frame (on failure: the message and the shot buttons disabled),
    // then registers the hot keys. Also used to reconnect after full screen.
    void ConnectCapture();
    // Places the preview over the preview frame again (rate 30 ms).
    void AttachPreview();
    void UnregisterHotKeys();

    // Saves a shot into the folder of [section] 1: a BMP or an AVI by the
    // extension. A missing folder gives the message and the options dialog.
    // True when the shot was saved (a photo written, a recording started).
    BOOL Shoot(LPCSTR section, LPCSTR extension);
    // A photo (".bmp") or a recording (".avi") at `path`; 1 on success.
    int SaveShot(LPCSTR path);

    // Texts of the status-bar panes.
    static CString PhotoCountText(int count);
    static CString RecordedTimeText(int seconds);
    static const char kStoppedTimeText[];

protected:
    void OnPhoto();
    void OnRecord();
    void OnTimedPhoto();
    void OnTimedRecord();
    void OnStop();
    void OnVideoFormat();
    void OnVideoCompression();
    void OnOptions();
    void OnFullScreen();
    void OnExit();
    void OnClose();
    void OnDestroy();
    void OnContextMenu(CWnd* window, CPoint point);
    void OnTimer(UINT_PTR id);
    void OnHotKey(UINT id, UINT modifiers, UINT virtualKey);

    void RegisterHotKeys();
    void RunOptionsDialog();
    void CountPhoto();
    void SetStatePicture(UINT bitmapId);
    void EnableShotButtons(BOOL enable);
    void SetPaneText(UINT indicator, LPCSTR text);
    void FindStatusBar();
    // The stop button follows the recording: enabled only while one runs.
    void EnableStopButton(BOOL enable);

private:
    CVideoCapture m_capture;
    CPathHelper m_pathHelper;
    int m_nPhotoCount = 0;
    int m_nRecordSeconds = 0;
    CStatusBar* m_pStatusBar = nullptr;
    TOwnedBitmap m_idleBitmap, m_recordingBitmap, m_waitingBitmap;
    DWORD m_compressionAskedTick = 0;  // when start-up asked for the compression dialog

    DECLARE_MESSAGE_MAP()
};
