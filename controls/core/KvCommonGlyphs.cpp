// The glyph painters of KvCommon: the library's own 13 x 13 radio and check-box
// glyphs, coloured by state (normal, pressed, hot, disabled), focus and read-only.
#include "KvCommon.h"

#include "TCanvas.h"

namespace KvCommon {
namespace {

// The radio disc row by row: its first and last column in a 13 x 13 cell.
const int kDiscSpans[kGlyphCellSize][2] = {
    {5, 7}, {3, 9}, {2, 10}, {1, 11}, {1, 11}, {0, 12}, {0, 12},
    {0, 12}, {1, 11}, {1, 11}, {2, 10}, {3, 9}, {5, 7},
};

bool InDisc(int x, int y)
{
    if (y < 0 || y >= kGlyphCellSize)
        return false;
    return x >= kDiscSpans[y][0] && x <= kDiscSpans[y][1];
}

// Inside the disc and not on its edge.
bool InDiscInterior(int x, int y)
{
    return InDisc(x, y) && InDisc(x - 1, y) && InDisc(x + 1, y) && InDisc(x, y - 1) && InDisc(x, y + 1);
}

// The interior's outermost pixels, which take the pressed ring.
bool OnInnerRing(int x, int y)
{
    return InDiscInterior(x, y) && !(InDiscInterior(x - 1, y) && InDiscInterior(x + 1, y) &&
                                     InDiscInterior(x, y - 1) && InDiscInterior(x, y + 1));
}

// The checked dot in the middle of the disc.
bool InDot(int x, int y)
{
    const int dy = y - 6;
    if (dy < -2 || dy > 2)
        return false;
    const int half = (dy == -2 || dy == 2) ? 1 : 2;
    return x >= 6 - half && x <= 6 + half;
}

// The tick of a checked box: for each column from 3 to 9, the first of its three rows.
const int kTickTop[7] = {5, 6, 7, 6, 5, 4, 3};

TColor MarkColor(const TKvGlyphColors& colors)
{
    return colors.PaintState == 3 ? clGrayText : clWindowText;
}

} // namespace

TColor GlyphInteriorColor(const TKvGlyphColors& colors)
{
    if (colors.PaintState == 3)
        return colors.DisabledColor;
    if (colors.ReadOnly && (!colors.ReadOnlyColorOnFocus || colors.Focused))
        return colors.ReadOnlyColor;
    const TColor rest = colors.Focused ? colors.FocusColor : colors.FillColor;
    if (colors.PaintState == 1)
        return DarkenColor(colors.HotTrackStyle == htsInterior ? colors.HotFillColor : rest, 20);
    if (colors.PaintState == 2 && colors.HotTrackStyle == htsInterior)
        return colors.HotFillColor;
    return rest;
}

TColor GlyphFrameColor(const TKvGlyphColors& colors)
{
    if (colors.PaintState == 3)
        return MixColors(colors.FrameColor, colors.DisabledColor, 128);
    if ((colors.PaintState == 1 || colors.PaintState == 2) && colors.HotTrackStyle == htsFrame)
        return colors.HotFrameColor;
    return colors.FrameColor;
}

void DrawRadioGlyph(TCanvas* canvas, const RECT& rect, bool checked, const TKvGlyphColors& colors,
                    TColor transparentColor, bool transparent, TColor color)
{
    const TColor outside = ColorToRGB(transparent ? transparentColor : color);
    const TColor frame = ColorToRGB(GlyphFrameColor(colors));
    const TColor interior = ColorToRGB(GlyphInteriorColor(colors));
    const TColor ring = ColorToRGB(colors.HighlightColor);
    const TColor mark = ColorToRGB(MarkColor(colors));
    const bool pressed = colors.PaintState == 1;
    for (int y = 0; y < kGlyphCellSize; ++y) {
        for (int x = 0; x < kGlyphCellSize; ++x) {
            TColor pixel = outside;
            if (checked && InDot(x, y))
                pixel = mark;
            else if (InDiscInterior(x, y))
                pixel = pressed && OnInnerRing(x, y) ? ring : interior;
            else if (InDisc(x, y))
                pixel = frame;
            canvas->SetPixel(rect.left + x, rect.top + y, pixel);
        }
    }
}

void DrawCheckGlyph(TCanvas* canvas, const RECT& rect, TCheckBoxState state, const TKvGlyphColors& colors)
{
    const TColor oldBrush = canvas->Brush()->Color();
    const TBrushStyle oldStyle = canvas->Brush()->Style();
    const RECT cell = {rect.left, rect.top, rect.left + kGlyphCellSize, rect.top + kGlyphCellSize};
    canvas->Brush()->SetColor(GlyphFrameColor(colors));
    canvas->FillRect(cell);
    RECT inside = cell;
    InflateRect(&inside, -1, -1);
    if (colors.PaintState == 1) {
        canvas->Brush()->SetColor(colors.HighlightColor);
        canvas->FillRect(inside);
        InflateRect(&inside, -1, -1);
    }
    canvas->Brush()->SetColor(GlyphInteriorColor(colors));
    canvas->FillRect(inside);
    if (state != cbUnchecked) {
        const TColor mark = state == cbGrayed && colors.PaintState != 3 ? clBtnShadow : MarkColor(colors);
        for (int i = 0; i < 7; ++i)
            for (int dy = 0; dy < 3; ++dy)
                canvas->SetPixel(rect.left + 3 + i, rect.top + kTickTop[i] + dy, mark);
    }
    canvas->Brush()->SetColor(oldBrush);
    canvas->Brush()->SetStyle(oldStyle);
}

} // namespace KvCommon
