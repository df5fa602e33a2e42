// Page controls over the system's tab control.
#include "KvPageControl.h"

#include "KvTabSheet.h"
#include "StoreChanged.h"

#include <algorithm>
#include <commctrl.h>

TKvPageControl::TKvPageControl(TComponent* owner) : TWinControl(owner)
{
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_TAB_CLASSES};
    InitCommonControlsEx(&classes);
    SetControlStyle(ControlStyle() + csAcceptsControls);
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
    SetColor(clBtnFace);
}

TKvPageControl::~TKvPageControl()
{
    // The pages are children and go with the control; they need not leave it one by one.
    for (TKvTabSheet* page : pages_)
        page->pageControl_ = nullptr;
    pages_.clear();
    activePage_ = nullptr;
}

void TKvPageControl::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    CreateSubClass(params, WC_TABCONTROLA);
    params.Style |= WS_CLIPCHILDREN;
}

void TKvPageControl::CreateWnd()
{
    TWinControl::CreateWnd();
    UpdateTabs();
    LayoutPages();
}

int TKvPageControl::IndexOfPage(const TKvTabSheet* page) const
{
    auto found = std::find(pages_.begin(), pages_.end(), page);
    return found == pages_.end() ? -1 : static_cast<int>(found - pages_.begin());
}

void TKvPageControl::InsertPage(TKvTabSheet* page)
{
    pages_.push_back(page);
    page->pageControl_ = this;
    page->SetParent(this);
    if (activePage_ == nullptr)
        activePage_ = page;
    UpdateTabs();
    LayoutPages();
}

void TKvPageControl::RemovePage(TKvTabSheet* page)
{
    int index = IndexOfPage(page);
    if (index < 0)
        return;
    pages_.erase(pages_.begin() + index);
    page->pageControl_ = nullptr;
    if (activePage_ == page)
        activePage_ = pages_.empty() ? nullptr : pages_[static_cast<size_t>(std::min(index, PageCount() - 1))];
    if (page->Parent() == this)
        page->SetParent(nullptr);
    UpdateTabs();
    LayoutPages();
}

int TKvPageControl::ActivePageIndex() const { return IndexOfPage(activePage_); }

void TKvPageControl::SetActivePageIndex(int index)
{
    SetActivePage(index >= 0 && index < PageCount() ? pages_[static_cast<size_t>(index)] : nullptr);
}

void TKvPageControl::SetActivePage(TKvTabSheet* page)
{
    if (page != nullptr && page->pageControl_ != this)
        return;
    if (!StoreChanged(activePage_, page))
        return;
    if (HandleAllocated())
        SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(ActivePageIndex()), 0);
    LayoutPages();
    if (OnChange)
        OnChange(this);
}

void TKvPageControl::UpdateTabs()
{
    if (!HandleAllocated())
        return;
    HWND window = Handle();
    SendMessageA(window, TCM_DELETEALLITEMS, 0, 0);
    for (int i = 0; i < PageCount(); ++i) {
        std::string caption = pages_[static_cast<size_t>(i)]->Caption();
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = &caption[0];
        SendMessageA(window, TCM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(window, TCM_SETCURSEL, static_cast<WPARAM>(ActivePageIndex()), 0);
    LayoutPages(); // the tabs may now take more rows
}

void TKvPageControl::LayoutPages()
{
    RECT display = ClientRect();
    if (HandleAllocated())
        SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    for (TKvTabSheet* page : pages_) {
        if (page == activePage_) {
            page->SetBounds(display.left, display.top, std::max<int>(0, display.right - display.left),
                            std::max<int>(0, display.bottom - display.top));
            page->SetVisible(true);
            page->BringToFront();
        } else {
            page->SetVisible(false);
        }
    }
}

void TKvPageControl::WMSize(TMessage& message)
{
    TWinControl::WMSize(message);
    LayoutPages();
}

void TKvPageControl::Dispatch(TMessage& message)
{
    if (message.Msg == CN_BASE + WM_NOTIFY) {
        CNNotify(message);
        return;
    }
    TWinControl::Dispatch(message);
}

void TKvPageControl::CNNotify(TMessage& message)
{
    auto* header = reinterpret_cast<NMHDR*>(message.LParam);
    if (header->code != static_cast<UINT>(TCN_SELCHANGE))
        return;
    int index = static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0));
    SetActivePageIndex(index);
}
