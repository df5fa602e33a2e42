// TKvPageControl: the system's tab control holding tab sheets; the tab of the
// active page is selected and only that page shows, filling the display area.
#pragma once

#include "TWinControl.h"

#include <vector>

class TKvTabSheet;

class TKvPageControl : public TWinControl {
public:
    CLASSLIB_CLASS_NAME(TKvPageControl)
    explicit TKvPageControl(TComponent* owner);
    ~TKvPageControl() override;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TKvTabSheet* Pages(int index) const { return pages_.at(static_cast<size_t>(index)); }
    int IndexOfPage(const TKvTabSheet* page) const;
    TKvTabSheet* ActivePage() const { return activePage_; }
    void SetActivePage(TKvTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);

    // Another page was chosen (by the user or in code).
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& message) override;
    void WMSize(TMessage& message) override;

private:
    friend class TKvTabSheet;
    void InsertPage(TKvTabSheet* page);
    void RemovePage(TKvTabSheet* page);
    // Puts one tab per page into the window, with the captions, and selects the active one.
    void UpdateTabs();
    // The active page fills the display area; the others hide.
    void LayoutPages();
    void CNNotify(TMessage& message);

    std::vector<TKvTabSheet*> pages_;
    TKvTabSheet* activePage_ = nullptr;
};
