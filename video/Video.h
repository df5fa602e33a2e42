// CVideoApp: the recorder's application object: its start-up, the about box,
// and the external object its browser controls are given.
#pragma once

#include "CWinApp.h"
#include "CustomOccManager.h"
#include "External.h"

class CVideoApp : public CWinApp {
    DECLARE_DYNAMIC(CVideoApp)

public:
    CVideoApp();

    // OLE and control containment, the skin, the single-document window with
    // the recording view titled "Ferrin 2009", then the update check.
    BOOL InitInstance() override;
    // The main window goes before the program ends, so that its notification
    // icon is removed however the message loop was ended (the view's exit
    // ends it without closing the frame).
    int ExitInstance() override;

    CExternal m_external;

protected:
    void OnAppAbout();

    CCustomOccManager m_occManager;

    DECLARE_MESSAGE_MAP()
};
