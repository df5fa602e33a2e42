// The use-counted binding of the theme library.
#include "KvUxTheme.h"

#include <gtest/gtest.h>

using namespace KvUxTheme;

namespace {

// Each case starts from a binding nobody uses: uses held elsewhere in this
// process (the shared theme services of earlier cases) are handed back for
// the case and taken again after it, so that the cases do not depend on what
// ran before them.
class KvUxThemeBinding : public testing::Test {
protected:
    void SetUp() override
    {
        m_heldElsewhere = ThemeApiUseCount();
        for (int i = 0; i < m_heldElsewhere; ++i)
            ReleaseThemeApi();
    }
    void TearDown() override
    {
        while (ThemeApiUseCount() > 0)
            ReleaseThemeApi();
        for (int i = 0; i < m_heldElsewhere; ++i)
            LoadThemeApi();
    }

private:
    int m_heldElsewhere = 0;
};

} // namespace

TEST_F(KvUxThemeBinding, EntryPointsAreBoundByNameInOrder)
{
    EXPECT_EQ(47, teEntryCount);
    EXPECT_STREQ("OpenThemeData", EntryPointName(teOpenThemeData));
    EXPECT_STREQ("IsThemeBackgroundPartiallyTransparent", EntryPointName(teIsThemeBackgroundPartiallyTransparent));
    EXPECT_STREQ("GetThemeAppProperties", EntryPointName(teGetThemeAppProperties));
    EXPECT_STREQ("EnableTheming", EntryPointName(teEnableTheming));

    ASSERT_TRUE(LoadThemeApi());
    HMODULE library = GetModuleHandleA("uxtheme.dll");
    ASSERT_NE(nullptr, library);
    for (int i = 0; i < teEntryCount; ++i) {
        auto entry = static_cast<TThemeEntry>(i);
        EXPECT_EQ(GetProcAddress(library, EntryPointName(entry)), EntryPoint(entry)) << EntryPointName(entry);
    }
    EXPECT_NE(nullptr, EntryPoint(teDrawThemeBackground));
    ReleaseThemeApi();
    EXPECT_EQ(nullptr, EntryPoint(teDrawThemeBackground)) << "slots are cleared when the library goes";
}

TEST_F(KvUxThemeBinding, ReleasingMoreOftenThanLoadingKeepsTheCountAtZero)
{
    ASSERT_EQ(0, ThemeApiUseCount());
    ASSERT_TRUE(LoadThemeApi());
    ASSERT_TRUE(LoadThemeApi());
    EXPECT_EQ(2, ThemeApiUseCount());
    ReleaseThemeApi();
    EXPECT_TRUE(ThemeLibraryLoaded()) << "still in use once";
    ReleaseThemeApi();
    EXPECT_FALSE(ThemeLibraryLoaded());
    ReleaseThemeApi();
    ReleaseThemeApi();
    EXPECT_EQ(0, ThemeApiUseCount());
    EXPECT_FALSE(ThemeLibraryLoaded());

    // One load after the extra releases is one use: one release frees the library.
    ASSERT_TRUE(LoadThemeApi());
    EXPECT_EQ(1, ThemeApiUseCount());
    ReleaseThemeApi();
    EXPECT_FALSE(ThemeLibraryLoaded());
    EXPECT_FALSE(ThemesInUse()) << "nothing is in use without the library";
}

TEST_F(KvUxThemeBinding, CallsWithoutTheLibraryAnswerAsIfThemesWereAbsent)
{
    ASSERT_FALSE(ThemeLibraryLoaded());
    EXPECT_EQ(nullptr, KvUxTheme::OpenThemeData(nullptr, L"button"));
    EXPECT_EQ(E_NOTIMPL, KvUxTheme::DrawThemeBackground(nullptr, nullptr, 1, 1, nullptr, nullptr));
    EXPECT_FALSE(KvUxTheme::IsAppThemed());
    EXPECT_EQ(0u, KvUxTheme::GetThemeAppProperties());
}
