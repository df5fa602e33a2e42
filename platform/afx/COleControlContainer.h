// COleControlContainer: the OLE controls hosted by one window, each in a site
// made by the program's control-container manager.
#pragma once

#include <windows.h>

#include <vector>

#include "COleControlSite.h"
#include "ComPtr.h"

class COleControlContainer {
public:
    explicit COleControlContainer(HWND window) : m_hWnd(window) {}
    COleControlContainer(const COleControlContainer&) = delete;
    COleControlContainer& operator=(const COleControlContainer&) = delete;
    ~COleControlContainer();  // destroys every control and releases its site

    // Creates the control `clsid` as child `id` of the window; null (and no
    // window) when the control cannot be created here. The site stays owned
    // by the container.
    COleControlSite* CreateControl(REFCLSID clsid, const RECT& rect, UINT id, DWORD style);
    COleControlSite* FindItem(UINT id) const;

    HWND GetWindow() const { return m_hWnd; }

private:
    HWND m_hWnd;
    std::vector<ComPtr<COleControlSite>> m_sites;  // each holds the container's one reference
};
