// The frame controller pushing its settings to the panels that joined it, and the
// links between them going with either side.
#include "KvFrameController.h"
#include "KvGroupBox.h"
#include "KvPanel.h"

#include <gtest/gtest.h>

using namespace KvCommon;

namespace {

struct Joined : testing::Test {
    Joined()
    {
        controller->SetFrameStyle(fsFlatBold);
        controller->SetFrameSides(sdTop | sdLeft);
        controller->SetFrameColor(RGB(200, 0, 0));
        controller->SetColor(RGB(0, 100, 0));
    }
    ~Joined() override
    {
        delete panel;
        delete controller;
    }
    TKvFrameController* controller = new TKvFrameController(nullptr);
    TKvPanel* panel = new TKvPanel(nullptr);
};

} // namespace

TEST_F(Joined, APanelTakesTheSettingsWhenItJoinsAndAsTheyChange)
{
    panel->SetFrameController(controller);
    EXPECT_EQ(1, controller->SinkCount());
    EXPECT_EQ(fsFlatBold, panel->BorderOuter());
    EXPECT_EQ(sdTop | sdLeft, panel->BorderSides());
    EXPECT_EQ(RGB(200, 0, 0), panel->FlatColor());
    EXPECT_EQ(0, panel->FlatColorAdjustment());
    EXPECT_EQ(RGB(0, 100, 0), panel->Color());
    EXPECT_EQ(LightenColor(RGB(0, 100, 0), 100), panel->BorderHighlight());
    EXPECT_EQ(DarkenColor(RGB(0, 100, 0), 50), panel->BorderShadow());

    controller->SetFrameStyle(fsGroove);
    EXPECT_EQ(fsGroove, panel->BorderOuter());
}

TEST_F(Joined, OnlyTheChosenKindsAreTakenAndNothingWhileTheFrameIsHidden)
{
    panel->SetFrameControllerNotifications(fcnFrameStyle);
    panel->SetFrameController(controller);
    EXPECT_EQ(fsFlatBold, panel->BorderOuter());
    EXPECT_EQ(sdAllSides, panel->BorderSides());
    EXPECT_EQ(clBtnShadow, panel->FlatColor());

    controller->SetFrameVisible(false);
    controller->SetFrameStyle(fsBump);
    EXPECT_EQ(fsFlatBold, panel->BorderOuter());
}

TEST_F(Joined, LinksGoWithEitherSide)
{
    panel->SetFrameController(controller);
    delete panel;
    panel = nullptr;
    EXPECT_EQ(0, controller->SinkCount());

    panel = new TKvPanel(nullptr);
    panel->SetFrameController(controller);
    delete controller;
    controller = nullptr;
    EXPECT_EQ(nullptr, panel->FrameController());
}

TEST_F(Joined, AGroupBoxWearsTheFrameOnlyWhenDrawnAsAPanel)
{
    TKvGroupBox box(nullptr);
    box.SetFrameController(controller);
    EXPECT_EQ(fsNone, box.BorderOuter());
    box.SetGroupStyle(gsCustom);
    controller->SetFrameStyle(fsRaised);
    EXPECT_EQ(fsRaised, box.BorderOuter());
    box.SetFrameController(nullptr);
    EXPECT_EQ(0, controller->SinkCount());
}
