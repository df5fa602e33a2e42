// The notification-area icon over Shell_NotifyIconA.
#include "TrayIcon.h"

#include <cstring>

#include "AfxState.h"
#include "OwnedHandles.h"

IMPLEMENT_DYNAMIC(CTrayIcon, CObject)

namespace {

// The first version of the icon data (64-character tip) is the one every
// shell understands.
const DWORD kNotifyIconDataSize = NOTIFYICONDATAA_V1_SIZE;

}  // namespace

CTrayIcon::CTrayIcon()
{
    std::memset(&m_nid, 0, sizeof m_nid);
}

CTrayIcon::~CTrayIcon()
{
    Remove();
}

int CTrayIcon::Create(HWND window, UINT callbackMessage, LPCSTR tip, HICON icon, UINT id)
{
    if (LOBYTE(LOWORD(GetVersion())) < 4)
        return 0;
    if (!window || !IsWindow(window))
        return 0;
    m_nid.cbSize = kNotifyIconDataSize;
    m_nid.hWnd = window;
    m_nid.uID = id;
    m_nid.hIcon = icon;
    m_nid.uCallbackMessage = callbackMessage;
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    lstrcpynA(m_nid.szTip, tip ? tip : "", 64);
    m_bAdded = Shell_NotifyIconA(NIM_ADD, &m_nid);
    return m_bAdded;
}

void CTrayIcon::Remove()
{
    if (!m_bAdded)
        return;
    m_nid.uFlags = 0;
    Shell_NotifyIconA(NIM_DELETE, &m_nid);
    m_bAdded = FALSE;
}

LRESULT CTrayIcon::HandleTrayMessage(WPARAM wParam, LPARAM lParam)
{
    if (wParam != m_nid.uID)
        return 0;
    switch (LOWORD(lParam)) {
    case WM_RBUTTONUP: {
        TOwnedMenu menu(LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nid.uID)));
        if (!menu.IsValid())
            return 0;
        HMENU popup = GetSubMenu(menu.Get(), 0);
        if (!popup)
            return 0;
        SetMenuDefaultItem(popup, 0, TRUE);
        POINT cursor = {};
        GetCursorPos(&cursor);
        // Without the foreground the menu would stay open when the user clicks
        // elsewhere; the posted message lets it close at once afterwards.
        SetForegroundWindow(m_nid.hWnd);
        TrackPopupMenu(popup, TPM_LEFTBUTTON, cursor.x, cursor.y, 0, m_nid.hWnd, nullptr);
        PostMessageA(m_nid.hWnd, WM_NULL, 0, 0);
        return 1;
    }
    case WM_LBUTTONDBLCLK:
        SetForegroundWindow(m_nid.hWnd);
        ShowWindow(m_nid.hWnd, SW_SHOWNORMAL);
        return 1;
    default:
        return 1;
    }
}
