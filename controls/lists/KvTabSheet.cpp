// Tab sheets.
#include "KvTabSheet.h"

#include "KvPageControl.h"

TKvTabSheet::TKvTabSheet(TComponent* owner) : TWinControl(owner)
{
    SetControlStyle(ControlStyle() + csAcceptsControls);
    SetColor(clBtnFace);
    SetVisible(false);
}

TKvTabSheet::~TKvTabSheet() { SetPageControl(nullptr); }

void TKvTabSheet::SetPageControl(TKvPageControl* value)
{
    if (value == pageControl_)
        return;
    if (pageControl_ != nullptr)
        pageControl_->RemovePage(this);
    if (value != nullptr)
        value->InsertPage(this);
}

int TKvTabSheet::PageIndex() const { return pageControl_ != nullptr ? pageControl_->IndexOfPage(this) : -1; }

void TKvTabSheet::CMTextChanged(TMessage& message)
{
    TWinControl::CMTextChanged(message);
    if (pageControl_ != nullptr)
        pageControl_->UpdateTabs();
}
