// CStatusBar: the frame's status bar: panes named by indicator ids, each sized
// by its indicator's string resource, with texts set and read by index.
#pragma once

#include "CString.h"
#include "CWnd.h"

#include <vector>

// Bar styles as the framework names them.
#define CBRS_ALIGN_BOTTOM 0x2000L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

class CStatusBar : public CWnd {
    DECLARE_DYNAMIC(CStatusBar)

public:
    CStatusBar() = default;

    BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT id = 0xE801);
    // One pane per id; the id's string (when present) is the pane's first text
    // and fixes its width.
    BOOL SetIndicators(const UINT* ids, int count);

    int CommandToIndex(UINT id) const;  // -1 when no pane has the id
    UINT GetItemID(int index) const;
    int GetCount() const { return static_cast<int>(m_panes.size()); }
    BOOL SetPaneText(int index, LPCSTR text, BOOL update = TRUE);
    CString GetPaneText(int index) const;
    void GetPaneText(int index, CString& text) const { text = GetPaneText(index); }

private:
    struct Pane {
        UINT id;
        int width;
    };
    void ApplyParts();

    std::vector<Pane> m_panes;
};
