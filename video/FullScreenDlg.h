// CFullScreenDlg: the live preview over the whole screen, driven by global hot
// keys: photo, recording, timed shots, stop, and Esc back to the main window.
#pragma once

#include "CDialog.h"
#include "PathHelper.h"
#include "VideoCapture.h"

class CFullScreenDlg : public CDialog {
public:
    explicit CFullScreenDlg(CWnd* parent = nullptr);

    // Global hot keys of the dialog (no modifiers).
    enum HotKey : int {
        kHotKeyEscape = 1001,       // Esc: back to the main window
        kHotKeyPhoto = 1002,        // F5
        kHotKeyRecord = 1003,       // F6
        kHotKeyTimedPhoto = 1004,   // F7
        kHotKeyTimedRecord = 1005,  // F8
        kHotKeyStop = 1006,         // F9
        kHotKeyShowHide = 1007,     // F4: show or hide the main window
    };
    enum ShotKind : int { kShotPhoto = 0, kShotRecording = 1 };
    static const UINT_PTR kShotTimer = 1;

    BOOL OnInitDialog() override;
    // Enter does not close the full-screen view; Esc (or a close) does.
    void OnOK() override;
    void OnCancel() override;

    CVideoCapture m_capture;
    int m_nShotKind = kShotPhoto;

protected:
    void OnHotKey(UINT id, UINT modifiers, UINT virtualKey);
    void OnTimer(UINT_PTR id);
    void OnClose();

    // Photo (".bmp" into [照相] 1) or recording (".avi" into [录相] 1); true
    // when the photo was written or the recording started.
    BOOL Shoot(int kind);
    void AttachPreview();
    // Ends the full-screen capture and gives the view its engine and hot keys back.
    void ReturnToView();
    void RegisterHotKeys();
    void UnregisterHotKeys();
    // The delay of timed shots in seconds: [定时] 1 through atoi.
    int ReadDelay() const;

    CPathHelper m_pathHelper;
    RECT m_previewRect = {};  // the enlarged window rectangle, in screen coordinates
    bool m_bReturned = false;

    DECLARE_MESSAGE_MAP()
};
