// The theme services under Wine's real theme: the decision to paint themed, the
// cached handles and theme changes, the element mappers and themed painting.
// Wine reports common controls 5.81 even where version 6 is loaded, so the themed
// cases set the version to 6.0.
#include "KvThemeSrv.h"
#include "KvUxTheme.h"
#include "TBitmap.h"
#include "TCustomControl.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace KvThemeSrv;

namespace {

// A plain top-level window for the services to watch, and the version in force.
class ThemeServicesTest : public testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "ThemeServicesTestWindow";
        RegisterClassA(&windowClass);
        window_ = CreateWindowExA(0, "ThemeServicesTestWindow", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, window_);
        properties_ = GetThemeAppPropertiesNow();
    }
    void TearDown() override
    {
        SetCommonControlsVersionOverride(0);
        SetThemeAppPropertiesNow(properties_);
        if (IsWindow(window_))
            DestroyWindow(window_);
    }
    static DWORD GetThemeAppPropertiesNow()
    {
        KvUxTheme::LoadThemeApi();
        DWORD value = KvUxTheme::GetThemeAppProperties();
        KvUxTheme::ReleaseThemeApi();
        return value;
    }
    static void SetThemeAppPropertiesNow(DWORD value)
    {
        KvUxTheme::LoadThemeApi();
        KvUxTheme::SetThemeAppProperties(value);
        KvUxTheme::ReleaseThemeApi();
    }
public:
    void ThemeChanged(TObject* sender)
    {
        ++changes_;
        sender_ = sender;
    }

protected:
    HWND window_ = nullptr;
    DWORD properties_ = 0;
    int changes_ = 0;
    TObject* sender_ = nullptr;
};

} // namespace

TEST_F(ThemeServicesTest, CommonControlsOlderThanSixPaintClassically)
{
    EXPECT_NE(0u, CommonControlsVersion()) << "the library's own version is read";
    SetCommonControlsVersionOverride(0x00050051); // 5.81, what Wine reports
    TThemeServices services(window_);
    EXPECT_TRUE(services.ThemesAvailable());
    EXPECT_FALSE(services.UseThemes());
    EXPECT_FALSE(services.ControlsEnabled());
    EXPECT_FALSE(services.PaintsThemed());
    EXPECT_EQ(nullptr, services.ThemeHandleFor(tcButton));
    EXPECT_EQ(nullptr, services.CachedThemeHandle(tcButton));
}

TEST_F(ThemeServicesTest, VersionSixWithAnActiveThemePaintsThemed)
{
    SetCommonControlsVersionOverride(0x00060000);
    TThemeServices services(window_);
    ASSERT_TRUE(KvUxTheme::ThemesInUse()) << "a new Wine prefix has its Light theme active";
    EXPECT_TRUE(services.UseThemes());
    EXPECT_TRUE(services.ControlsEnabled());
    EXPECT_TRUE(services.PaintsThemed());

    EXPECT_EQ(nullptr, services.CachedThemeHandle(tcButton)) << "opened on first use only";
    HTHEME button = services.ThemeHandleFor(tcButton);
    EXPECT_NE(nullptr, button);
    EXPECT_EQ(button, services.ThemeHandleFor(tcButton));
    EXPECT_EQ(button, services.CachedThemeHandle(tcButton));
}

TEST_F(ThemeServicesTest, WithoutTheControlsBitThemesAreUsedButControlsPaintClassically)
{
    SetCommonControlsVersionOverride(0x00060000);
    SetThemeAppPropertiesNow(STAP_ALLOW_NONCLIENT);
    TThemeServices services(window_);
    EXPECT_TRUE(services.UseThemes());
    EXPECT_FALSE(services.ControlsEnabled());
    EXPECT_FALSE(services.PaintsThemed());

    SetThemeAppPropertiesNow(STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS);
    services.RefreshThemeState();
    EXPECT_TRUE(services.PaintsThemed());
}

TEST_F(ThemeServicesTest, ThemeChangeClosesTheHandlesAndTellsOnce)
{
    SetCommonControlsVersionOverride(0x00060000);
    TThemeServices services(window_);
    services.OnThemeChange = TNotifyEvent(static_cast<ThemeServicesTest*>(this), &ThemeServicesTest::ThemeChanged);
    ASSERT_NE(nullptr, services.ThemeHandleFor(tcButton));
    ASSERT_NE(nullptr, services.ThemeHandleFor(tcEdit));

    SendMessageA(window_, WM_THEMECHANGED, 0, 0);
    EXPECT_EQ(1, changes_);
    EXPECT_EQ(&services, sender_);
    EXPECT_EQ(nullptr, services.CachedThemeHandle(tcButton));
    EXPECT_EQ(nullptr, services.CachedThemeHandle(tcEdit));
    EXPECT_TRUE(services.PaintsThemed());
    EXPECT_NE(nullptr, services.ThemeHandleFor(tcButton)) << "a fresh handle is opened";

    // A change to a state without themes leaves nothing open.
    SetCommonControlsVersionOverride(0x00050051);
    SendMessageA(window_, WM_THEMECHANGED, 0, 0);
    EXPECT_EQ(2, changes_);
    EXPECT_FALSE(services.PaintsThemed());
    EXPECT_EQ(nullptr, services.CachedThemeHandle(tcButton));
}

TEST_F(ThemeServicesTest, HookLeavesTheWindowWhenItIsDestroyed)
{
    WNDPROC original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window_, GWLP_WNDPROC));
    {
        TThemeServices services(window_);
        EXPECT_TRUE(services.Subclassed());
        EXPECT_NE(original, reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window_, GWLP_WNDPROC)));
    }
    EXPECT_EQ(original, reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window_, GWLP_WNDPROC)))
        << "the destructor puts the saved procedure back";

    SetCommonControlsVersionOverride(0x00060000);
    TThemeServices services(window_);
    ASSERT_NE(nullptr, services.ThemeHandleFor(tcButton));
    DestroyWindow(window_);
    EXPECT_FALSE(services.Subclassed());
    // With the window gone the handles are left alone; the destructor must cope.
}

TEST(ThemeElementMappers, ElementValuesMapToPartsAndStates)
{
    struct Case {
        const char* mapper;
        TThemedElementDetails (*map)(BYTE);
        BYTE element;
        int themeClass, part, state;
    } cases[] = {
        {"button", &TThemeServices::ButtonPart, 16, tcButton, 3, 2},
        {"button", &TThemeServices::ButtonPart, 0, tcButton, 0, 1},
        {"button", &TThemeServices::ButtonPart, 1, tcButton, 0, 2},
        {"button", &TThemeServices::ButtonPart, 2, tcButton, 1, 1},
        {"button", &TThemeServices::ButtonPart, 6, tcButton, 1, 5},
        {"button", &TThemeServices::ButtonPart, 7, tcButton, 2, 1},
        {"button", &TThemeServices::ButtonPart, 14, tcButton, 2, 8},
        {"button", &TThemeServices::ButtonPart, 26, tcButton, 3, 12},
        {"button", &TThemeServices::ButtonPart, 28, tcButton, 4, 2},
        {"button", &TThemeServices::ButtonPart, 29, tcButton, 5, 1},
        {"button", &TThemeServices::ButtonPart, 30, tcButton, 0, 31},
        {"combobox", &TThemeServices::ComboBoxPart, 5, tcComboBox, 1, 4},
        {"combobox", &TThemeServices::ComboBoxPart, 6, tcComboBox, 0, 7},
        {"edit", &TThemeServices::EditPart, 8, tcEdit, 1, 7},
        {"edit", &TThemeServices::EditPart, 9, tcEdit, 2, 1},
        {"explorerbar", &TThemeServices::ExplorerBarPart, 17, tcExplorerBar, 5, 1},
        {"explorerbar", &TThemeServices::ExplorerBarPart, 31, tcExplorerBar, 11, 3},
        {"explorerbar", &TThemeServices::ExplorerBarPart, 32, tcExplorerBar, 12, 1},
        {"header", &TThemeServices::HeaderPart, 12, tcHeader, 4, 2},
        {"progress", &TThemeServices::ProgressPart, 5, tcProgress, 4, 1},
        {"rebar", &TThemeServices::RebarPart, 9, tcRebar, 3, 6},
        {"scrollbar", &TThemeServices::ScrollBarPart, 17, tcScrollBar, 1, 16},
        {"scrollbar", &TThemeServices::ScrollBarPart, 51, tcScrollBar, 10, 2},
        {"spin", &TThemeServices::SpinPart, 17, tcSpin, 4, 4},
        {"status", &TThemeServices::StatusPart, 4, tcStatus, 3, 1},
        {"toolbar", &TThemeServices::ToolBarPart, 37, tcToolBar, 6, 6},
        {"toolbar", &TThemeServices::ToolBarPart, 38, tcToolBar, 0, 39},
    };
    for (const Case& c : cases) {
        TThemedElementDetails details = c.map(c.element);
        EXPECT_EQ(c.themeClass, details.Element) << c.mapper << " " << int(c.element);
        EXPECT_EQ(c.part, details.Part) << c.mapper << " " << int(c.element);
        EXPECT_EQ(c.state, details.State) << c.mapper << " " << int(c.element);
    }
    EXPECT_STREQ(L"button", ThemeClassName(tcButton));
    EXPECT_STREQ(L"toolbar", ThemeClassName(tcToolBar));
    EXPECT_STREQ(L"window", ThemeClassName(tcWindow));
}

namespace {
// Pixels of a bitmap filled with a marker and then painted by `paint`.
std::vector<TColor> PaintedPixels(int width, int height, const std::function<void(HDC)>& paint)
{
    TBitmap bitmap(width, height);
    bitmap.Canvas()->Brush()->SetColor(clFuchsia);
    bitmap.Canvas()->FillRect(RECT{0, 0, width, height});
    paint(bitmap.Canvas()->Handle());
    std::vector<TColor> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(bitmap.Canvas()->Pixel(x, y));
    return pixels;
}
} // namespace

TEST_F(ThemeServicesTest, PartsAndTextArePaintedByTheTheme)
{
    SetCommonControlsVersionOverride(0x00060000);
    TThemeServices services(window_);
    ASSERT_TRUE(services.PaintsThemed());
    RECT rect = {0, 0, 75, 25};
    TThemedElementDetails push = TThemeServices::ButtonPart(tbPushButtonNormal);

    auto ours = PaintedPixels(75, 25, [&](HDC dc) { EXPECT_EQ(S_OK, services.PaintPart(dc, push, rect)); });
    auto direct = PaintedPixels(75, 25, [&](HDC dc) {
        KvUxTheme::DrawThemeBackground(services.ThemeHandleFor(tcButton), dc, 1, 1, &rect, nullptr);
    });
    EXPECT_EQ(direct, ours);
    EXPECT_NE(clFuchsia, ours[12 * 75 + 37]) << "the face is painted";

    // A clip rectangle keeps the part inside it.
    RECT clip = {0, 0, 30, 25};
    auto clipped = PaintedPixels(75, 25, [&](HDC dc) { services.PaintPart(dc, push, rect, &clip); });
    EXPECT_EQ(clFuchsia, clipped[12 * 75 + 50]);
    EXPECT_EQ(ours[12 * 75 + 20], clipped[12 * 75 + 20]);

    auto text = PaintedPixels(75, 25, [&](HDC dc) {
        SetBkMode(dc, TRANSPARENT);
        EXPECT_EQ(S_OK, services.PaintPartText(dc, push, L"OK OK", rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0));
    });
    int inked = 0;
    for (TColor pixel : text)
        inked += pixel != clFuchsia;
    EXPECT_GT(inked, 10) << "the text leaves ink";
}

namespace {
class GreenPanel : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
};
} // namespace

TEST_F(ThemeServicesTest, ParentBackgroundIsPaintedUnderAChildWindow)
{
    SetCommonControlsVersionOverride(0x00060000);
    TThemeServices services(window_);
    GreenPanel parent(nullptr);
    parent.SetParentWindow(window_);
    parent.SetBounds(0, 0, 60, 40);
    parent.SetColor(clGreen);
    TCustomControl* child = new TCustomControl(&parent);
    child->SetBounds(10, 10, 20, 10);
    child->SetParent(&parent);
    parent.HandleNeeded();
    ASSERT_TRUE(child->HandleAllocated());

    auto pixels = PaintedPixels(20, 10, [&](HDC dc) {
        RECT bounds = {0, 0, 20, 10};
        services.PaintParentUnder(child->Handle(), dc, nullptr, false, &bounds);
    });
    EXPECT_EQ(clGreen, pixels[5 * 20 + 10]);
}
