// Status bars over the system's status bar class; the bar keeps its texts so
// that a new window gets them again.
#include "KvStatusBar.h"

#include "StoreChanged.h"

#include <commctrl.h>

TKvStatusBar::TKvStatusBar(TComponent* owner) : TWinControl(owner)
{
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    SetColor(clBtnFace);
    SetBounds(0, 0, 200, 19);
    SetAlign(TAlign::alBottom);
}

TKvStatusBar::~TKvStatusBar() = default;

void TKvStatusBar::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    CreateSubClass(params, STATUSCLASSNAMEA);
    // The bar keeps the bounds it is given instead of placing itself.
    params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    if (sizeGrip_)
        params.Style |= SBARS_SIZEGRIP;
}

void TKvStatusBar::CreateWnd()
{
    TWinControl::CreateWnd();
    UpdatePanels();
}

TKvStatusPanel* TKvStatusBar::AddPanel()
{
    panels_.push_back(std::make_unique<TKvStatusPanel>(this));
    UpdatePanels();
    return panels_.back().get();
}

void TKvStatusBar::ClearPanels()
{
    panels_.clear();
    UpdatePanels();
}

void TKvStatusBar::SetSimplePanel(bool value)
{
    if (!StoreChanged(simplePanel_, value))
        return;
    UpdatePanels();
}

void TKvStatusBar::SetSimpleText(const std::string& value)
{
    if (!StoreChanged(simpleText_, value))
        return;
    UpdatePanels();
}

void TKvStatusBar::SetSizeGrip(bool value)
{
    if (!StoreChanged(sizeGrip_, value))
        return;
    RecreateWnd();
}

void TKvStatusBar::UpdatePanels()
{
    if (!HandleAllocated())
        return;
    HWND bar = Handle();
    SendMessageA(bar, SB_SIMPLE, simplePanel_ ? TRUE : FALSE, 0);
    if (simplePanel_) {
        SendMessageA(bar, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(simpleText_.c_str()));
        return;
    }
    // Right edges of the parts; the last part reaches the end of the bar.
    std::vector<int> edges;
    int right = 0;
    for (size_t i = 0; i < panels_.size(); ++i) {
        right += panels_[i]->Width();
        edges.push_back(i + 1 == panels_.size() ? -1 : right);
    }
    if (edges.empty())
        edges.push_back(-1);
    SendMessageA(bar, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (size_t i = 0; i < panels_.size(); ++i) {
        // The system aligns by tab characters: one before centres, two right-align.
        std::string text = panels_[i]->Text();
        if (panels_[i]->Alignment() == TAlignment::taCenter)
            text = "\t" + text;
        else if (panels_[i]->Alignment() == TAlignment::taRightJustify)
            text = "\t\t" + text;
        SendMessageA(bar, SB_SETTEXTA, i, reinterpret_cast<LPARAM>(text.c_str()));
    }
}
