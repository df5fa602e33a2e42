// TKvTabSheet: one page of a page control: a container whose caption is its tab's text.
#pragma once

#include "TWinControl.h"

class TKvPageControl;

class TKvTabSheet : public TWinControl {
public:
    CLASSLIB_CLASS_NAME(TKvTabSheet)
    explicit TKvTabSheet(TComponent* owner);
    ~TKvTabSheet() override;

    TKvPageControl* PageControl() const { return pageControl_; }
    // Joins a page control as its last page (or leaves it, with nullptr).
    void SetPageControl(TKvPageControl* value);
    // The position among the pages, -1 without a page control.
    int PageIndex() const;

protected:
    void CMTextChanged(TMessage& message) override;

private:
    friend class TKvPageControl;
    TKvPageControl* pageControl_ = nullptr;
};
