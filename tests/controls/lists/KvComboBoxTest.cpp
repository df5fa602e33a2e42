// Combo boxes on a real form: the items in the system control, the choice, and
// the change notice of a user's pick.
#include "KvComboBox.h"
#include "TApplication.h"
#include "TForm.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> WindowItems(HWND combo)
{
    std::vector<std::string> items;
    int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

class ComboBox : public testing::Test {
protected:
    void SetUp() override
    {
        form.SetBounds(100, 300, 300, 200);
        combo = new TKvComboBox(&form);
        combo->SetBounds(10, 10, 200, 21);
        combo->SetParent(&form);
        form.Show();
        Application()->ProcessMessages();
    }
    TForm form{nullptr};
    TKvComboBox* combo = nullptr;
};

} // namespace

TEST_F(ComboBox, ItemsReachTheWindowAndTheChoiceFollows)
{
    combo->Items()->SetText("典型安装\r\n完全安装\r\n自定义安装");
    EXPECT_EQ((std::vector<std::string>{"典型安装", "完全安装", "自定义安装"}), WindowItems(combo->Handle()));
    combo->SetItemIndex(1);
    EXPECT_EQ(1, SendMessageA(combo->Handle(), CB_GETCURSEL, 0, 0));
    EXPECT_EQ("完全安装", combo->Text());

    // Replacing the items (a translation does) keeps the choice by position.
    combo->Items()->SetText("Typical\r\nComplete\r\nCustom");
    EXPECT_EQ((std::vector<std::string>{"Typical", "Complete", "Custom"}), WindowItems(combo->Handle()));
    EXPECT_EQ(1, combo->ItemIndex());
    combo->SetItemIndex(7);
    EXPECT_EQ(-1, combo->ItemIndex()) << "an index past the items chooses none";
}

TEST_F(ComboBox, AUsersPickIsToldAndANewStyleKeepsItemsAndChoice)
{
    combo->Items()->Add("one");
    combo->Items()->Add("two");
    int changes = 0;
    combo->OnChange = TNotifyEvent::FromFunction([&](TObject*) { ++changes; });
    HWND window = combo->Handle();
    SendMessageA(window, CB_SETCURSEL, 1, 0);
    SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), reinterpret_cast<LPARAM>(window));
    EXPECT_EQ(1, changes);
    EXPECT_EQ(1, combo->ItemIndex());

    combo->SetStyle(TComboBoxStyle::csDropDownList);
    EXPECT_TRUE((GetWindowLongPtrA(combo->Handle(), GWL_STYLE) & 3) == CBS_DROPDOWNLIST);
    EXPECT_EQ((std::vector<std::string>{"one", "two"}), WindowItems(combo->Handle()));
    EXPECT_EQ(1, combo->ItemIndex());
    EXPECT_LT(combo->Height(), 40) << "the height is the closed box's, not the opened list's";
}
