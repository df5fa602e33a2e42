// The test environment itself: code page 936, GBK literals, a display.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

TEST(WineEnvironment, AnsiCodePageIsGbk)
{
    EXPECT_EQ(936u, GetACP());
}

TEST(WineEnvironment, LiteralsAreGbkBytes)
{
    // "照相" in GBK.
    const char* text = "照相";
    ASSERT_EQ(4u, std::strlen(text));
    EXPECT_EQ("\xD5\xD5\xCF\xE0", std::string(text));

    wchar_t wide[8] = {};
    ASSERT_EQ(3, MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 8));
    EXPECT_EQ(0x7167, wide[0]);
    EXPECT_EQ(0x76F8, wide[1]);
}

TEST(WineEnvironment, DisplayIsAvailable)
{
    // Shown without activation: activating a window on the bare display makes its
    // destruction wait on the other test programs.
    HWND window = CreateWindowA("STATIC", "probe", WS_POPUP, 0, 0, 40, 40,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, window);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_GT(GetSystemMetrics(SM_CXSCREEN), 0);
    DestroyWindow(window);
}

TEST(WineEnvironment, EveryTestVariableReachesTheProgram)
{
    char value[16] = {};
    ASSERT_GT(GetEnvironmentVariableA("FERRIN_PROBE_FIRST", value, sizeof(value)), 0u);
    EXPECT_STREQ("one", value);
    ASSERT_GT(GetEnvironmentVariableA("FERRIN_PROBE_SECOND", value, sizeof(value)), 0u);
    EXPECT_STREQ("two", value);
}
