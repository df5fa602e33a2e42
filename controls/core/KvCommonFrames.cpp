// The frame painters of KvCommon: twelve frame styles drawn as one-pixel lines on
// a chosen set of sides, alone or as an outer frame, a border band and an inner frame.
#include "KvCommon.h"

#include "TCanvas.h"

#include <algorithm>

namespace KvCommon {
namespace {

// The five colours the frame styles are drawn in.
struct FramePalette {
    TColor Highlight;
    TColor Light;
    TColor Shadow;
    TColor DarkShadow;
    TColor Flat;
};

FramePalette SystemPalette()
{
    return FramePalette{ColorToRGB(clBtnHighlight), ColorToRGB(cl3DLight), ColorToRGB(clBtnShadow),
                        ColorToRGB(cl3DDkShadow), ColorToRGB(clBtnShadow)};
}

FramePalette PaletteFromFace(TColor face)
{
    return FramePalette{LightenColor(face, 100), LightenColor(face, 30), DarkenColor(face, 60),
                        DarkenColor(face, 120), DarkenColor(face, 60)};
}

bool Has(TKvSides sides, TKvSide side) { return (sides & side) != 0; }

void Fill(TCanvas* canvas, const RECT& rect, TColor color)
{
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    canvas->Brush()->SetColor(color);
    canvas->FillRect(rect);
}

// One ring of one-pixel lines: the top and left sides in one colour, then the
// right and bottom in the other, which therefore owns the two corners they share.
// Returns the rectangle shrunk by one on each side drawn.
RECT Line(TCanvas* canvas, const RECT& r, TKvSides sides, TColor topLeft, TColor bottomRight)
{
    if (Has(sides, sdTop))
        Fill(canvas, RECT{r.left, r.top, r.right, r.top + 1}, topLeft);
    if (Has(sides, sdLeft))
        Fill(canvas, RECT{r.left, r.top, r.left + 1, r.bottom}, topLeft);
    if (Has(sides, sdRight))
        Fill(canvas, RECT{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
    if (Has(sides, sdBottom))
        Fill(canvas, RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    return FrameStyleInnerRect(r, fsFlat, sides);
}

// A one-pixel flat line in a two-pixel band whose corners are cut: where two drawn
// sides meet the lines stop two pixels short and one pixel sits diagonally inside.
void RoundedLine(TCanvas* canvas, const RECT& r, TKvSides sides, TColor color)
{
    const bool left = Has(sides, sdLeft), top = Has(sides, sdTop), right = Has(sides, sdRight),
               bottom = Has(sides, sdBottom);
    if (top)
        Fill(canvas, RECT{r.left + (left ? 2 : 0), r.top, r.right - (right ? 2 : 0), r.top + 1}, color);
    if (bottom)
        Fill(canvas, RECT{r.left + (left ? 2 : 0), r.bottom - 1, r.right - (right ? 2 : 0), r.bottom}, color);
    if (left)
        Fill(canvas, RECT{r.left, r.top + (top ? 2 : 0), r.left + 1, r.bottom - (bottom ? 2 : 0)}, color);
    if (right)
        Fill(canvas, RECT{r.right - 1, r.top + (top ? 2 : 0), r.right, r.bottom - (bottom ? 2 : 0)}, color);
    if (left && top)
        canvas->SetPixel(r.left + 1, r.top + 1, color);
    if (right && top)
        canvas->SetPixel(r.right - 2, r.top + 1, color);
    if (right && bottom)
        canvas->SetPixel(r.right - 2, r.bottom - 2, color);
    if (left && bottom)
        canvas->SetPixel(r.left + 1, r.bottom - 2, color);
}

// The pixels outside the rounded line's cut corners.
void FillCutCorners(TCanvas* canvas, const RECT& r, TKvSides sides, TColor color)
{
    auto corner = [&](int x, int y, int dx, int dy) {
        canvas->SetPixel(x, y, color);
        canvas->SetPixel(x + dx, y, color);
        canvas->SetPixel(x, y + dy, color);
    };
    if (Has(sides, sdLeft) && Has(sides, sdTop))
        corner(r.left, r.top, 1, 1);
    if (Has(sides, sdRight) && Has(sides, sdTop))
        corner(r.right - 1, r.top, -1, 1);
    if (Has(sides, sdRight) && Has(sides, sdBottom))
        corner(r.right - 1, r.bottom - 1, -1, -1);
    if (Has(sides, sdLeft) && Has(sides, sdBottom))
        corner(r.left, r.bottom - 1, 1, -1);
}

// The band between `outer` and `inner` on the chosen sides.
void FillBand(TCanvas* canvas, const RECT& outer, const RECT& inner, TColor color)
{
    Fill(canvas, RECT{outer.left, outer.top, outer.right, inner.top}, color);
    Fill(canvas, RECT{outer.left, inner.bottom, outer.right, outer.bottom}, color);
    Fill(canvas, RECT{outer.left, inner.top, inner.left, inner.bottom}, color);
    Fill(canvas, RECT{inner.right, inner.top, outer.right, inner.bottom}, color);
}

RECT DrawWithPalette(TCanvas* canvas, const RECT& rect, TFrameStyleEx style, TKvSides sides, int bevelWidth,
                     const FramePalette& p)
{
    RECT r = rect;
    switch (style) {
    case fsNone:
        break;
    case fsFlat:
        r = Line(canvas, r, sides, p.Flat, p.Flat);
        break;
    case fsFlatBold:
        r = Line(canvas, r, sides, p.Flat, p.Flat);
        r = Line(canvas, r, sides, p.Flat, p.Flat);
        break;
    case fsFlatRounded:
        RoundedLine(canvas, r, sides, p.Flat);
        r = FrameStyleInnerRect(r, style, sides);
        break;
    case fsGroove: // etched: a sunken line, then a raised one
        r = Line(canvas, r, sides, p.Shadow, p.Highlight);
        r = Line(canvas, r, sides, p.Highlight, p.Shadow);
        break;
    case fsBump: // a raised line, then a sunken one
        r = Line(canvas, r, sides, p.Highlight, p.Shadow);
        r = Line(canvas, r, sides, p.Shadow, p.Highlight);
        break;
    case fsLowered:
        r = Line(canvas, r, sides, p.Shadow, p.Highlight);
        r = Line(canvas, r, sides, p.DarkShadow, p.Light);
        break;
    case fsButtonDown: // a push button held down
        r = Line(canvas, r, sides, p.DarkShadow, p.Highlight);
        r = Line(canvas, r, sides, p.Shadow, p.Light);
        break;
    case fsRaised:
        r = Line(canvas, r, sides, p.Light, p.DarkShadow);
        r = Line(canvas, r, sides, p.Highlight, p.Shadow);
        break;
    case fsButtonUp: // a push button at rest
        r = Line(canvas, r, sides, p.Highlight, p.DarkShadow);
        r = Line(canvas, r, sides, p.Light, p.Shadow);
        break;
    case fsStatus:
        for (int i = 0; i < bevelWidth; ++i)
            r = Line(canvas, r, sides, p.Shadow, p.Highlight);
        break;
    case fsPopup:
        for (int i = 0; i < bevelWidth; ++i)
            r = Line(canvas, r, sides, p.Highlight, p.Shadow);
        break;
    }
    return r;
}

// Keeps the caller's brush through the painting.
class BrushKeeper {
public:
    explicit BrushKeeper(TCanvas* canvas)
        : canvas_(canvas), color_(canvas->Brush()->Color()), style_(canvas->Brush()->Style())
    {
    }
    ~BrushKeeper()
    {
        canvas_->Brush()->SetColor(color_);
        canvas_->Brush()->SetStyle(style_);
    }
    BrushKeeper(const BrushKeeper&) = delete;
    BrushKeeper& operator=(const BrushKeeper&) = delete;

private:
    TCanvas* canvas_;
    TColor color_;
    TBrushStyle style_;
};

} // namespace

int FrameStyleWidth(TFrameStyleEx style, int bevelWidth)
{
    switch (style) {
    case fsNone:
        return 0;
    case fsFlat:
        return 1;
    case fsStatus:
    case fsPopup:
        return std::max(bevelWidth, 0);
    default:
        return 2;
    }
}

RECT FrameStyleInnerRect(const RECT& rect, TFrameStyleEx style, TKvSides sides, int bevelWidth)
{
    const int width = FrameStyleWidth(style, bevelWidth);
    RECT r = rect;
    if (Has(sides, sdLeft))
        r.left += width;
    if (Has(sides, sdTop))
        r.top += width;
    if (Has(sides, sdRight))
        r.right -= width;
    if (Has(sides, sdBottom))
        r.bottom -= width;
    return r;
}

RECT DrawFrameStyle(TCanvas* canvas, const RECT& rect, TFrameStyleEx style, TKvSides sides)
{
    BrushKeeper keep(canvas);
    return DrawWithPalette(canvas, rect, style, sides, 1, SystemPalette());
}

RECT DrawColoredFrameStyle(TCanvas* canvas, const RECT& rect, TFrameStyleEx style, TColor face, TKvSides sides)
{
    BrushKeeper keep(canvas);
    return DrawWithPalette(canvas, rect, style, sides, 1, PaletteFromFace(face));
}

RECT DrawInnerOuterFrame(TCanvas* canvas, const RECT& rect, const TKvFrameSettings& frame)
{
    BrushKeeper keep(canvas);
    FramePalette palette = SystemPalette();
    if (frame.Shadow != clBtnShadow || frame.Highlight != clBtnHighlight) {
        palette.Highlight = ColorToRGB(frame.Highlight);
        palette.Shadow = ColorToRGB(frame.Shadow);
        palette.Light = MixColors(palette.Highlight, palette.Shadow, 192);
        palette.DarkShadow = DarkenColor(palette.Shadow, 60);
    }
    palette.Flat = ShiftColor(frame.FlatColor, frame.FlatAdjustment);

    auto drawOne = [&](const RECT& r, TFrameStyleEx style) {
        RECT inside = FrameStyleInnerRect(r, style, frame.Sides, frame.BevelWidth);
        if (style == fsFlatRounded && !frame.Transparent) {
            // The ring inside the rounded line is face, the corners outside it parent.
            FillBand(canvas, r, inside, frame.Color);
            FillCutCorners(canvas, r, frame.Sides, frame.ParentColor);
        }
        return DrawWithPalette(canvas, r, style, frame.Sides, frame.BevelWidth, palette);
    };

    RECT r = drawOne(rect, frame.Outer);
    if (frame.BorderWidth > 0) {
        RECT inside = r;
        InflateRect(&inside, -frame.BorderWidth, -frame.BorderWidth);
        if (!frame.Transparent)
            FillBand(canvas, r, inside, frame.BorderColor);
        r = inside;
    }
    return drawOne(r, frame.Inner);
}

} // namespace KvCommon
