// The frame painters, read back from the pixels of real bitmaps.
#include "KvCommon.h"
#include "TBitmap.h"

#include <gtest/gtest.h>

using namespace KvCommon;

namespace {

const TColor kMarker = RGB(1, 2, 3);
const int kSize = 20;

struct Picture {
    Picture() : bitmap(kSize, kSize)
    {
        bitmap.Canvas()->Brush()->SetColor(kMarker);
        bitmap.Canvas()->FillRect(RECT{0, 0, kSize, kSize});
    }
    TCanvas* Canvas() { return bitmap.Canvas(); }
    TColor At(int x, int y) { return bitmap.Canvas()->Pixel(x, y); }
    TBitmap bitmap;
};

TColor Sys(TColor color) { return ColorToRGB(color); }

} // namespace

// The two lines of each side, from the outside in, on the left and the right of
// the middle row; the right and bottom sides share colours, as do the left and top.
struct StyleCase {
    TFrameStyleEx style;
    int width;
    TColor leftOuter, leftInner, rightOuter, rightInner;
};

TEST(KvCommonFrames, EachStyleDrawsItsLinesAndReturnsTheInside)
{
    const TColor none = kMarker;
    const StyleCase cases[] = {
        {fsNone, 0, none, none, none, none},
        {fsFlat, 1, Sys(clBtnShadow), none, Sys(clBtnShadow), none},
        {fsGroove, 2, Sys(clBtnShadow), Sys(clBtnHighlight), Sys(clBtnHighlight), Sys(clBtnShadow)},
        {fsBump, 2, Sys(clBtnHighlight), Sys(clBtnShadow), Sys(clBtnShadow), Sys(clBtnHighlight)},
        {fsLowered, 2, Sys(clBtnShadow), Sys(cl3DDkShadow), Sys(clBtnHighlight), Sys(cl3DLight)},
        {fsButtonDown, 2, Sys(cl3DDkShadow), Sys(clBtnShadow), Sys(clBtnHighlight), Sys(cl3DLight)},
        {fsRaised, 2, Sys(cl3DLight), Sys(clBtnHighlight), Sys(cl3DDkShadow), Sys(clBtnShadow)},
        {fsButtonUp, 2, Sys(clBtnHighlight), Sys(cl3DLight), Sys(cl3DDkShadow), Sys(clBtnShadow)},
        {fsStatus, 1, Sys(clBtnShadow), none, Sys(clBtnHighlight), none},
        {fsPopup, 1, Sys(clBtnHighlight), none, Sys(clBtnShadow), none},
        {fsFlatBold, 2, Sys(clBtnShadow), Sys(clBtnShadow), Sys(clBtnShadow), Sys(clBtnShadow)},
        {fsFlatRounded, 2, Sys(clBtnShadow), none, Sys(clBtnShadow), none},
    };
    for (const StyleCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.style));
        Picture picture;
        RECT inside = DrawFrameStyle(picture.Canvas(), RECT{0, 0, kSize, kSize}, c.style);
        EXPECT_EQ(c.width, inside.left);
        EXPECT_EQ(c.width, inside.top);
        EXPECT_EQ(kSize - c.width, inside.right);
        EXPECT_EQ(kSize - c.width, inside.bottom);
        EXPECT_EQ(c.width, FrameStyleWidth(c.style));
        const int mid = kSize / 2;
        EXPECT_EQ(c.leftOuter, picture.At(0, mid));
        EXPECT_EQ(c.leftInner, picture.At(1, mid));
        EXPECT_EQ(c.rightOuter, picture.At(kSize - 1, mid));
        EXPECT_EQ(c.rightInner, picture.At(kSize - 2, mid));
        EXPECT_EQ(c.leftOuter, picture.At(mid, 0)) << "top as left";
        EXPECT_EQ(c.rightOuter, picture.At(mid, kSize - 1)) << "bottom as right";
        EXPECT_EQ(kMarker, picture.At(inside.left, inside.top)) << "the inside is left alone";
        EXPECT_EQ(kMarker, picture.At(mid, mid));
    }
}

struct SidesCase {
    TKvSides sides;
    RECT inside;
};

TEST(KvCommonFrames, OnlyTheChosenSidesAreDrawnAndTakeRoom)
{
    const SidesCase cases[] = {
        {sdLeft, {2, 0, kSize, kSize}},
        {sdTop | sdRight, {0, 2, kSize - 2, kSize}},
        {sdBottom, {0, 0, kSize, kSize - 2}},
        {0, {0, 0, kSize, kSize}},
    };
    const int mid = kSize / 2;
    for (const SidesCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.sides));
        Picture picture;
        RECT inside = DrawFrameStyle(picture.Canvas(), RECT{0, 0, kSize, kSize}, fsRaised, c.sides);
        EXPECT_TRUE(EqualRect(&inside, &c.inside))
            << inside.left << "," << inside.top << "," << inside.right << "," << inside.bottom;
        EXPECT_EQ((c.sides & sdLeft) ? Sys(cl3DLight) : kMarker, picture.At(0, mid));
        EXPECT_EQ((c.sides & sdTop) ? Sys(cl3DLight) : kMarker, picture.At(mid, 0));
        EXPECT_EQ((c.sides & sdRight) ? Sys(cl3DDkShadow) : kMarker, picture.At(kSize - 1, mid));
        EXPECT_EQ((c.sides & sdBottom) ? Sys(cl3DDkShadow) : kMarker, picture.At(mid, kSize - 1));
    }
}

TEST(KvCommonFrames, StatusAndPopupTakeTheBevelWidth)
{
    EXPECT_EQ(3, FrameStyleWidth(fsStatus, 3));
    EXPECT_EQ(3, FrameStyleWidth(fsPopup, 3));
    EXPECT_EQ(2, FrameStyleWidth(fsRaised, 3));
    Picture picture;
    TKvFrameSettings frame;
    frame.Outer = fsStatus;
    frame.BevelWidth = 3;
    RECT inside = DrawInnerOuterFrame(picture.Canvas(), RECT{0, 0, kSize, kSize}, frame);
    EXPECT_EQ(3, inside.left);
    EXPECT_EQ(kSize - 3, inside.bottom);
    for (int x = 0; x < 3; ++x)
        EXPECT_EQ(Sys(clBtnShadow), picture.At(x, kSize / 2)) << x;
    EXPECT_EQ(kMarker, picture.At(3, kSize / 2));
}

TEST(KvCommonFrames, FlatRoundedCutsItsCorners)
{
    Picture picture;
    DrawFrameStyle(picture.Canvas(), RECT{0, 0, kSize, kSize}, fsFlatRounded);
    const TColor flat = Sys(clBtnShadow);
    EXPECT_EQ(kMarker, picture.At(0, 0));
    EXPECT_EQ(kMarker, picture.At(1, 0));
    EXPECT_EQ(kMarker, picture.At(0, 1));
    EXPECT_EQ(flat, picture.At(1, 1));
    EXPECT_EQ(flat, picture.At(2, 0));
    EXPECT_EQ(flat, picture.At(0, 2));
    EXPECT_EQ(flat, picture.At(kSize - 2, kSize - 2));
    EXPECT_EQ(kMarker, picture.At(kSize - 1, kSize - 1));
}

TEST(KvCommonFrames, ColouredFramesDeriveFromTheFace)
{
    const TColor face = RGB(200, 60, 60);
    Picture picture;
    DrawColoredFrameStyle(picture.Canvas(), RECT{0, 0, kSize, kSize}, fsRaised, face);
    EXPECT_EQ(LightenColor(face, 30), picture.At(0, kSize / 2));
    EXPECT_EQ(LightenColor(face, 100), picture.At(1, kSize / 2));
    EXPECT_EQ(DarkenColor(face, 120), picture.At(kSize - 1, kSize / 2));
    EXPECT_EQ(DarkenColor(face, 60), picture.At(kSize - 2, kSize / 2));
}

TEST(KvCommonFrames, InnerAndOuterFramesEncloseTheBorderBand)
{
    const TColor band = RGB(250, 0, 0);
    TKvFrameSettings frame;
    frame.Outer = fsRaised;
    frame.Inner = fsFlat;
    frame.BorderWidth = 3;
    frame.BorderColor = band;
    frame.FlatColor = RGB(0, 0, 100);
    frame.FlatAdjustment = 0;
    {
        Picture picture;
        RECT inside = DrawInnerOuterFrame(picture.Canvas(), RECT{0, 0, kSize, kSize}, frame);
        EXPECT_EQ(6, inside.left);
        EXPECT_EQ(kSize - 6, inside.right);
        EXPECT_EQ(Sys(cl3DLight), picture.At(0, 10));
        for (int x = 2; x < 5; ++x)
            EXPECT_EQ(band, picture.At(x, 10)) << x;
        EXPECT_EQ(RGB(0, 0, 100), picture.At(5, 10));
        EXPECT_EQ(kMarker, picture.At(6, 10));
    }
    {
        // Transparent: the band keeps what was under it.
        frame.Transparent = true;
        Picture picture;
        DrawInnerOuterFrame(picture.Canvas(), RECT{0, 0, kSize, kSize}, frame);
        EXPECT_EQ(kMarker, picture.At(3, 10));
        EXPECT_EQ(RGB(0, 0, 100), picture.At(5, 10));
    }
}

TEST(KvCommonFrames, OwnColoursAndTheFlatAdjustment)
{
    TKvFrameSettings frame;
    frame.Outer = fsPopup;
    frame.Inner = fsFlat;
    frame.Highlight = RGB(255, 255, 0);
    frame.Shadow = RGB(0, 0, 128);
    frame.FlatColor = RGB(100, 100, 100);
    frame.FlatAdjustment = -30;
    Picture picture;
    DrawInnerOuterFrame(picture.Canvas(), RECT{0, 0, kSize, kSize}, frame);
    EXPECT_EQ(RGB(255, 255, 0), picture.At(0, 10));
    EXPECT_EQ(RGB(0, 0, 128), picture.At(kSize - 1, 10));
    EXPECT_EQ(ShiftColor(RGB(100, 100, 100), -30), picture.At(1, 10));
}

TEST(KvCommonFrames, FlatRoundedFillsItsCornersWithTheParentAndItsRingWithTheFace)
{
    TKvFrameSettings frame;
    frame.Outer = fsFlatRounded;
    frame.ParentColor = RGB(0, 200, 0);
    frame.Color = RGB(0, 0, 200);
    Picture picture;
    RECT inside = DrawInnerOuterFrame(picture.Canvas(), RECT{0, 0, kSize, kSize}, frame);
    EXPECT_EQ(2, inside.left);
    EXPECT_EQ(RGB(0, 200, 0), picture.At(0, 0));
    EXPECT_EQ(RGB(0, 200, 0), picture.At(1, 0));
    EXPECT_EQ(Sys(clBtnShadow), picture.At(1, 1));
    EXPECT_EQ(RGB(0, 0, 200), picture.At(1, 10));
    EXPECT_EQ(kMarker, picture.At(2, 10));
}
