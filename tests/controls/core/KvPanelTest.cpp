// Panels on a form of the test display: the room their frames take from aligned
// children, disabling and enabling children, and the pixels they paint (drawn
// through their own paint messages into a bitmap, so other windows cannot cover them).
#include "KvPanel.h"
#include "ControlSnapshot.h"
#include "OwnedGdi.h"
#include "TApplication.h"
#include "TForm.h"

#include <gtest/gtest.h>

using namespace KvCommon;

namespace {

class PanelForm : public testing::Test {
protected:
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetBorderStyle(TFormBorderStyle::bsNone);
        form->SetBounds(kQuietLeft, kQuietTop, 300, 200);
        form->SetColor(RGB(0, 128, 128));
        panel = new TKvPanel(form);
        panel->SetParent(form);
        panel->SetBounds(10, 10, 100, 80);
        panel->SetVisualStyle(vsClassic);
        panel->SetColor(RGB(200, 200, 100));
        child = new TKvPanel(form);
        child->SetParent(panel);
        child->SetAlign(TAlign::alClient);
        ShowInactive(form);
    }
    void TearDown() override { delete form; }

    TForm* form = nullptr;
    TKvPanel* panel = nullptr;
    TKvPanel* child = nullptr;
};

} // namespace

struct BorderCase {
    TFrameStyleEx outer, inner;
    TKvSides sides;
    int bevelWidth, borderWidth;
    RECT childBounds; // in the panel's 100 x 80 client area
};

TEST_F(PanelForm, FramesTakeTheirWidthFromAlignedChildrenOnTheChosenSides)
{
    const BorderCase cases[] = {
        {fsRaised, fsNone, sdAllSides, 1, 0, {2, 2, 98, 78}},
        {fsFlat, fsNone, sdAllSides, 1, 0, {1, 1, 99, 79}},
        {fsNone, fsNone, sdAllSides, 1, 0, {0, 0, 100, 80}},
        {fsRaised, fsNone, sdLeft | sdBottom, 1, 0, {2, 0, 100, 78}},
        {fsStatus, fsFlat, sdAllSides, 3, 0, {4, 4, 96, 76}},
        {fsPopup, fsGroove, sdTop, 2, 0, {0, 4, 100, 80}},
        {fsFlatRounded, fsLowered, sdAllSides, 1, 5, {9, 9, 91, 71}},
    };
    for (const BorderCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.outer));
        panel->SetBevelWidth(c.bevelWidth);
        panel->SetBorderWidth(c.borderWidth);
        panel->SetBorderSides(c.sides);
        panel->SetBorderInner(c.inner);
        panel->SetBorderOuter(c.outer);
        RECT bounds = child->BoundsRect();
        EXPECT_TRUE(EqualRect(&bounds, &c.childBounds))
            << bounds.left << "," << bounds.top << "," << bounds.right << "," << bounds.bottom;
    }
}

TEST_F(PanelForm, TheFrameIsPaintedWhereTheChildrenStop)
{
    child->SetVisible(false);
    panel->SetBorderOuter(fsFlat);
    panel->SetFlatColor(RGB(0, 0, 200));
    panel->SetFlatColorAdjustment(0);
    ControlSnapshot shot(panel);
    EXPECT_EQ(RGB(0, 0, 200), shot.At(0, 40));
    EXPECT_EQ(RGB(0, 0, 200), shot.At(99, 40));
    EXPECT_EQ(RGB(200, 200, 100), shot.At(1, 40));

    panel->SetBorderOuter(fsRaised);
    panel->SetBorderSides(sdRight);
    ControlSnapshot raised(panel);
    EXPECT_EQ(RGB(200, 200, 100), raised.At(0, 40)) << "a side left out is not drawn";
    EXPECT_EQ(ColorToRGB(cl3DDkShadow), raised.At(99, 40));
    EXPECT_EQ(ColorToRGB(clBtnShadow), raised.At(98, 40));
}

TEST_F(PanelForm, EnablingAgainKeepsAChildThatWasDisabledBefore)
{
    auto* other = new TKvPanel(form);
    other->SetParent(panel);
    other->SetEnabled(false);
    panel->SetEnabled(false);
    EXPECT_FALSE(child->Enabled());
    EXPECT_FALSE(other->Enabled());
    EXPECT_FALSE(IsWindowEnabled(child->Handle()));
    panel->SetEnabled(true);
    EXPECT_TRUE(child->Enabled());
    EXPECT_TRUE(IsWindowEnabled(child->Handle()));
    EXPECT_FALSE(other->Enabled());
    // A child added while the panel was disabled has no record and is enabled again.
    panel->SetEnabled(false);
    auto* late = new TKvPanel(form);
    late->SetParent(panel);
    late->SetEnabled(false);
    panel->SetEnabled(true);
    EXPECT_TRUE(late->Enabled());
    EXPECT_FALSE(other->Enabled());
}

TEST_F(PanelForm, TheGridDrawsDotsAndLinesAndNothingAcrossForASizeOfZero)
{
    child->SetVisible(false);
    panel->SetBorderOuter(fsNone);
    panel->SetGridColor(RGB(255, 0, 0));
    panel->SetShowGrid(true);
    const TColor face = RGB(200, 200, 100), red = RGB(255, 0, 0);
    {
        ControlSnapshot dots(panel);
        EXPECT_EQ(red, dots.At(7, 7));
        EXPECT_EQ(red, dots.At(15, 23));
        EXPECT_EQ(face, dots.At(8, 7));
        EXPECT_EQ(face, dots.At(7, 10));
    }
    panel->SetGridStyle(2);
    {
        ControlSnapshot lines(panel);
        EXPECT_EQ(red, lines.At(7, 3));
        EXPECT_EQ(red, lines.At(3, 7));
    }
    panel->SetGridStyle(1);
    {
        ControlSnapshot dotted(panel);
        EXPECT_EQ(red, dotted.At(7, 1));
        EXPECT_EQ(face, dotted.At(7, 2));
        EXPECT_EQ(red, dotted.At(3, 7));
    }
    panel->SetGridXSize(0);
    for (int style : {0, 1, 2}) {
        SCOPED_TRACE(style);
        panel->SetGridStyle(style);
        ControlSnapshot none(panel);
        EXPECT_EQ(face, none.At(7, 3));
        EXPECT_EQ(face, none.At(7, 7 + 1)) << "no vertical line";
        EXPECT_EQ(style == 0 ? face : red, none.At(5, 7)) << "horizontal lines stay, dots go";
    }
}

TEST_F(PanelForm, GradientStyleFillsWithTheGradientAndTakesTheSystemFlatColour)
{
    child->SetVisible(false);
    panel->SetBorderOuter(fsFlat);
    panel->SetFlatColor(RGB(0, 0, 200));
    panel->SetVisualStyle(vsGradient);
    TColor flat = 0;
    int adjustment = -1;
    panel->GetFlatColor(flat, adjustment);
    EXPECT_EQ(LightenColor(clBtnShadow, 30), flat);
    EXPECT_EQ(0, adjustment);
    ControlSnapshot shot(panel);
    EXPECT_EQ(ColorToRGB(LightenColor(clBtnShadow, 30)), shot.At(0, 40));
    // The system gradient runs from the window colour at the top down.
    EXPECT_EQ(ColorToRGB(clWindow), shot.At(50, 1));
    EXPECT_NE(shot.At(50, 1), shot.At(50, 78));

    panel->SetGradientColorStyle(gcsCustom);
    panel->SetGradientColorStart(RGB(255, 0, 0));
    panel->SetGradientColorStop(RGB(0, 0, 255));
    panel->GetFlatColor(flat, adjustment);
    EXPECT_EQ(RGB(0, 0, 200), flat);
    ControlSnapshot custom(panel);
    EXPECT_EQ(RGB(255, 0, 0), custom.At(50, 1));
}

TEST_F(PanelForm, ATransparentPanelShowsItsParentThrough)
{
    child->SetVisible(false);
    panel->SetBorderOuter(fsNone);
    panel->SetTransparent(true);
    EXPECT_FALSE(panel->ControlStyle().Contains(csOpaque));
    ControlSnapshot shot(panel);
    EXPECT_EQ(RGB(0, 128, 128), shot.At(50, 40));
    panel->SetTransparent(false);
    EXPECT_TRUE(panel->ControlStyle().Contains(csOpaque));
}

struct CaptionCase {
    TAlignmentVertical vertical;
    bool inkTop, inkBottom;
};

TEST_F(PanelForm, TheCaptionSitsAtTheTopCentreOrBottom)
{
    child->SetVisible(false);
    panel->SetBorderOuter(fsNone);
    panel->SetCaption("MMMM");
    panel->Font()->SetColor(RGB(0, 0, 0));
    const CaptionCase cases[] = {{TAlignmentVertical::avTop, true, false},
                                 {TAlignmentVertical::avBottom, false, true},
                                 {TAlignmentVertical::avCenter, false, false}};
    for (const CaptionCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.vertical));
        panel->SetAlignmentVertical(c.vertical);
        ControlSnapshot shot(panel);
        EXPECT_EQ(c.inkTop, shot.HasColorIn(RECT{0, 0, 100, 20}, RGB(0, 0, 0)));
        EXPECT_EQ(c.inkBottom, shot.HasColorIn(RECT{0, 60, 100, 80}, RGB(0, 0, 0)));
        EXPECT_TRUE(shot.HasColorIn(RECT{0, 0, 100, 80}, RGB(0, 0, 0)));
    }
}

// The parts of the panel's window waiting to be painted after a resize.
struct PendingPaint {
    explicit PendingPaint(HWND window) : region(CreateRectRgn(0, 0, 0, 0)) { GetUpdateRgn(window, region, FALSE); }
    bool Contains(int x, int y) const { return PtInRegion(region, x, y) != FALSE; }
    TOwnedRegion region;
};

TEST_F(PanelForm, ResizingRepaintsOnlyTheMovedEdgesUnlessAskedForAll)
{
    child->SetVisible(false);
    HWND window = panel->Handle();
    ValidateRect(window, nullptr);
    panel->SetWidth(120);
    {
        PendingPaint pending(window);
        EXPECT_TRUE(pending.Contains(98, 40)) << "where the right frame was";
        EXPECT_TRUE(pending.Contains(118, 40)) << "where it is now";
        EXPECT_FALSE(pending.Contains(50, 40));
    }
    ValidateRect(window, nullptr);
    panel->SetHeight(60);
    {
        PendingPaint pending(window);
        EXPECT_TRUE(pending.Contains(50, 58));
        EXPECT_FALSE(pending.Contains(50, 20));
    }
    ValidateRect(window, nullptr);
    panel->SetFullRepaint(true);
    panel->SetWidth(100);
    EXPECT_TRUE(PendingPaint(window).Contains(50, 20));
}

TEST(KvPanel, OldFormsSwitchGradientsOnAndTheirDroppedPropertiesChangeNothing)
{
    TKvPanel panel(nullptr);
    panel.SetUseGradients(false);
    EXPECT_EQ(vsWinXP, panel.VisualStyle());
    panel.SetFrameSides(sdLeft);
    panel.SetThemeAware(false);
    EXPECT_EQ(sdAllSides, panel.BorderSides());
    panel.SetUseGradients(true);
    EXPECT_EQ(vsGradient, panel.VisualStyle());
}

TEST(KvPanel, APanelOnTheBottomOrRightKeepsThatEdgeWhenResized)
{
    TKvPanel bottom(nullptr);
    bottom.SetBounds(0, 100, 50, 40);
    bottom.SetAlign(TAlign::alBottom);
    bottom.SetHeight(30);
    EXPECT_EQ(110, bottom.Top());
    TKvPanel right(nullptr);
    right.SetBounds(100, 0, 50, 40);
    right.SetAlign(TAlign::alRight);
    right.SetWidth(20);
    EXPECT_EQ(130, right.Left());
}
