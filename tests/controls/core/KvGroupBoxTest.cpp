// Group boxes on a form of the test display, painted into bitmaps through their
// own paint messages.
#include "ControlSnapshot.h"
#include "KvGroupBox.h"
#include "KvThemeSrv.h"
#include "TApplication.h"
#include "TForm.h"

#include <gtest/gtest.h>

using namespace KvCommon;

namespace {

const TColor kFace = RGB(220, 220, 180);

class GroupBoxForm : public testing::Test {
protected:
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetBorderStyle(TFormBorderStyle::bsNone);
        form->SetBounds(kQuietLeft, kQuietTop, 400, 300);
        form->SetColor(RGB(0, 128, 128));
        box = Make(10, 10);
        ShowInactive(form);
    }
    void TearDown() override
    {
        delete form;
        KvThemeSrv::SetCommonControlsVersionOverride(0);
        KvThemeSrv::SharedThemeServices()->RefreshThemeState();
    }
    TKvGroupBox* Make(int left, int top)
    {
        auto* made = new TKvGroupBox(form);
        made->SetParent(form);
        made->SetBounds(left, top, 160, 100);
        made->SetVisualStyle(vsClassic);
        made->SetColor(kFace);
        return made;
    }
    int HalfHeight()
    {
        ControlSnapshot probe(box);
        TCanvas* canvas = probe.Bitmap().Canvas();
        canvas->SetFont(box->Font());
        return canvas->TextHeight("Pp") / 2 - 1;
    }

    TForm* form = nullptr;
    TKvGroupBox* box = nullptr;
};

} // namespace

TEST_F(GroupBoxForm, TheCustomStylePaintsExactlyLikeAPanel)
{
    auto* panel = new TKvPanel(form);
    panel->SetParent(form);
    panel->SetBounds(200, 10, 160, 100);
    for (TKvCustomPanel* p : {static_cast<TKvCustomPanel*>(panel), static_cast<TKvCustomPanel*>(box)}) {
        p->SetVisualStyle(vsGradient);
        p->SetColor(kFace);
        p->SetBorderOuter(fsRaised);
        p->SetBorderInner(fsLowered);
        p->SetBorderWidth(3);
        p->SetBorderColor(RGB(0, 0, 160));
        p->SetShowGrid(true);
        p->SetCaption("Group");
        p->SetAlignment(TAlignment::taCenter);
        p->SetAlignmentVertical(TAlignmentVertical::avCenter);
    }
    box->SetGroupStyle(gsCustom);
    ControlSnapshot expected(panel), actual(box);
    int differing = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 160; ++x)
            if (expected.At(x, y) != actual.At(x, y))
                ++differing;
    EXPECT_EQ(0, differing);
    EXPECT_EQ(RGB(0, 0, 160), actual.At(2, 50)) << "the border band is there";
}

TEST_F(GroupBoxForm, StandardStyleWithoutACaptionDrawsTheWholeFrameFromHalfTheTextHeight)
{
    box->SetGroupStyle(gsStandard);
    const int hh = HalfHeight();
    const TColor shadow = ColorToRGB(clBtnShadow);
    {
        ControlSnapshot shot(box);
        for (int x = 0; x < 159; ++x)
            ASSERT_EQ(shadow, shot.At(x, hh)) << x;
        EXPECT_EQ(kFace, shot.At(80, hh - 1));
        EXPECT_EQ(shadow, shot.At(0, 60));
        EXPECT_EQ(ColorToRGB(clBtnHighlight), shot.At(80, 99));
    }
    box->SetCaption("Caption");
    ControlSnapshot withCaption(box);
    EXPECT_EQ(shadow, withCaption.At(4, hh));
    EXPECT_NE(shadow, withCaption.At(12, hh)) << "the caption breaks the top line";
}

struct StyleCase {
    TKvGroupBoxStyle style;
    TFrameStyleEx outer;
    POINT onLine;     // a pixel of the style's line, relative to (0, hh)
    POINT offLine;    // a pixel the style leaves in the face colour
};

TEST_F(GroupBoxForm, EachStyleDrawsItsOwnLines)
{
    box->SetFlatColor(RGB(0, 0, 200));
    box->SetFlatColorAdjustment(0);
    const int hh = HalfHeight();
    const StyleCase cases[] = {
        {gsStandard, fsFlat, {0, 50}, {1, 50}},
        {gsTopLine, fsFlat, {2, 0}, {0, 50}},
        {gsTopLine, fsFlatBold, {2, 1}, {159, 50}},
        {gsFlat, fsNone, {1, 1}, {0, 0}},
        {gsFlat, fsNone, {0, 50}, {1, 50}},
    };
    for (const StyleCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.style));
        box->SetGroupStyle(c.style);
        box->SetBorderOuter(c.outer);
        ControlSnapshot shot(box);
        EXPECT_EQ(RGB(0, 0, 200), shot.At(c.onLine.x, hh + c.onLine.y));
        EXPECT_EQ(kFace, shot.At(c.offLine.x, hh + c.offLine.y));
    }
}

TEST_F(GroupBoxForm, BannerAndUnderlineRunUnderTheCaption)
{
    box->SetCaption("Banner");
    box->SetGroupStyle(gsBanner);
    box->SetGradientColorStyle(gcsCustom);
    box->SetGradientColorStart(RGB(255, 0, 0));
    box->SetGradientColorStop(RGB(0, 0, 255));
    box->SetFlatColor(RGB(0, 160, 0));
    box->SetFlatColorAdjustment(0);
    ControlSnapshot banner(box);
    EXPECT_EQ(RGB(0, 160, 0), banner.At(0, 5)) << "outline";
    EXPECT_EQ(kFace, banner.At(0, 0)) << "its corner is left out";
    EXPECT_EQ(RGB(255, 0, 0), banner.At(150, 1)) << "the gradient starts at the top";

    box->SetGroupStyle(gsUnderline);
    ControlSnapshot underline(box);
    int lineRow = -1;
    for (int y = 0; y < 40 && lineRow < 0; ++y)
        if (underline.At(150, y) == RGB(0, 160, 0))
            lineRow = y;
    EXPECT_GT(lineRow, 8);
    EXPECT_EQ(RGB(0, 160, 0), underline.At(0, lineRow));
}

TEST_F(GroupBoxForm, ChildrenStartBelowTheCaption)
{
    auto* child = new TKvPanel(form);
    child->SetParent(box);
    child->SetAlign(TAlign::alClient);
    box->SetGroupStyle(gsCustom);
    EXPECT_EQ(2, child->Top()) << "no caption: only the inset";
    box->SetGroupStyle(gsTopLine);
    const int textHeight = child->Top();
    EXPECT_GT(textHeight, 8);
    box->SetGroupStyle(gsBanner);
    EXPECT_EQ(textHeight + 8, child->Top());
    box->SetGroupStyle(gsUnderline);
    EXPECT_EQ(textHeight + 4, child->Top());
}

TEST_F(GroupBoxForm, ThemedStandardBoxPaintsTheThemesFrame)
{
    KvThemeSrv::SetCommonControlsVersionOverride(0x00060000);
    KvThemeSrv::SharedThemeServices()->RefreshThemeState();
    if (!KvThemeSrv::SharedThemeServices()->PaintsThemed())
        GTEST_SKIP() << "no theme on this display";
    box->SetVisualStyle(vsWinXP);
    box->SetGroupStyle(gsStandard);
    box->SetCaption("Themed");
    ControlSnapshot themed(box);
    box->SetVisualStyle(vsClassic);
    ControlSnapshot classic(box);
    const int hh = HalfHeight();
    EXPECT_NE(ColorToRGB(kFace), themed.At(80, hh + 20)) << "the parent shows through, not the face";
    int differing = 0;
    for (int x = 0; x < 160; ++x)
        if (themed.At(x, hh) != classic.At(x, hh) || themed.At(x, 99) != classic.At(x, 99))
            ++differing;
    EXPECT_GT(differing, 0);
}
