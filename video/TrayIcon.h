// CTrayIcon: the program's icon in the notification area, with its menu on a
// right click and the window brought back on a double click.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include "CObject.h"

class CTrayIcon : public CObject {
    DECLARE_DYNAMIC(CTrayIcon)

public:
    CTrayIcon();
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;
    ~CTrayIcon() override;

    // Adds the icon; its messages go to `window` as `callbackMessage`. `id`
    // names the icon and the menu resource shown on a right click. Nonzero
    // when the icon was added (never on systems before version 4).
    int Create(HWND window, UINT callbackMessage, LPCSTR tip, HICON icon, UINT id);
    void Remove();
    BOOL IsAdded() const { return m_bAdded; }

    // The icon's callback (wParam: icon id, low word of lParam: mouse message).
    virtual LRESULT HandleTrayMessage(WPARAM wParam, LPARAM lParam);

private:
    BOOL m_bAdded = FALSE;
    NOTIFYICONDATAA m_nid;
};
