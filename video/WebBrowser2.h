// CWebBrowser2: a WebBrowser control hosted in a window, in a site made by the
// program's control-container manager.
#pragma once

#include <windows.h>

#include <memory>

class COleControlContainer;
class COleControlSite;

class CWebBrowser2 {
public:
    static const CLSID clsid;  // {8856F961-340A-11D0-A96B-00C04FD705A2}

    CWebBrowser2();
    CWebBrowser2(const CWebBrowser2&) = delete;
    CWebBrowser2& operator=(const CWebBrowser2&) = delete;
    ~CWebBrowser2();

    // Creates the control as child `id` of `parent` over `rect`; hidden unless
    // `style` has WS_VISIBLE. FALSE, and no control, where the WebBrowser
    // control is not available.
    BOOL Create(HWND parent, UINT id, const RECT& rect, DWORD style);
    void DestroyWindow();

    HWND GetSafeHwnd() const;
    COleControlSite* GetControlSite() const { return m_pSite; }

private:
    std::unique_ptr<COleControlContainer> m_container;
    COleControlSite* m_pSite = nullptr;  // owned by m_container
};
