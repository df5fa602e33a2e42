// The notification-area icon on a plain window: added and removed, its
// double click and its menu.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ShellFixtures.h"
#include "TrayIcon.h"

namespace {

class TrayIconOnWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_window = CreateWindowA("STATIC", "tray owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                 nullptr, nullptr, nullptr);
        ASSERT_NE(m_window, nullptr);
        m_icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(128));
    }
    void TearDown() override
    {
        m_tray.Remove();
        DestroyWindow(m_window);
    }

    HWND m_window = nullptr;
    HICON m_icon = nullptr;
    CTrayIcon m_tray;
};

// What the tray menu showed: its items' texts and the default item's position.
struct ShownMenu {
    std::vector<std::string> items;
    int defaultItem = -1;
};
ShownMenu g_shown;

// Runs inside the menu's own loop: reads the open menu and closes it.
void CALLBACK ReadAndCloseMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    HWND popup = FindWindowA("#32768", nullptr);
    if (HMENU menu = popup ? reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0)) : nullptr) {
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char text[64] = {};
            GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
            g_shown.items.push_back(text);
        }
        g_shown.defaultItem = static_cast<int>(GetMenuDefaultItem(menu, TRUE, 0));
    }
    EndMenu();
}

}  // namespace

TEST_F(TrayIconOnWindow, CreateAddsTheIconAndRemoveTakesItAway)
{
    ASSERT_TRUE(m_tray.Create(m_window, 1034, "NOTE", m_icon, 153));
    EXPECT_TRUE(m_tray.IsAdded());
    EXPECT_TRUE(TrayIconShown(m_window));
    m_tray.Remove();
    EXPECT_FALSE(m_tray.IsAdded());
    EXPECT_FALSE(TrayIconShown(m_window));
}

TEST_F(TrayIconOnWindow, CreateRefusesAWindowThatIsNotOne)
{
    EXPECT_FALSE(m_tray.Create(nullptr, 1034, "NOTE", m_icon, 153));
    HWND gone = CreateWindowA("STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    EXPECT_FALSE(m_tray.Create(gone, 1034, "NOTE", m_icon, 153));
    EXPECT_FALSE(m_tray.IsAdded());
}

TEST_F(TrayIconOnWindow, DoubleClickBringsTheWindowBack)
{
    ASSERT_TRUE(m_tray.Create(m_window, 1034, "NOTE", m_icon, 153));
    ASSERT_FALSE(IsWindowVisible(m_window));
    EXPECT_EQ(m_tray.HandleTrayMessage(153, WM_LBUTTONDBLCLK), 1);
    EXPECT_TRUE(IsWindowVisible(m_window));
    EXPECT_TRUE(TrayIconShown(m_window));  // the icon stays until the next toggle
}

TEST_F(TrayIconOnWindow, MessagesOfAnotherIconAreNotItsOwn)
{
    ASSERT_TRUE(m_tray.Create(m_window, 1034, "NOTE", m_icon, 153));
    EXPECT_EQ(m_tray.HandleTrayMessage(154, WM_LBUTTONDBLCLK), 0);
    EXPECT_FALSE(IsWindowVisible(m_window));
    EXPECT_EQ(m_tray.HandleTrayMessage(153, WM_MOUSEMOVE), 1);
}

TEST_F(TrayIconOnWindow, RightClickShowsTheTrayMenuWithItsFirstItemDefault)
{
    ASSERT_TRUE(m_tray.Create(m_window, 1034, "NOTE", m_icon, 153));
    ShowWindow(m_window, SW_SHOW);
    g_shown = {};
    SetTimer(nullptr, 0, 300, ReadAndCloseMenu);
    EXPECT_EQ(m_tray.HandleTrayMessage(153, WM_RBUTTONUP), 1);
    ASSERT_FALSE(g_shown.items.empty());
    EXPECT_EQ(g_shown.items.front(), "打开/最小化");
    EXPECT_EQ(g_shown.items.back(), "退出");
    EXPECT_EQ(g_shown.defaultItem, 0);
}
