// Page controls on a real form: one tab per page with the page's caption, only
// the active page showing in the display area, and a user's tab change.
#include "KvPageControl.h"
#include "KvTabSheet.h"
#include "TApplication.h"
#include "TForm.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

std::string TabText(HWND tabs, int index)
{
    char text[128] = {};
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return text;
}

class PageControl : public testing::Test {
protected:
    void SetUp() override
    {
        form.SetBounds(100, 520, 320, 240);
        pages = new TKvPageControl(&form);
        pages->SetBounds(10, 10, 280, 180);
        pages->SetParent(&form);
        for (const char* caption : {"常规", "组件", "高级"}) {
            auto* sheet = new TKvTabSheet(&form);
            sheet->SetCaption(caption);
            sheet->SetPageControl(pages);
            sheets.push_back(sheet);
        }
        form.Show();
        Application()->ProcessMessages();
    }
    TForm form{nullptr};
    TKvPageControl* pages = nullptr;
    std::vector<TKvTabSheet*> sheets;
};

} // namespace

TEST_F(PageControl, EachPageHasATabWithItsCaption)
{
    HWND tabs = pages->Handle();
    ASSERT_EQ(3, SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    EXPECT_EQ("常规", TabText(tabs, 0));
    EXPECT_EQ("高级", TabText(tabs, 2));
    sheets[1]->SetCaption("Components");
    EXPECT_EQ("Components", TabText(tabs, 1)) << "a translated caption reaches its tab";
    EXPECT_EQ(1, sheets[1]->PageIndex());

    delete sheets[0];
    ASSERT_EQ(2, pages->PageCount());
    ASSERT_EQ(2, SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    EXPECT_EQ("Components", TabText(tabs, 0));
    EXPECT_EQ(sheets[1], pages->ActivePage()) << "the next page takes over";
}

TEST_F(PageControl, OnlyTheActivePageShowsAndFillsTheDisplayArea)
{
    EXPECT_EQ(sheets[0], pages->ActivePage());
    EXPECT_TRUE(IsWindowVisible(sheets[0]->Handle()));
    EXPECT_FALSE(sheets[1]->Visible());
    RECT display = pages->ClientRect();
    SendMessageA(pages->Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    EXPECT_EQ(display.left, sheets[0]->Left());
    EXPECT_EQ(display.top, sheets[0]->Top());
    EXPECT_EQ(display.right - display.left, sheets[0]->Width());

    int changes = 0;
    pages->OnChange = TNotifyEvent::FromFunction([&](TObject*) { ++changes; });
    pages->SetActivePageIndex(2);
    EXPECT_EQ(1, changes);
    EXPECT_EQ(2, SendMessageA(pages->Handle(), TCM_GETCURSEL, 0, 0));
    EXPECT_FALSE(sheets[0]->Visible());
    EXPECT_TRUE(IsWindowVisible(sheets[2]->Handle()));
    EXPECT_EQ(display.top, sheets[2]->Top());
}

TEST_F(PageControl, AUsersTabChoiceShowsThatPage)
{
    HWND tabs = pages->Handle();
    SendMessageA(tabs, TCM_SETCURSEL, 1, 0);
    NMHDR notice = {tabs, 0, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(form.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notice));
    EXPECT_EQ(sheets[1], pages->ActivePage());
    EXPECT_TRUE(IsWindowVisible(sheets[1]->Handle()));
    EXPECT_FALSE(IsWindowVisible(sheets[0]->Handle()));
}
