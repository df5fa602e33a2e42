// The application object: registration in the process state, start-up helpers,
// the main message loop and the file commands.
#include "CWinApp.h"

#include <commdlg.h>
#include <shellapi.h>

#include "AfxCommandIds.h"
#include "AfxOle.h"
#include "AfxRes.h"
#include "AfxState.h"
#include "CDocument.h"
#include "CSingleDocTemplate.h"
#include "CWnd.h"
#include "OwnedGlobalMemory.h"
#include "OwnedLocalMemory.h"

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
    ON_COMMAND(ID_FILE_PRINT_SETUP, OnFilePrintSetup)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCSTR appName)
{
    if (appName) {
        m_strAppName = appName;
        m_pszAppName = m_strAppName;
    }
    AFX_MODULE_STATE* state = AfxGetModuleState();
    state->m_pCurrentWinApp = this;
    state->m_pAppCmdTarget = this;
    if (m_pszAppName)
        state->m_lpszCurrentAppName = m_pszAppName;
    // The application lives as long as the program; its thread is the main one.
    m_bAutoDelete = FALSE;
    m_nThreadID = GetCurrentThreadId();
}

CWinApp::~CWinApp()
{
    AFX_MODULE_STATE* state = AfxGetModuleState();
    if (state->m_pCurrentWinApp == this) {
        state->m_pCurrentWinApp = nullptr;
        state->m_pAppCmdTarget = nullptr;
        state->m_lpszCurrentAppName = nullptr;
    }
}

CWinApp* AfxGetApp()
{
    return dynamic_cast<CWinApp*>(AfxGetModuleState()->m_pCurrentWinApp);
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::Run()
{
    return CWinThread::Run();
}

int CWinApp::ExitInstance()
{
    AfxOleTerm();
    return CWinThread::ExitInstance();
}

BOOL CWinApp::PreTranslateMessage(MSG* msg)
{
    // The window the message is for and its parents up to the main window
    // see it first (the frame's accelerators).
    if (m_pMainWnd && m_pMainWnd->m_hWnd && CWnd::WalkPreTranslateTree(m_pMainWnd->m_hWnd, msg))
        return TRUE;
    return CWinThread::PreTranslateMessage(msg);
}

BOOL CWinApp::OnIdle(LONG count)
{
    if (count == 0)
        CWnd::DeleteTempMap();
    return FALSE;
}

BOOL CWinApp::Enable3dControls()
{
    return TRUE;
}

void CWinApp::SetRegistryKey(LPCSTR company)
{
    m_strRegistryKey = company ? company : "";
    m_pszRegistryKey = m_strRegistryKey;
}

void CWinApp::LoadStdProfileSettings(UINT maxRecentFiles)
{
    // The program keeps no list of recent documents; only the size is noted.
    m_nMaxMRU = maxRecentFiles;
}

void CWinApp::AddDocTemplate(CDocTemplate* docTemplate)
{
    if (docTemplate)
        m_templates.emplace_back(docTemplate);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info)
{
    int count = 0;
    TOwnedLocalMemory<LPWSTR> arguments;
    arguments.Reset(CommandLineToArgvW(GetCommandLineW(), &count));
    if (!arguments.Get())
        return;
    for (int i = 1; i < count; ++i) {
        char param[MAX_PATH * 2] = {};
        WideCharToMultiByte(CP_ACP, 0, arguments.Get()[i], -1, param, sizeof param - 1, nullptr, nullptr);
        const BOOL flag = param[0] == '/' || param[0] == '-';
        info.ParseParam(flag ? param + 1 : param, flag, i == count - 1);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& info)
{
    switch (info.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        OnFileNew();
        break;
    case CCommandLineInfo::FileOpen:
        if (!OpenDocumentFile(info.m_strFileName))
            return FALSE;
        break;
    default:
        return TRUE;
    }
    return m_pMainWnd != nullptr;
}

CDocument* CWinApp::OpenDocumentFile(LPCSTR path)
{
    if (m_templates.empty())
        return nullptr;
    return m_templates.front()->OpenDocumentFile(path);
}

void CWinApp::OnFileNew()
{
    if (!m_templates.empty())
        m_templates.front()->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen()
{
    char path[MAX_PATH] = {};
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = CWnd::GetSafeOwner_(nullptr);
    dialog.lpstrFilter = "*.*\0*.*\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    if (GetOpenFileNameA(&dialog))
        OpenDocumentFile(path);
}

void CWinApp::OnFilePrintSetup()
{
    PRINTDLGA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = CWnd::GetSafeOwner_(nullptr);
    dialog.Flags = PD_PRINTSETUP;
    // The chosen settings are not kept: they go with their owners.
    if (PrintDlgA(&dialog)) {
        const TOwnedGlobalMemory devMode(dialog.hDevMode);
        const TOwnedGlobalMemory devNames(dialog.hDevNames);
    }
}

int AfxWinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    AfxGetModuleState()->m_hCurrentInstanceHandle = instance;
    app->m_hInstance = instance;
    app->m_lpCmdLine = commandLine;
    app->m_nCmdShow = show;
    app->m_hThread = nullptr;  // the main thread's handle is not the application's to close
    if (!app->InitInstance()) {
        if (app->m_pMainWnd && app->m_pMainWnd->m_hWnd)
            app->m_pMainWnd->DestroyWindow();
        return app->ExitInstance();
    }
    return app->Run();
}
