// CStatusBar over the common status-bar control.
#include "CStatusBar.h"

#include "OwnedDC.h"

#include <commctrl.h>

#include <optional>

IMPLEMENT_DYNAMIC(CStatusBar, CWnd)

BOOL CStatusBar::Create(CWnd* parent, DWORD style, UINT id)
{
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    // The bar styles are the framework's; the control is told only the window ones.
    const DWORD windowStyle = (style & 0xFFFF0000UL) | CCS_BOTTOM | CCS_NOPARENTALIGN | CCS_NORESIZE;
    RECT rect = {0, 0, 100, GetSystemMetrics(SM_CYMENU) + 6};
    return CreateEx(0, STATUSCLASSNAMEA, nullptr, windowStyle | WS_CHILD, rect.left, rect.top, rect.right,
                    rect.bottom, parent ? parent->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr);
}

BOOL CStatusBar::SetIndicators(const UINT* ids, int count)
{
    m_panes.clear();
    std::vector<CString> texts;
    TWindowDC dc(m_hWnd);
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT));
    std::optional<TSelectObject> selectedFont;
    if (font)
        selectedFont.emplace(dc, font);
    BOOL all = TRUE;
    for (int i = 0; i < count; ++i) {
        CString text;
        if (ids[i] != 0 && !text.LoadString(ids[i]))
            all = FALSE;
        SIZE extent = {0, 0};
        if (!text.IsEmpty())
            GetTextExtentPoint32A(dc, text, text.GetLength(), &extent);
        m_panes.push_back({ids[i], extent.cx > 0 ? extent.cx + 8 : 100});
        texts.push_back(text);
    }
    selectedFont.reset();
    ApplyParts();
    for (int i = 0; i < count; ++i)
        SetPaneText(i, texts[static_cast<size_t>(i)]);
    return all;
}

void CStatusBar::ApplyParts()
{
    std::vector<int> edges;
    int right = 0;
    for (const Pane& pane : m_panes) {
        right += pane.width;
        edges.push_back(right);
    }
    if (!edges.empty())
        edges.back() = -1;  // the last pane reaches the right edge
    SendMessage(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

int CStatusBar::CommandToIndex(UINT id) const
{
    for (size_t i = 0; i < m_panes.size(); ++i) {
        if (m_panes[i].id == id)
            return static_cast<int>(i);
    }
    return -1;
}

UINT CStatusBar::GetItemID(int index) const
{
    if (index < 0 || index >= GetCount())
        return 0;
    return m_panes[static_cast<size_t>(index)].id;
}

BOOL CStatusBar::SetPaneText(int index, LPCSTR text, BOOL update)
{
    if (index < 0 || index >= GetCount())
        return FALSE;
    if (!SendMessage(SB_SETTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text ? text : "")))
        return FALSE;
    if (update)
        UpdateWindow();
    return TRUE;
}

CString CStatusBar::GetPaneText(int index) const
{
    CString text;
    if (index < 0 || index >= GetCount())
        return text;
    const int length = LOWORD(SendMessage(SB_GETTEXTLENGTHA, static_cast<WPARAM>(index)));
    char* buffer = text.GetBuffer(length);
    SendMessage(SB_GETTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer));
    text.ReleaseBuffer(length);
    return text;
}
