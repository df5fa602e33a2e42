// CFullScreenDlg: the live preview over the whole screen, driven by global hot
// keys: photo, recording, timed shots, stop, and Esc back to the main window.
#pragma once

#include "CDialog.h"
#include "PathHelper.h"
#include "VideoCapture.h"

class CFullScreenDlg : public CDialog {
public:
    explicit CFullScreenDlg(CWnd* parent = nullptr);

    enum ShotKind : int { kShotPhoto = 0, kShotRecording = 1 };
    static const UINT_PTR kShotTimer = 1;

    BOOL OnInitDialog() override;
    // Enter does not close the full-screen view; Esc (or a close) does.
    void OnOK() override;
    void OnCancel() override;

protected:
    void OnHotKey(UINT id, UINT modifiers, UINT virtualKey);
    void OnTimer(UINT_PTR id);
    void OnClose();

    // Photo (".bmp" into [照相] 1) or recording (".avi" into [录相] 1); true
    // when the photo was written or the recording started.
    BOOL Shoot(ShotKind kind);
    void AttachPreview();
    // Ends the full-screen capture and gives the view its engine and hot keys back.
    void ReturnToView();
    void RegisterHotKeys();
    void UnregisterHotKeys();
    // The delay of timed shots in seconds: [定时] 1 through atoi.
    int ReadDelay() const;

private:
    CVideoCapture m_capture;
    ShotKind m_nShotKind = kShotPhoto;
    CPathHelper m_pathHelper;
    RECT m_previewRect = {};  // the enlarged window rectangle, in screen coordinates
    bool m_bReturned = false;

    DECLARE_MESSAGE_MAP()
};
