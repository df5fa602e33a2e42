// The library's own radio and check-box glyphs, read back from bitmap pixels.
#include "KvCommon.h"
#include "TBitmap.h"

#include <gtest/gtest.h>

using namespace KvCommon;

namespace {

const TColor kFill = RGB(250, 250, 240), kFocus = RGB(240, 250, 250), kHotFill = RGB(255, 230, 200),
             kHotFrame = RGB(240, 120, 0), kDisabled = RGB(200, 200, 200), kReadOnly = RGB(255, 255, 200),
             kFrame = RGB(60, 60, 160), kHighlight = RGB(0, 0, 255);

TKvGlyphColors Colors()
{
    TKvGlyphColors colors;
    colors.FillColor = kFill;
    colors.FocusColor = kFocus;
    colors.HotFillColor = kHotFill;
    colors.HotFrameColor = kHotFrame;
    colors.DisabledColor = kDisabled;
    colors.ReadOnlyColor = kReadOnly;
    colors.FrameColor = kFrame;
    colors.HighlightColor = kHighlight;
    return colors;
}

struct Cell {
    Cell() : bitmap(kGlyphCellSize, kGlyphCellSize) {}
    TColor At(int x, int y) { return bitmap.Canvas()->Pixel(x, y); }
    TBitmap bitmap;
};

} // namespace

struct InteriorCase {
    const char* name;
    int paintState;
    bool focused, readOnly, readOnlyOnFocus;
    TKvButtonHotTrackStyle hotStyle;
    TColor interior, frame;
};

TEST(KvCommonGlyphs, StateFocusAndReadOnlyChooseTheColours)
{
    const InteriorCase cases[] = {
        {"normal", 0, false, false, false, htsInterior, kFill, kFrame},
        {"focused", 0, true, false, false, htsInterior, kFocus, kFrame},
        {"hot interior", 2, false, false, false, htsInterior, kHotFill, kFrame},
        {"hot frame", 2, false, false, false, htsFrame, kFill, kHotFrame},
        {"disabled", 3, true, true, false, htsInterior, kDisabled, MixColors(kFrame, kDisabled, 128)},
        {"read-only", 2, false, true, false, htsInterior, kReadOnly, kFrame},
        {"read-only on focus, unfocused", 0, false, true, true, htsInterior, kFill, kFrame},
        {"read-only on focus, focused", 0, true, true, true, htsInterior, kReadOnly, kFrame},
    };
    for (const InteriorCase& c : cases) {
        SCOPED_TRACE(c.name);
        TKvGlyphColors colors = Colors();
        colors.PaintState = c.paintState;
        colors.Focused = c.focused;
        colors.ReadOnly = c.readOnly;
        colors.ReadOnlyColorOnFocus = c.readOnlyOnFocus;
        colors.HotTrackStyle = c.hotStyle;
        Cell box, radio;
        DrawCheckGlyph(box.bitmap.Canvas(), RECT{0, 0, 13, 13}, cbUnchecked, colors);
        EXPECT_EQ(c.frame, box.At(0, 6));
        EXPECT_EQ(c.interior, box.At(1, 6));
        EXPECT_EQ(c.interior, box.At(6, 6));
        DrawRadioGlyph(radio.bitmap.Canvas(), RECT{0, 0, 13, 13}, false, colors, clOlive, true, clWhite);
        EXPECT_EQ(c.frame, radio.At(0, 6));
        EXPECT_EQ(c.interior, radio.At(6, 6));
    }
}

TEST(KvCommonGlyphs, CheckBoxMarksItsThreeStates)
{
    TKvGlyphColors colors = Colors();
    const TColor black = ColorToRGB(clWindowText);
    Cell unchecked, checked, grayed, disabled;
    DrawCheckGlyph(unchecked.bitmap.Canvas(), RECT{0, 0, 13, 13}, cbUnchecked, colors);
    DrawCheckGlyph(checked.bitmap.Canvas(), RECT{0, 0, 13, 13}, cbChecked, colors);
    DrawCheckGlyph(grayed.bitmap.Canvas(), RECT{0, 0, 13, 13}, cbGrayed, colors);
    colors.PaintState = 3;
    DrawCheckGlyph(disabled.bitmap.Canvas(), RECT{0, 0, 13, 13}, cbChecked, colors);
    for (POINT p : {POINT{3, 5}, POINT{5, 9}, POINT{9, 3}}) {
        EXPECT_EQ(kFill, unchecked.At(p.x, p.y));
        EXPECT_EQ(black, checked.At(p.x, p.y));
        EXPECT_EQ(ColorToRGB(clBtnShadow), grayed.At(p.x, p.y));
        EXPECT_EQ(ColorToRGB(clGrayText), disabled.At(p.x, p.y));
    }
    EXPECT_EQ(kFill, checked.At(3, 9)) << "below the tick";
}

TEST(KvCommonGlyphs, PressedGlyphsShowTheHighlightRing)
{
    TKvGlyphColors colors = Colors();
    colors.PaintState = 1;
    Cell box, radio;
    DrawCheckGlyph(box.bitmap.Canvas(), RECT{0, 0, 13, 13}, cbUnchecked, colors);
    EXPECT_EQ(kHighlight, box.At(1, 6));
    EXPECT_EQ(DarkenColor(kHotFill, 20), box.At(6, 6));
    DrawRadioGlyph(radio.bitmap.Canvas(), RECT{0, 0, 13, 13}, false, colors, clOlive, true, clWhite);
    EXPECT_EQ(kHighlight, radio.At(1, 6));
    EXPECT_EQ(DarkenColor(kHotFill, 20), radio.At(6, 6));
}

TEST(KvCommonGlyphs, RadioIsARoundDiscWithADotAndItsOutsideTransparentOrColoured)
{
    TKvGlyphColors colors = Colors();
    Cell transparent, opaque;
    DrawRadioGlyph(transparent.bitmap.Canvas(), RECT{0, 0, 13, 13}, true, colors, clOlive, true, clWhite);
    DrawRadioGlyph(opaque.bitmap.Canvas(), RECT{0, 0, 13, 13}, true, colors, clOlive, false, RGB(9, 9, 9));
    const TColor black = ColorToRGB(clWindowText);
    for (POINT corner : {POINT{0, 0}, POINT{12, 0}, POINT{0, 12}, POINT{12, 12}, POINT{4, 0}, POINT{0, 4}}) {
        EXPECT_EQ(clOlive, transparent.At(corner.x, corner.y)) << corner.x << "," << corner.y;
        EXPECT_EQ(RGB(9, 9, 9), opaque.At(corner.x, corner.y));
    }
    EXPECT_EQ(kFrame, transparent.At(5, 0));
    EXPECT_EQ(kFrame, transparent.At(12, 6));
    EXPECT_EQ(kFrame, transparent.At(1, 3));
    EXPECT_EQ(black, transparent.At(6, 6));
    EXPECT_EQ(black, transparent.At(4, 6));
    EXPECT_EQ(kFill, transparent.At(3, 6));
    EXPECT_EQ(kFill, transparent.At(6, 2));
}
