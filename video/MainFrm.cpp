// The main frame: creation with its status bar, its commands and the tray toggle.
#include "MainFrm.h"

#include <shellapi.h>

#include "AfxRes.h"
#include "AfxState.h"
#include "OptionsDlg.h"
#include "UpdateLibrary.h"
#include "VideoSettings.h"
#include "CView.h"
#include "res/resource.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_COMMAND(ID_OPTIONS, OnOptions)
    ON_COMMAND(ID_HOME_PAGE, OnHomePage)
    ON_COMMAND(ID_WRITE_TO_AUTHOR, OnWriteToAuthor)
    ON_COMMAND(ID_FEEDBACK, OnFeedback)
    ON_COMMAND(ID_ONLINE_UPDATE, OnOnlineUpdate)
    ON_COMMAND(ID_SHOW_HIDE, OnShowHide)
    ON_WM_SYSCOMMAND()
    ON_MESSAGE(WM_TRAY_NOTIFY, OnTrayNotify)
END_MESSAGE_MAP()

namespace {

const UINT kIndicators[] = {ID_INDICATOR_PHOTOS, ID_INDICATOR_RECORDED};

const char kHomePage[] = "http://www.ferrinsoft.example.com/";
const char kAuthorMail[] = "mailto:ferrin@ferrinsoft.example.com?subject=Ferrin软件反馈";
const char kFeedbackPage[] = "http://www.ferrinsoft.example.com/feedback.asp";

const char kTrayTip[] = "NOTE";

}  // namespace

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.cx = 860;
    cs.cy = 550;
    cs.style &= ~static_cast<LONG>(WS_MAXIMIZEBOX | WS_THICKFRAME);
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT cs)
{
    if (CFrameWnd::OnCreate(cs) == -1)
        return -1;
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(kIndicators, sizeof kIndicators / sizeof kIndicators[0]))
        return -1;
    // The view's browser control: hidden and never navigated; where the
    // control is not installed the view simply goes without it.
    if (CWnd* view = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE)) {
        const RECT nowhere = {0, 0, 0, 0};
        m_browser.Create(view->m_hWnd, IDC_BROWSER, nowhere, WS_CHILD);
    }
    CenterWindow();
    return 0;
}

void CMainFrame::OnDestroy()
{
    m_trayIcon.Remove();
    CFrameWnd::OnDestroy();
}

void CMainFrame::OnOptions()
{
    COptionsDlg dialog(this);
    dialog.DoModal();
}

void CMainFrame::OnHomePage()
{
    ShellExecuteA(m_hWnd, nullptr, kHomePage, nullptr, nullptr, SW_SHOW);
}

void CMainFrame::OnWriteToAuthor()
{
    ShellExecuteA(m_hWnd, nullptr, kAuthorMail, nullptr, nullptr, SW_SHOW);
}

void CMainFrame::OnFeedback()
{
    ShellExecuteA(m_hWnd, nullptr, kFeedbackPage, nullptr, nullptr, SW_SHOW);
}

void CMainFrame::OnOnlineUpdate()
{
    const UpdateLibrary::Exports update = UpdateLibrary::Load();
    if (!update.downNewVersion)
        return;
    update.downNewVersion(UpdateLibrary::kProductName, UpdateLibrary::kUpdatePage,
                          UpdateLibrary::kVersion);
}

void CMainFrame::OnShowHide()
{
    ToggleTray();
}

void CMainFrame::ToggleTray()
{
    const CString show = m_pathHelper.ReadSetting(VideoSettings::kWindowSection,
                                                  VideoSettings::kShowKey, "");
    if (IsWindowVisible()) {
        if (show == "1") {
            HICON icon = LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME));
            m_trayIcon.Create(m_hWnd, WM_TRAY_NOTIFY, kTrayTip, icon, IDR_TRAY_MENU);
            ShowWindow(SW_HIDE);
        } else {
            m_trayIcon.Remove();
            ShowWindow(SW_MINIMIZE);
        }
    } else {
        m_trayIcon.Remove();
        ShowWindow(SW_SHOWNORMAL);
        CenterWindow();
    }
}

void CMainFrame::OnSysCommand(UINT id, LPARAM)
{
    Default();
    // Only the plain minimise command: its low four bits are the system's own.
    if (id == SC_MINIMIZE)
        ToggleTray();
}

LRESULT CMainFrame::OnTrayNotify(WPARAM wParam, LPARAM lParam)
{
    return m_trayIcon.HandleTrayMessage(wParam, lParam);
}
