// CWinApp: the application object: start-up (InitInstance), the main
// thread's message loop, the document templates and the default file commands.
#pragma once

#include <memory>
#include <vector>

#include "CCmdTarget.h"
#include "CCommandLineInfo.h"
#include "CString.h"
#include "CWinThread.h"

class CDocTemplate;
class CDocument;

class CWinApp : public CWinThread, public CCmdTarget {
    DECLARE_DYNAMIC(CWinApp)

public:
    // The one application object of the program registers itself here.
    explicit CWinApp(LPCSTR appName = nullptr);
    ~CWinApp() override;

    BOOL InitInstance() override;
    int Run() override;
    int ExitInstance() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnIdle(LONG count) override;

    // Start-up helpers.
    BOOL Enable3dControls();  // the system draws 3-D controls itself: nothing to do
    void SetRegistryKey(LPCSTR company);
    void LoadStdProfileSettings(UINT maxRecentFiles = 4);
    // The application owns the template from here on.
    void AddDocTemplate(CDocTemplate* docTemplate);
    void ParseCommandLine(CCommandLineInfo& info);
    BOOL ProcessShellCommand(CCommandLineInfo& info);
    CDocument* OpenDocumentFile(LPCSTR path);

    // Commands the framework answers for the application.
    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();

    HINSTANCE m_hInstance = nullptr;
    LPSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    LPCSTR m_pszAppName = nullptr;
    LPCSTR m_pszRegistryKey = nullptr;  // "Software\<key>\<app>" of the user's profile
    UINT m_nMaxMRU = 0;

protected:
    std::vector<std::unique_ptr<CDocTemplate>> m_templates;

private:
    CString m_strAppName;
    CString m_strRegistryKey;

    DECLARE_MESSAGE_MAP()
};

// The application object; null before it is constructed.
CWinApp* AfxGetApp();

// The program's entry: sets the application up and runs it.
int AfxWinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show);
