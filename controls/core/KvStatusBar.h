// TKvStatusBar: the system's status bar at the bottom of a form, either split
// into panels of text or showing one simple text across its width.
#pragma once

#include "KvStatusPanel.h"
#include "TWinControl.h"

#include <memory>
#include <vector>

class TKvStatusBar : public TWinControl {
public:
    CLASSLIB_CLASS_NAME(TKvStatusBar)
    explicit TKvStatusBar(TComponent* owner);
    ~TKvStatusBar() override;

    int PanelCount() const { return static_cast<int>(panels_.size()); }
    TKvStatusPanel* Panels(int index) const { return panels_.at(static_cast<size_t>(index)).get(); }
    TKvStatusPanel* AddPanel();
    void ClearPanels();

    // One text across the bar in place of the panels.
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool value);
    const std::string& SimpleText() const { return simpleText_; }
    void SetSimpleText(const std::string& value);
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool value);

    // Puts the panels' widths and texts into the window (called by the panels).
    void UpdatePanels();

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    std::vector<std::unique_ptr<TKvStatusPanel>> panels_;
    bool simplePanel_ = false;
    std::string simpleText_;
    bool sizeGrip_ = true;
};
