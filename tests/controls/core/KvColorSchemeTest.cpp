// The visual style's colour scheme, read from the current user's registry, and
// the selection colours it gives while painting themed.
#include "KvCommon.h"
#include "KvPanel.h"
#include "KvThemeSrv.h"
#include "OwnedHandles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

using namespace KvCommon;

namespace {

const char* const kKey = "Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager";

// Sets or removes "ColorName" for one test and puts back what was there.
class ColorNameTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_READ | KEY_WRITE,
                                                 nullptr, key_.Receive(), nullptr));
        char buffer[256] = {};
        DWORD size = sizeof(buffer) - 1, type = 0;
        if (RegQueryValueExA(key_.Get(), "ColorName", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) ==
            ERROR_SUCCESS)
            saved_ = std::string(buffer);
    }
    void TearDown() override
    {
        if (saved_)
            SetName(saved_->c_str());
        else
            SetName(nullptr);
        key_.Reset();
        KvThemeSrv::SetCommonControlsVersionOverride(0);
        KvThemeSrv::SharedThemeServices()->RefreshThemeState();
    }
    void SetName(const char* name)
    {
        if (name == nullptr)
            RegDeleteValueA(key_.Get(), "ColorName");
        else
            RegSetValueExA(key_.Get(), "ColorName", 0, REG_SZ, reinterpret_cast<const BYTE*>(name),
                           static_cast<DWORD>(std::strlen(name) + 1));
    }

    TOwnedRegKey key_;
    std::optional<std::string> saved_;
};

} // namespace

TEST_F(ColorNameTest, ColourNameChoosesTheScheme)
{
    struct Case {
        const char* name;
        TKvColorScheme scheme;
    } cases[] = {
        {nullptr, TKvColorScheme::csBlue},     {"", TKvColorScheme::csBlue},
        {"NormalColor", TKvColorScheme::csBlue}, {"HomeStead", TKvColorScheme::csOlive},
        {"homestead", TKvColorScheme::csOlive}, {"Metallic", TKvColorScheme::csSilver},
    };
    for (const Case& c : cases) {
        SetName(c.name);
        EXPECT_EQ(c.scheme, ReadXPColorScheme()) << (c.name ? c.name : "(missing)");
    }
}

TEST_F(ColorNameTest, TheSchemeIsKeptUntilReadAgain)
{
    SetName("Metallic");
    RefreshColorScheme();
    SetName("HomeStead");
    EXPECT_EQ(TKvColorScheme::csSilver, ColorScheme());
    RefreshColorScheme();
    EXPECT_EQ(TKvColorScheme::csOlive, ColorScheme());
}

TEST_F(ColorNameTest, ThemedSelectionColoursComeFromTheSchemeRow)
{
    KvThemeSrv::SetCommonControlsVersionOverride(0x00060000);
    KvThemeSrv::SharedThemeServices()->RefreshThemeState();
    ASSERT_TRUE(KvThemeSrv::SharedThemeServices()->PaintsThemed());
    struct Case {
        const char* name;
        TColor frame, start, stop;
    } cases[] = {
        {nullptr, 0x800000, 0xC2EEFF, 0xA0D9FF},
        {"HomeStead", 0x385D3F, 0xC2EEFF, 0xA0D9FF},
        {"Metallic", 0x6F4B4B, 0xC2EEFF, 0xA0D9FF},
    };
    for (const Case& c : cases) {
        SetName(c.name);
        RefreshColorScheme();
        TColor frame = 0, start = 0, stop = 0;
        SelectionColors(1, frame, start, stop);
        EXPECT_EQ(c.frame, frame);
        EXPECT_EQ(c.start, start);
        EXPECT_EQ(c.stop, stop);
        // Colour style 0 stays with the highlight even when themed.
        SelectionColors(0, frame, start, stop);
        EXPECT_EQ(clHighlight, frame);
    }
    EXPECT_EQ(0xBF7F57u, SchemeColor(TKvColorScheme::csBlue, 5));
    EXPECT_EQ(0xEDFFFFu, SchemeColor(TKvColorScheme::csOlive, 3));
    EXPECT_EQ(0xD0BCBDu, SchemeColor(TKvColorScheme::csSilver, 4));
}

TEST_F(ColorNameTest, APanelReadsTheSchemeAgainWhenTheThemeChanges)
{
    KvThemeSrv::SetCommonControlsVersionOverride(0x00060000);
    KvThemeSrv::SharedThemeServices()->RefreshThemeState();
    if (!KvThemeSrv::SharedThemeServices()->PaintsThemed())
        GTEST_SKIP() << "no theme on this display";
    SetName(nullptr);
    RefreshColorScheme();
    TKvPanel panel(nullptr);
    panel.SetVisualStyle(vsGradient);
    panel.SetGradientColorStyle(gcsMSOffice);
    SetName("HOMESTEAD");
    panel.Perform(WM_THEMECHANGED);
    EXPECT_EQ(TKvColorScheme::csOlive, ColorScheme());
    TColor start = 0, stop = 0, flat = 0;
    int adjustment = -1;
    panel.GetGradientColors(start, stop);
    panel.GetFlatColor(flat, adjustment);
    EXPECT_EQ(SchemeColor(TKvColorScheme::csOlive, 3), start);
    EXPECT_EQ(SchemeColor(TKvColorScheme::csOlive, 4), stop);
    EXPECT_EQ(SchemeColor(TKvColorScheme::csOlive, 5), flat);
    EXPECT_EQ(0, adjustment);
}
