// The framework's process state: the application object, the module whose
// resources are loaded, the application's name; and the accessors over it.
#pragma once

#include <windows.h>

class CCmdTarget;
class CWinThread;
class CWnd;

struct AFX_MODULE_STATE {
    // The application object (it registers itself when it is constructed);
    // its m_pMainWnd is the main window.
    CWinThread* m_pCurrentWinApp = nullptr;
    // The application's command target, offered the commands that the main
    // frame, its view and its document leave unhandled.
    CCmdTarget* m_pAppCmdTarget = nullptr;
    HINSTANCE m_hCurrentInstanceHandle = nullptr;  // null: the program's module
    HINSTANCE m_hCurrentResourceHandle = nullptr;  // null: the instance handle
    LPCSTR m_lpszCurrentAppName = nullptr;         // caption of message boxes
};

AFX_MODULE_STATE* AfxGetModuleState();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
// The application's main window; null without an application or main window.
CWnd* AfxGetMainWnd();
// The caption of the application's message boxes: the registered name, else
// string 57344 of the resources, else the program's file name.
LPCSTR AfxGetAppName();
