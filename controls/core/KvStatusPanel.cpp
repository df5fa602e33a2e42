// The parts of a status bar.
#include "KvStatusPanel.h"

#include "KvStatusBar.h"

void TKvStatusPanel::SetText(const std::string& value)
{
    if (value == text_)
        return;
    text_ = value;
    bar_->UpdatePanels();
}

void TKvStatusPanel::SetWidth(int value)
{
    if (value == width_)
        return;
    width_ = value;
    bar_->UpdatePanels();
}

void TKvStatusPanel::SetAlignment(TAlignment value)
{
    if (value == alignment_)
        return;
    alignment_ = value;
    bar_->UpdatePanels();
}
