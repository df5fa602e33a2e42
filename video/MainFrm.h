// CMainFrame: the recorder's main window: a fixed-size frame around the
// recording view with the status bar, the help commands, the online update
// and the notification-area toggle.
#pragma once

#include "CFrameWnd.h"
#include "CStatusBar.h"
#include "PathHelper.h"
#include "TrayIcon.h"
#include "WebBrowser2.h"

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)

public:
    CMainFrame() = default;

    // The frame is 860 x 550 and cannot be maximised or resized.
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

    // Shows or hides the main window: hidden into the notification area when
    // [窗口] show is "1", else minimised; a hidden window comes back centred.
    void ToggleTray();

    CTrayIcon m_trayIcon;
    CStatusBar m_wndStatusBar;
    CPathHelper m_pathHelper;
    // The view's hidden browser control (id 1026), made with the frame.
    CWebBrowser2 m_browser;

protected:
    int OnCreate(LPCREATESTRUCT cs);
    // The icon goes with the window it reports to.
    void OnDestroy();
    void OnOptions();
    void OnHomePage();
    void OnWriteToAuthor();
    void OnFeedback();
    void OnOnlineUpdate();
    void OnShowHide();
    void OnSysCommand(UINT id, LPARAM lParam);
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
