// The recorder's start-up and application commands.
#include "Video.h"

#include "AfxCommandIds.h"
#include "AfxOle.h"
#include "CDialog.h"
#include "CSingleDocTemplate.h"
#include "CWnd.h"
#include "MainFrm.h"
#include "Mythread.h"
#include "SkinLibrary.h"
#include "VideoDoc.h"
#include "VideoView.h"
#include "res/resource.h"

IMPLEMENT_DYNAMIC(CVideoApp, CWinApp)

BEGIN_MESSAGE_MAP(CVideoApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

namespace {
const char kTitle[] = "Ferrin 2009";
const char kSkinFile[] = "xp_corona.ssk";
}  // namespace

CVideoApp::CVideoApp() : CWinApp(nullptr) {}

BOOL CVideoApp::InitInstance()
{
    // Without OLE the program still records; only the browser control is lost.
    AfxOleInit();
    AfxEnableControlContainer(&m_occManager);

    Enable3dControls();
    SetRegistryKey("Local AppWizard-Generated Applications");
    LoadStdProfileSettings(4);

    SkinLibrary::ApplySkin(kSkinFile);

    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CVideoDoc),
                                          RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CVideoView)));
    CCommandLineInfo commandLine;
    ParseCommandLine(commandLine);
    if (!ProcessShellCommand(commandLine))
        return FALSE;

    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->SetWindowText(kTitle);
    m_pMainWnd->UpdateWindow();

    // The check runs beside the user interface and lives until the program ends.
    auto* update = new Cmythread;
    if (!update->CreateThread())
        delete update;
    return TRUE;
}

int CVideoApp::ExitInstance()
{
    if (m_pMainWnd && m_pMainWnd->m_hWnd)
        m_pMainWnd->DestroyWindow();
    return CWinApp::ExitInstance();
}

void CVideoApp::OnAppAbout()
{
    CDialog about(IDD_ABOUTBOX);
    about.DoModal();
}
