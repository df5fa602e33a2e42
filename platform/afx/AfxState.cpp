// The framework's process state and its accessors.
#include "AfxState.h"

#include "AfxRes.h"
#include "CWinThread.h"

#include <cstring>
#include <mutex>
#include <string>

AFX_MODULE_STATE* AfxGetModuleState()
{
    static AFX_MODULE_STATE state;
    return &state;
}

HINSTANCE AfxGetInstanceHandle()
{
    HINSTANCE instance = AfxGetModuleState()->m_hCurrentInstanceHandle;
    return instance ? instance : GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    HINSTANCE resources = AfxGetModuleState()->m_hCurrentResourceHandle;
    return resources ? resources : AfxGetInstanceHandle();
}

CWnd* AfxGetMainWnd()
{
    CWinThread* app = AfxGetModuleState()->m_pCurrentWinApp;
    return app ? app->m_pMainWnd : nullptr;
}

LPCSTR AfxGetAppName()
{
    if (LPCSTR name = AfxGetModuleState()->m_lpszCurrentAppName)
        return name;
    // Worked out once; the program's resources and file name do not change.
    static std::once_flag once;
    static std::string fallback;
    std::call_once(once, [] {
        char text[MAX_PATH] = {};
        if (LoadStringA(AfxGetResourceHandle(), AFX_IDS_APP_TITLE, text, sizeof text) > 0) {
            fallback = text;
            return;
        }
        GetModuleFileNameA(nullptr, text, sizeof text);
        const char* name = std::strrchr(text, '\\');
        fallback = name ? name + 1 : text;
        const size_t dot = fallback.rfind('.');
        if (dot != std::string::npos && dot > 0)
            fallback.erase(dot);
    });
    return fallback.c_str();
}
