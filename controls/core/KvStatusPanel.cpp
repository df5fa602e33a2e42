// The parts of a status bar.
#include "KvStatusPanel.h"

#include "KvStatusBar.h"
#include "StoreChanged.h"

void TKvStatusPanel::SetText(const std::string& value)
{
    if (!StoreChanged(text_, value))
        return;
    bar_->UpdatePanels();
}

void TKvStatusPanel::SetWidth(int value)
{
    if (!StoreChanged(width_, value))
        return;
    bar_->UpdatePanels();
}

void TKvStatusPanel::SetAlignment(TAlignment value)
{
    if (!StoreChanged(alignment_, value))
        return;
    bar_->UpdatePanels();
}
