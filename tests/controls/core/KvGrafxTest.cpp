// Gradients, transparent and tiled copies and parent backgrounds, read back from
// the pixels of real bitmaps.
#include "KvGrafx.h"
#include "TBitmap.h"
#include "TCustomControl.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using namespace KvGrafx;

namespace {

const TColor kMarker = RGB(1, 2, 3);

// A bitmap filled with the marker colour, so that unpainted pixels show.
struct Picture {
    Picture(int width, int height) : bitmap(width, height)
    {
        bitmap.Canvas()->Brush()->SetColor(kMarker);
        bitmap.Canvas()->FillRect(RECT{0, 0, width, height});
    }
    TColor At(int x, int y) { return bitmap.Canvas()->Pixel(x, y); }
    TBitmap bitmap;
};

bool Near(TColor a, TColor b, int tolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// Far from both ends: a colour of the middle of the run.
bool Between(TColor color, TColor start, TColor stop)
{
    return !Near(color, start, 40) && !Near(color, stop, 40);
}

const TColor kStart = RGB(255, 0, 0);
const TColor kStop = RGB(0, 0, 255);
const int kWidth = 120, kHeight = 80;

} // namespace

struct DirectionCase {
    TGradientDirection direction;
    std::vector<POINT> startPoints; // exactly the start colour
    POINT stopPoint;                // the stop colour, within one step
    POINT middlePoint;              // neither
};

TEST(KvGrafx, EachDirectionRunsFromItsEdgesToItsEnd)
{
    const int w = kWidth, h = kHeight;
    const DirectionCase cases[] = {
        {gdDiagonalUp, {{0, 0}}, {w - 1, h - 1}, {w / 2, h / 2}},
        {gdDiagonalDown, {{w - 1, 0}}, {0, h - 1}, {w / 2, h / 2}},
        {gdHorizontalEnd, {{0, 0}, {w - 1, 0}}, {w - 1, h - 1}, {w / 2, h / 2}},
        {gdHorizontalCenter, {{0, 0}, {w - 1, h - 1}}, {w / 2, h / 2}, {w / 2, h / 4}},
        {gdHorizontalBox, {{0, 0}, {w / 4 - 1, h / 2}, {w - 1, h - 1}}, {w / 2, h / 2}, {w / 2, h / 4}},
        {gdVerticalEnd, {{0, 0}, {0, h - 1}}, {w - 1, h - 1}, {w / 2, h / 2}},
        {gdVerticalCenter, {{0, 0}, {w - 1, h - 1}}, {w / 2, h / 2}, {w / 4, h / 2}},
        {gdVerticalBox, {{0, 0}, {w / 2, h / 4 - 1}, {w - 1, h - 1}}, {w / 2, h / 2}, {w / 4 + 4, h / 2}},
        {gdSquareBox, {{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}}, {w / 2, h / 2}, {w / 4, h / 2}},
        {gdBigSquareBox, {{0, 0}, {w / 4 - 1, h / 2}, {w / 2, h / 4 - 1}}, {w / 2, h / 2}, {w / 2 - 15, h / 2}},
    };
    for (const DirectionCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.direction));
        Picture picture(w, h);
        GradientFillRect(picture.bitmap.Canvas(), RECT{0, 0, w, h}, c.direction, kStart, kStop, 1);
        for (POINT p : c.startPoints)
            EXPECT_EQ(kStart, picture.At(p.x, p.y)) << p.x << "," << p.y;
        // Within two steps: the last rectangular step shrinks to nothing at the centre.
        EXPECT_TRUE(Near(picture.At(c.stopPoint.x, c.stopPoint.y), kStop, 20))
            << std::hex << picture.At(c.stopPoint.x, c.stopPoint.y);
        EXPECT_TRUE(Between(picture.At(c.middlePoint.x, c.middlePoint.y), kStart, kStop))
            << std::hex << picture.At(c.middlePoint.x, c.middlePoint.y);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_NE(kMarker, picture.At(x, y)) << "unpainted " << x << "," << y;
    }
}

TEST(KvGrafx, StraightAndRectangularFillsAreUniformAndSymmetric)
{
    const int w = kWidth, h = kHeight;
    for (TGradientDirection direction : {gdHorizontalEnd, gdHorizontalCenter}) {
        Picture picture(w, h);
        GradientFillRect(picture.bitmap.Canvas(), RECT{0, 0, w, h}, direction, kStart, kStop, 1);
        for (int y = 0; y < h; ++y)
            for (int x : {1, 8, 9, 63, 64, w - 1})
                ASSERT_EQ(picture.At(0, y), picture.At(x, y)) << direction << " row " << y << " column " << x;
    }
    for (TGradientDirection direction : {gdVerticalEnd, gdVerticalCenter}) {
        Picture picture(w, h);
        GradientFillRect(picture.bitmap.Canvas(), RECT{0, 0, w, h}, direction, kStart, kStop, 1);
        for (int x = 0; x < w; ++x)
            for (int y : {1, 8, 9, 31, 32, h - 1})
                ASSERT_EQ(picture.At(x, 0), picture.At(x, y)) << direction << " column " << x << " row " << y;
    }
    for (TGradientDirection direction : {gdHorizontalBox, gdVerticalBox, gdSquareBox, gdBigSquareBox}) {
        for (int width : {w, w + 1}) {
            Picture picture(width, h + 1);
            GradientFillRect(picture.bitmap.Canvas(), RECT{0, 0, width, h + 1}, direction, kStart, kStop, 1);
            for (int y = 0; y <= h; y += 3)
                for (int x = 0; x < width; x += 3) {
                    ASSERT_EQ(picture.At(x, y), picture.At(width - 1 - x, y)) << direction << " " << x << "," << y;
                    ASSERT_EQ(picture.At(x, y), picture.At(x, h - y)) << direction << " " << x << "," << y;
                }
        }
    }
    // The diagonal keeps one colour along each line x + y.
    Picture diagonal(w, h);
    GradientFillRect(diagonal.bitmap.Canvas(), RECT{0, 0, w, h}, gdDiagonalUp, kStart, kStop, 1);
    for (int d = 0; d < w + h - 1; d += 7) {
        TColor first = 0;
        bool seen = false;
        for (int x = std::max(0, d - h + 1); x <= std::min(d, w - 1); ++x) {
            TColor c = diagonal.At(x, d - x);
            if (!seen) {
                first = c;
                seen = true;
            }
            ASSERT_TRUE(Near(first, c, 4)) << "diagonal " << d << " at x " << x;
        }
    }
}

TEST(KvGrafx, EqualColoursGiveOneSolidFillInEveryDirection)
{
    for (int direction = 0; direction < 10; ++direction) {
        Picture picture(40, 30);
        GradientFillRect(picture.bitmap.Canvas(), RECT{5, 5, 35, 25}, static_cast<TGradientDirection>(direction),
                         clBtnFace, ColorToRGB(clBtnFace), 4);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x) {
                bool inside = x >= 5 && x < 35 && y >= 5 && y < 25;
                ASSERT_EQ(inside ? ColorToRGB(clBtnFace) : kMarker, picture.At(x, y))
                    << direction << " " << x << "," << y;
            }
    }
}

TEST(KvGrafx, RectangleGivenRightToLeftIsFilledWithItsAbsoluteWidth)
{
    Picture picture(80, 40);
    GradientFillRect(picture.bitmap.Canvas(), RECT{60, 10, 20, 30}, gdVerticalEnd, kStart, kStop, 1);
    EXPECT_EQ(kMarker, picture.At(19, 20));
    EXPECT_EQ(kStart, picture.At(20, 20));
    EXPECT_TRUE(Near(picture.At(59, 20), kStop, 8));
    EXPECT_EQ(kMarker, picture.At(60, 20));
    EXPECT_EQ(kMarker, picture.At(40, 9));
    EXPECT_EQ(kMarker, picture.At(40, 30));

    // Nothing at all for an empty rectangle.
    GradientFillRect(picture.bitmap.Canvas(), RECT{0, 0, 0, 40}, gdVerticalEnd, kStart, kStop, 1);
    GradientFillRect(picture.bitmap.Canvas(), RECT{0, 5, 80, 5}, gdVerticalEnd, kStart, kStop, 1);
    EXPECT_EQ(kMarker, picture.At(0, 0));
    EXPECT_EQ(kMarker, picture.At(79, 5));
}

TEST(KvGrafx, SmallRectangularFillsAreTheStopColour)
{
    for (SIZE size : {SIZE{4, 20}, SIZE{20, 4}}) {
        Picture picture(size.cx, size.cy);
        GradientFillRect(picture.bitmap.Canvas(), RECT{0, 0, size.cx, size.cy}, gdSquareBox, kStart, kStop, 1);
        EXPECT_EQ(kStop, picture.At(0, 0));
        EXPECT_EQ(kStop, picture.At(size.cx - 1, size.cy - 1));
    }
}

TEST(KvGrafx, SmoothnessSetsTheShortestBand)
{
    // 40 rows from black to blue: 255/40 per row, so every row has a colour of its own.
    const int rows = 40;
    struct Case {
        BYTE smoothness;
        int shortestBand;
    } cases[] = {{1, 1}, {0, 1}, {4, 4}, {8, 8}, {255, 2}, {64, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.smoothness));
        Picture picture(10, rows);
        GradientFillRect(picture.bitmap.Canvas(), RECT{0, 0, 10, rows}, gdHorizontalEnd, clBlack, clBlue,
                         c.smoothness);
        const int step = (255 << 16) / rows;
        std::vector<int> bands;
        int length = 1;
        for (int y = 1; y < rows; ++y) {
            if (picture.At(0, y) == picture.At(0, y - 1)) {
                ++length;
                continue;
            }
            bands.push_back(length);
            length = 1;
            // A band starts with the colour of its first line.
            ASSERT_EQ(RGB(0, 0, (y * step) >> 16), picture.At(0, y)) << "row " << y;
        }
        for (int band : bands) // the last band may be cut short by the edge
            EXPECT_GE(band, c.shortestBand);
        if (c.shortestBand == 1) {
            EXPECT_EQ(static_cast<size_t>(rows - 1), bands.size());
        }
    }

    // 30 rows from black to RGB(0, 0, 10): each colour lasts about three rows
    // (0 four rows, 1 to 8 three, 9 two). A band goes on only while the rows
    // keep its own colour, so a band of at least four rows must not carry on
    // through the next colour just because that colour repeats.
    struct Band {
        int blue, rows;
        bool operator==(const Band& other) const { return blue == other.blue && rows == other.rows; }
    };
    const struct {
        BYTE smoothness;
        std::vector<Band> bands;
    } repeating[] = {
        {4, {{0, 4}, {1, 4}, {2, 4}, {3, 4}, {5, 4}, {6, 4}, {7, 4}, {9, 2}}},
        {1, {{0, 4}, {1, 3}, {2, 3}, {3, 3}, {4, 3}, {5, 3}, {6, 3}, {7, 3}, {8, 3}, {9, 2}}},
    };
    for (const auto& c : repeating) {
        SCOPED_TRACE(static_cast<int>(c.smoothness));
        const int height = 30;
        Picture picture(4, height);
        GradientFillRect(picture.bitmap.Canvas(), RECT{0, 0, 4, height}, gdHorizontalEnd, clBlack, RGB(0, 0, 10),
                         c.smoothness);
        std::vector<Band> bands;
        for (int y = 0; y < height; ++y) {
            const TColor color = picture.At(0, y);
            ASSERT_EQ(0u, color & 0x00FFFF) << "row " << y;
            if (bands.empty() || bands.back().blue != GetBValue(color))
                bands.push_back({GetBValue(color), 0});
            ++bands.back().rows;
        }
        std::string seen;
        for (const Band& band : bands)
            seen += std::to_string(band.blue) + "x" + std::to_string(band.rows) + " ";
        EXPECT_TRUE(bands == c.bands) << seen;
    }
}

TEST(KvGrafx, TransparentBlitLeavesKeyColouredPixelsUntouched)
{
    TBitmap source(4, 4);
    TCanvas* sc = source.Canvas();
    sc->Brush()->SetColor(clFuchsia);
    sc->FillRect(RECT{0, 0, 4, 4});
    sc->SetPixel(1, 1, clRed);
    sc->SetPixel(2, 3, clBlue);

    Picture target(20, 20);
    target.bitmap.Canvas()->Brush()->SetColor(clGreen);
    target.bitmap.Canvas()->FillRect(RECT{0, 0, 20, 20});
    // Stretched twice as large to (4, 4).
    BlitTransparent(target.bitmap.Canvas(), RECT{4, 4, 12, 12}, &source, RECT{0, 0, 4, 4}, clFuchsia);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            TColor expected = clGreen;
            if (x >= 4 && x < 12 && y >= 4 && y < 12) {
                int sx = (x - 4) / 2, sy = (y - 4) / 2;
                if (sx == 1 && sy == 1)
                    expected = clRed;
                if (sx == 2 && sy == 3)
                    expected = clBlue;
            }
            ASSERT_EQ(expected, target.At(x, y)) << x << "," << y;
        }

    // The key may be a system colour: it is resolved first.
    sc->Brush()->SetColor(clBtnFace);
    sc->FillRect(RECT{0, 0, 4, 4});
    BlitTransparent(target.bitmap.Canvas(), RECT{0, 0, 4, 4}, &source, RECT{0, 0, 4, 4}, clBtnFace);
    EXPECT_EQ(clGreen, target.At(0, 0));
}

TEST(KvGrafx, TileCoversTheRectangleAndClipsTheLastCopies)
{
    TBitmap tile(3, 2);
    const TColor colours[2][3] = {{clRed, clLime, clBlue}, {clYellow, clAqua, clFuchsia}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            tile.Canvas()->SetPixel(x, y, colours[y][x]);
    Picture target(12, 9);
    TileBitmap(target.bitmap.Canvas(), &tile, RECT{1, 1, 9, 6});
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 12; ++x) {
            bool inside = x >= 1 && x < 9 && y >= 1 && y < 6;
            TColor expected = inside ? colours[(y - 1) % 2][(x - 1) % 3] : kMarker;
            ASSERT_EQ(expected, target.At(x, y)) << x << "," << y;
        }
}

namespace {
// A parent that paints its left half red and its right half blue.
class SplitPanel : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(clRed);
        Canvas()->FillRect(RECT{0, 0, Width() / 2, Height()});
        Canvas()->Brush()->SetColor(clBlue);
        Canvas()->FillRect(RECT{Width() / 2, 0, Width(), Height()});
    }
};
} // namespace

TEST(KvGrafx, ParentBehindAControlIsPaintedAtTheControlsPlace)
{
    SplitPanel parent(nullptr);
    parent.SetBounds(0, 0, 100, 50);
    TCustomControl* child = new TCustomControl(&parent);
    child->SetBounds(40, 10, 20, 10);
    child->SetParent(&parent);

    Picture picture(20, 10);
    PaintParentBehind(child, picture.bitmap.Canvas(), false);
    EXPECT_EQ(clRed, picture.At(0, 0));   // parent's (40, 10)
    EXPECT_EQ(clRed, picture.At(9, 9));   // parent's (49, 19)
    EXPECT_EQ(clBlue, picture.At(10, 0)); // parent's (50, 10)
    EXPECT_EQ(clBlue, picture.At(19, 9));

    // The context comes back as it was: drawing at (0, 0) lands at (0, 0).
    picture.bitmap.Canvas()->SetPixel(0, 0, clLime);
    EXPECT_EQ(clLime, picture.At(0, 0));

    // Without a parent nothing is painted.
    TCustomControl orphan(nullptr);
    orphan.SetBounds(0, 0, 20, 10);
    Picture untouched(20, 10);
    PaintParentBehind(&orphan, untouched.bitmap.Canvas(), true);
    EXPECT_EQ(kMarker, untouched.At(5, 5));
}
