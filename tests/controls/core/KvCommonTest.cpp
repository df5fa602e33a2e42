// Colour arithmetic on known colours, rectangles centred in others, and the
// colours the library takes when it does not paint themed.
#include "KvCommon.h"
#include "KvThemeSrv.h"
#include "KvUxTheme.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>

using namespace KvCommon;

namespace {
std::string Hex(TColor color)
{
    std::ostringstream out;
    out << "0x" << std::hex << std::setw(6) << std::setfill('0') << color;
    return out.str();
}
} // namespace

TEST(KvCommon, RgbToHueSatLumOfKnownColours)
{
    struct Case {
        TColor color;
        int hue, saturation, luminance;
    } cases[] = {
        {clRed, 0, 240, 120},   {clLime, 80, 240, 120}, {clBlue, 160, 240, 120}, {clWhite, 0, 0, 240},
        {clBlack, 0, 0, 0},     {clGray, 0, 0, 120},    {clYellow, 40, 240, 120}, {clNavy, 160, 240, 60},
        {0x8080FF, 0, 240, 180}, // light red: saturation from the upper formula
    };
    for (const Case& c : cases) {
        THueSatLum hsl = RGBToHueSatLum(c.color);
        EXPECT_EQ(c.hue, hsl.Hue) << Hex(c.color);
        EXPECT_EQ(c.saturation, hsl.Saturation) << Hex(c.color);
        EXPECT_EQ(c.luminance, hsl.Luminance) << Hex(c.color);
        EXPECT_EQ(c.hue, HueOf(c.color)) << Hex(c.color);
    }
}

TEST(KvCommon, SystemColoursAreResolvedBeforeArithmetic)
{
    for (TColor system : {clBtnFace, clHighlight, clWindow, clBtnShadow}) {
        TColor rgb = GetSysColor(static_cast<int>(system & 0xFF));
        THueSatLum a = RGBToHueSatLum(system), b = RGBToHueSatLum(rgb);
        EXPECT_EQ(b.Hue, a.Hue);
        EXPECT_EQ(b.Luminance, a.Luminance);
        EXPECT_EQ(DarkenColor(rgb, 30), DarkenColor(system, 30));
        EXPECT_EQ(MixColors(rgb, clWhite, 100), MixColors(system, clWhite, 100));
    }
}

TEST(KvCommon, HueSatLumToRgbUsesTheHueScaleOf239)
{
    struct Case {
        int hue, saturation, luminance;
        TColor expected;
    } cases[] = {
        {0, 240, 120, RGB(255, 0, 0)},
        {80, 240, 120, RGB(0, 255, 2)},   // 80/239 lies just past the green sector's start
        {160, 240, 120, RGB(4, 0, 255)},
        {239, 240, 120, RGB(255, 0, 0)},  // the end of the scale is red again
        {0, 0, 240, RGB(255, 255, 255)},
        {0, 0, 0, RGB(0, 0, 0)},
        {0, 0, 120, RGB(128, 128, 128)},
        {0, 240, 60, RGB(128, 0, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Hex(c.expected), Hex(HueSatLumToRGB(c.hue, c.saturation, c.luminance)))
            << c.hue << "," << c.saturation << "," << c.luminance;
}

TEST(KvCommon, DarkenLightenAndShift)
{
    struct Case {
        const char* what;
        TColor result, expected;
    } cases[] = {
        {"white lightened stays white", LightenColor(clWhite, 20), clWhite},
        {"white lightened to the clamp", LightenColor(clWhite, 255), clWhite},
        {"black darkened stays black", DarkenColor(clBlack, 20), clBlack},
        {"red darkened", DarkenColor(clRed, 60), RGB(128, 0, 0)},
        {"red lightened", LightenColor(clRed, 60), RGB(255, 128, 128)},
        {"negative shift darkens", ShiftColor(clRed, -60), RGB(128, 0, 0)},
        {"positive shift lightens", ShiftColor(clRed, 60), RGB(255, 128, 128)},
        {"no shift keeps even a system colour", ShiftColor(clBtnFace, 0), clBtnFace},
        {"darkening to below 0 is black", DarkenColor(clGray, 200), clBlack},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Hex(c.expected), Hex(c.result)) << c.what;
}

TEST(KvCommon, MixColorsWeighsTheFirstColour)
{
    struct Case {
        TColor a, b;
        int weight;
        TColor expected;
    } cases[] = {
        {clWhite, clBlack, 255, clWhite},
        {clWhite, clBlack, 0, clBlack},
        {clWhite, clBlack, 128, RGB(128, 128, 128)},
        {clRed, clBlue, 77, RGB(77, 0, 178)},
        {RGB(10, 20, 30), RGB(10, 20, 30), 99, RGB(10, 20, 30)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Hex(c.expected), Hex(MixColors(c.a, c.b, c.weight))) << Hex(c.a) << " " << Hex(c.b) << " " << c.weight;
}

TEST(KvCommon, ColoursHardToTellAndOppositeHue)
{
    EXPECT_TRUE(ColorsHardToTell(clRed, RGB(240, 0, 0)));
    EXPECT_FALSE(ColorsHardToTell(clRed, clBlue));       // hues 160 apart
    EXPECT_TRUE(ColorsHardToTell(clWhite, clSilver));     // luminance 240 and 181
    EXPECT_FALSE(ColorsHardToTell(clWhite, clGray));      // luminance 240 and 120

    EXPECT_EQ(Hex(RGB(0, 252, 255)), Hex(OppositeHueColor(clRed, 120)));  // hue 0 + 120
    EXPECT_EQ(Hex(RGB(254, 255, 0)), Hex(OppositeHueColor(clBlue, 120))); // hue 160 - 120
    EXPECT_EQ(Hex(clWhite), Hex(OppositeHueColor(clRed, 240)));
}

TEST(KvCommon, RectCenteredInTruncatesTowardZero)
{
    struct Case {
        RECT outer;
        int width, height;
        RECT expected;
    } cases[] = {
        {{0, 0, 10, 10}, 4, 4, {3, 3, 7, 7}},
        {{0, 0, 10, 10}, 3, 5, {3, 2, 6, 7}},
        {{-5, -5, 0, 0}, 2, 2, {-3, -3, -1, -1}},
        {{0, 0, 4, 4}, 10, 10, {-3, -3, 7, 7}},
    };
    for (const Case& c : cases) {
        RECT r = RectCenteredIn(c.outer, c.width, c.height);
        EXPECT_EQ(c.expected.left, r.left);
        EXPECT_EQ(c.expected.top, r.top);
        EXPECT_EQ(c.expected.right, r.right);
        EXPECT_EQ(c.expected.bottom, r.bottom);
    }
}

TEST(KvCommon, ClassicSelectionColoursComeFromTheHighlight)
{
    ASSERT_FALSE(KvThemeSrv::SharedThemeServices()->PaintsThemed());
    TColor frame = 0, start = 0, stop = 0;
    for (int style : {0, 1}) {
        SetSelectionGradients(true);
        SelectionColors(style, frame, start, stop);
        TColor base = MixColors(clHighlight, clWindow, 77);
        EXPECT_EQ(clHighlight, frame);
        EXPECT_EQ(base, stop);
        EXPECT_EQ(LightenColor(base, 20), start);

        SetSelectionGradients(false);
        SelectionColors(style, frame, start, stop);
        EXPECT_EQ(stop, start);
    }
    SetSelectionGradients(true);
}

TEST(KvCommon, ThemeColoursAreButtonFaceWhenNotThemed)
{
    ASSERT_FALSE(KvThemeSrv::SharedThemeServices()->PaintsThemed());
    for (int use = 0; use <= 6; ++use)
        EXPECT_EQ(clBtnFace, ThemeColorOf(use)) << use;
}

TEST(KvCommon, ThemeColoursComeFromTheActiveTheme)
{
    KvThemeSrv::SetCommonControlsVersionOverride(0x00060000);
    KvThemeSrv::TThemeServices* services = KvThemeSrv::SharedThemeServices();
    services->RefreshThemeState();
    ASSERT_TRUE(services->PaintsThemed());

    COLORREF expected = 0;
    HTHEME button = services->ThemeHandleFor(KvThemeSrv::tcButton);
    ASSERT_EQ(S_OK, KvUxTheme::GetThemeColor(button, 4, 1, 3803, &expected));
    EXPECT_EQ(expected, ThemeColorOf(tcuGroupBoxText));
    EXPECT_EQ(clWhite, ThemeColorOf(7));

    KvThemeSrv::SetCommonControlsVersionOverride(0);
    services->RefreshThemeState();
}
