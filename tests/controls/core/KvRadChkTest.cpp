// Radio buttons and check boxes made at run time on a form of the test display:
// the radio group rule by parent, the check box's states, custom glyph strips and
// the glyph each painting road draws (painted into bitmaps through the controls'
// own paint messages).
#include "ControlSnapshot.h"
#include "KvPanel.h"
#include "KvRadChk.h"
#include "KvThemeSrv.h"
#include "TCustomAction.h"
#include "TApplication.h"
#include "TForm.h"

#include <gtest/gtest.h>

#include <vector>

using namespace KvCommon;

namespace {

const TColor kFace = RGB(230, 240, 250);

class GlyphForm : public testing::Test {
protected:
    void SetUp() override
    {
        KvThemeSrv::SetCommonControlsVersionOverride(0);
        KvThemeSrv::SharedThemeServices()->RefreshThemeState();
        form = new TForm(nullptr);
        form->SetBorderStyle(TFormBorderStyle::bsNone);
        form->SetBounds(kQuietLeft, kQuietTop, 400, 300);
        form->SetColor(RGB(0, 128, 128));
        left = MakePanel(0);
        right = MakePanel(200);
        ShowInactive(form);
    }
    void TearDown() override
    {
        delete form;
        KvThemeSrv::SetCommonControlsVersionOverride(0);
        KvThemeSrv::SharedThemeServices()->RefreshThemeState();
    }
    TKvPanel* MakePanel(int x)
    {
        auto* panel = new TKvPanel(form);
        panel->SetParent(form);
        panel->SetBounds(x, 0, 190, 290);
        return panel;
    }
    // As the wizard makes them for its optional actions.
    template <typename T>
    T* Make(TWinControl* parent, int top, const std::string& caption)
    {
        auto* control = new T(form);
        control->SetParent(parent);
        control->SetBounds(10, top, 150, 20);
        control->SetCaption(caption);
        control->SetColor(kFace);
        control->OnClick = TNotifyEvent::FromFunction([this, control](TObject*) { clicks.push_back(control); });
        return control;
    }

    TForm* form = nullptr;
    TKvPanel* left = nullptr;
    TKvPanel* right = nullptr;
    std::vector<TObject*> clicks;
};

} // namespace

TEST_F(GlyphForm, RadioButtonsOfOneParentExcludeEachOtherAndOnlyTheCheckedOneIsATabStop)
{
    auto* a = Make<TKvRadioButton>(left, 10, "A");
    auto* b = Make<TKvRadioButton>(left, 40, "B");
    auto* c = Make<TKvRadioButton>(left, 70, "C");
    auto* other = Make<TKvRadioButton>(right, 10, "Other");
    EXPECT_FALSE(a->TabStop());
    other->SetChecked(true);
    a->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(c->Checked());
    EXPECT_TRUE(other->Checked()) << "another panel is another group";
    EXPECT_FALSE(a->TabStop());
    EXPECT_TRUE(b->TabStop());
    EXPECT_EQ((std::vector<TObject*>{other, a, b}), clicks) << "each check clicks once";
    EXPECT_EQ(BST_CHECKED, b->Perform(BM_GETCHECK));
    EXPECT_EQ(BST_UNCHECKED, a->Perform(BM_GETCHECK));
    b->SetChecked(false);
    EXPECT_FALSE(b->TabStop());
    EXPECT_EQ(3u, clicks.size()) << "unchecking does not click";
}

TEST_F(GlyphForm, ReadOnlyIsSharedByTheRadioGroupYetCodeStillChecks)
{
    auto* a = Make<TKvRadioButton>(left, 10, "A");
    auto* b = Make<TKvRadioButton>(left, 40, "B");
    auto* other = Make<TKvRadioButton>(right, 10, "Other");
    a->SetReadOnly(true);
    EXPECT_TRUE(b->ReadOnly());
    EXPECT_FALSE(other->ReadOnly());
    a->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
}

TEST_F(GlyphForm, CheckBoxStatesAndTheirClicks)
{
    auto* box = Make<TKvCheckBox>(left, 10, "Box");
    EXPECT_TRUE(box->TabStop());
    box->SetState(cbGrayed);
    EXPECT_EQ(2, box->Perform(BM_GETCHECK));
    EXPECT_FALSE(box->Checked());
    box->SetChecked(true);
    EXPECT_EQ(cbChecked, box->State());
    EXPECT_EQ(1, box->Perform(BM_GETCHECK));
    box->SetChecked(true);
    EXPECT_EQ(2u, clicks.size()) << "an unchanged state does not click";
    box->SetReadOnly(true);
    box->SetState(cbUnchecked);
    EXPECT_EQ(3u, clicks.size()) << "read-only stops the user, not the code";
    EXPECT_EQ(0, box->Perform(BM_GETCHECK));
}

TEST_F(GlyphForm, ACustomStripIsCutIntoCellsAndClearingItReturnsToTheLibraryGlyph)
{
    auto* box = Make<TKvCheckBox>(left, 10, "Box");
    auto* radio = Make<TKvRadioButton>(left, 40, "Radio");
    // Nine cells of 6 x 12 would need 54 pixels for nine states: 54 / 9 = 6.
    TBitmap strip(54, 12);
    const TColor cellColors[9] = {RGB(10, 0, 0),  RGB(20, 0, 0),  RGB(30, 0, 0),  RGB(40, 0, 0), RGB(50, 0, 0),
                                  RGB(60, 0, 0),  RGB(70, 0, 0),  RGB(80, 0, 0),  RGB(90, 0, 0)};
    for (int i = 0; i < 9; ++i) {
        strip.Canvas()->Brush()->SetColor(cellColors[i]);
        strip.Canvas()->FillRect(RECT{i * 6, 0, i * 6 + 6, 12});
    }
    // A corner of each cell in the transparent colour, one pixel in the window mask colour.
    for (int i = 0; i < 9; ++i) {
        strip.Canvas()->SetPixel(i * 6, 0, clOlive);
        strip.Canvas()->SetPixel(i * 6 + 5, 11, clLime);
    }
    box->SetCustomGlyphs(&strip);
    EXPECT_TRUE(box->UseCustomGlyphs());
    EXPECT_EQ(6, box->GlyphWidth());
    EXPECT_EQ(12, box->GlyphHeight());

    box->SetState(cbChecked);
    {
        ControlSnapshot shot(box);
        const RECT glyph = box->GlyphRect();
        EXPECT_EQ(RGB(20, 0, 0), shot.At(glyph.left + 2, glyph.top + 5)) << "cell 1: checked";
        EXPECT_EQ(kFace, shot.At(glyph.left, glyph.top)) << "the transparent colour shows the control's colour";
        EXPECT_EQ(ColorToRGB(clWindow), shot.At(glyph.left + 5, glyph.top + 11)) << "the mask colour shows the window";
    }
    box->SetEnabled(false);
    {
        ControlSnapshot shot(box);
        const RECT glyph = box->GlyphRect();
        EXPECT_EQ(RGB(80, 0, 0), shot.At(glyph.left + 2, glyph.top + 5)) << "cell 7: disabled and checked";
    }

    radio->SetCustomGlyphs(&strip);
    EXPECT_EQ(9, radio->GlyphWidth()) << "six radio states share 54 pixels";
    // Over its parent, with or without a theme, the transparent colour shows the parent.
    left->SetColor(RGB(0, 90, 0));
    radio->SetTransparent(true);
    for (DWORD version : {0x00050050u, 0x00060000u}) {
        KvThemeSrv::SetCommonControlsVersionOverride(version);
        KvThemeSrv::SharedThemeServices()->RefreshThemeState();
        ControlSnapshot shot(radio);
        const RECT glyph = radio->GlyphRect();
        EXPECT_EQ(RGB(0, 90, 0), shot.At(glyph.left, glyph.top)) << std::hex << version;
        EXPECT_EQ(RGB(10, 0, 0), shot.At(glyph.left + 2, glyph.top + 5)) << "cell 0: unchecked";
    }

    TBitmap empty;
    box->SetCustomGlyphs(&empty);
    EXPECT_FALSE(box->UseCustomGlyphs());
    EXPECT_EQ(13, box->GlyphWidth());
    EXPECT_EQ(13, box->GlyphHeight());

    // Custom glyphs asked for without a strip: no glyph at all.
    box->SetEnabled(true);
    box->SetCaption("");
    box->SetUseCustomGlyphs(true);
    EXPECT_EQ(0, box->GlyphWidth());
    ControlSnapshot shot(box);
    for (int x = 0; x < 13; ++x)
        for (int y = 2; y < 15; ++y)
            ASSERT_EQ(kFace, shot.At(x, y)) << x << "," << y;
}

struct PlaceCase {
    TAlignment alignment;
    TAlignmentVertical vertical;
    POINT topLeft;
};

TEST_F(GlyphForm, TheGlyphSitsBesideTheCaptionOnTheChosenSide)
{
    auto* box = Make<TKvCheckBox>(left, 10, "Box");
    const PlaceCase cases[] = {
        {TAlignment::taRightJustify, TAlignmentVertical::avTop, {0, 2}},
        {TAlignment::taLeftJustify, TAlignmentVertical::avTop, {150 - 13, 2}},
        {TAlignment::taRightJustify, TAlignmentVertical::avCenter, {0, 3}},
        {TAlignment::taRightJustify, TAlignmentVertical::avBottom, {0, 5}},
    };
    for (const PlaceCase& c : cases) {
        box->SetAlignment(c.alignment);
        box->SetAlignmentVertical(c.vertical);
        const RECT glyph = box->GlyphRect();
        EXPECT_EQ(c.topLeft.x, glyph.left);
        EXPECT_EQ(c.topLeft.y, glyph.top);
        EXPECT_EQ(13, glyph.right - glyph.left);
    }
}

// The glyph area of a snapshot against a reference cell.
int DifferingPixels(ControlSnapshot& shot, const RECT& glyph, TBitmap& reference)
{
    int differing = 0;
    for (int y = 0; y < reference.Height(); ++y)
        for (int x = 0; x < reference.Width(); ++x)
            if (shot.At(glyph.left + x, glyph.top + y) != reference.Canvas()->Pixel(x, y))
                ++differing;
    return differing;
}

TEST_F(GlyphForm, TheSystemFrameControlDrawsTheGlyphByDefault)
{
    auto* radio = Make<TKvRadioButton>(left, 10, "Radio");
    radio->SetChecked(true);
    TBitmap reference(13, 13);
    reference.Canvas()->Brush()->SetColor(kFace);
    reference.Canvas()->FillRect(RECT{0, 0, 13, 13});
    RECT cell = {0, 0, 13, 13};
    DrawFrameControl(reference.Canvas()->Handle(), &cell, DFC_BUTTON,
                     DFCS_BUTTONRADIO | DFCS_CHECKED | DFCS_TRANSPARENT);
    ControlSnapshot shot(radio);
    EXPECT_EQ(0, DifferingPixels(shot, radio->GlyphRect(), reference));

    auto* box = Make<TKvCheckBox>(left, 40, "Box");
    box->SetState(cbGrayed);
    TBitmap boxReference(13, 13);
    DrawFrameControl(boxReference.Canvas()->Handle(), &cell, DFC_BUTTON, DFCS_BUTTON3STATE | DFCS_CHECKED);
    ControlSnapshot boxShot(box);
    EXPECT_EQ(0, DifferingPixels(boxShot, box->GlyphRect(), boxReference));
}

TEST_F(GlyphForm, HotTrackingUsesTheLibrarysOwnGlyphs)
{
    auto* radio = Make<TKvRadioButton>(left, 10, "Radio");
    auto* box = Make<TKvCheckBox>(left, 40, "Box");
    for (TKvCustomGlyphButton* control :
         {static_cast<TKvCustomGlyphButton*>(radio), static_cast<TKvCustomGlyphButton*>(box)}) {
        control->SetHotTrack(true);
        control->SetFrameColor(RGB(0, 0, 160));
        control->SetFillColor(RGB(255, 255, 220));
        control->SetChecked(true);
    }
    ControlSnapshot radioShot(radio), boxShot(box);
    const RECT r = radio->GlyphRect(), b = box->GlyphRect();
    EXPECT_EQ(RGB(0, 0, 160), radioShot.At(r.left, r.top + 6));
    EXPECT_EQ(RGB(255, 255, 220), radioShot.At(r.left + 3, r.top + 6));
    EXPECT_EQ(ColorToRGB(clWindowText), radioShot.At(r.left + 6, r.top + 6));
    EXPECT_EQ(kFace, radioShot.At(r.left, r.top)) << "outside the circle: the control's colour";
    EXPECT_EQ(RGB(0, 0, 160), boxShot.At(b.left, b.top));
    EXPECT_EQ(ColorToRGB(clWindowText), boxShot.At(b.left + 3, b.top + 5));
    EXPECT_EQ(RGB(255, 255, 220), boxShot.At(b.left + 3, b.top + 10));
}

TEST_F(GlyphForm, ATransparentRadioSmoothsItsCircleOverTheParent)
{
    left->SetColor(RGB(200, 100, 0));
    auto* radio = Make<TKvRadioButton>(left, 10, "Radio");
    radio->SetHotTrack(true);
    radio->SetFrameColor(RGB(0, 0, 160));
    radio->SetTransparent(true);
    ControlSnapshot shot(radio);
    const RECT r = radio->GlyphRect();
    EXPECT_EQ(RGB(200, 100, 0), shot.At(r.left, r.top)) << "the parent shows through";
    EXPECT_EQ(MixColors(RGB(0, 0, 160), RGB(200, 100, 0), 128), shot.At(r.left + 4, r.top));
    EXPECT_EQ(MixColors(RGB(0, 0, 160), RGB(200, 100, 0), 40), shot.At(r.left + 3, r.top));
    EXPECT_EQ(RGB(200, 100, 0), shot.At(r.left + 40, r.top + 17)) << "beside the caption too";
}

TEST_F(GlyphForm, ThemedGlyphsComeFromTheButtonClass)
{
    KvThemeSrv::SetCommonControlsVersionOverride(0x00060000);
    KvThemeSrv::SharedThemeServices()->RefreshThemeState();
    if (!KvThemeSrv::SharedThemeServices()->PaintsThemed())
        GTEST_SKIP() << "no theme on this display";
    auto* box = Make<TKvCheckBox>(left, 10, "Box");
    box->SetState(cbChecked);
    TBitmap reference(13, 13);
    reference.Canvas()->Brush()->SetColor(kFace);
    reference.Canvas()->FillRect(RECT{0, 0, 13, 13});
    KvThemeSrv::SharedThemeServices()->PaintPart(
        reference.Canvas()->Handle(), KvThemeSrv::TThemeServices::ButtonPart(KvThemeSrv::tbCheckBoxCheckedNormal),
        RECT{0, 0, 13, 13});
    ControlSnapshot shot(box);
    EXPECT_EQ(0, DifferingPixels(shot, box->GlyphRect(), reference));
}

TEST_F(GlyphForm, AnActionChecksTheControlWithoutItsClick)
{
    auto* box = Make<TKvCheckBox>(left, 10, "Box");
    auto* radio = Make<TKvRadioButton>(left, 40, "Radio");
    auto* sibling = Make<TKvRadioButton>(left, 70, "Sibling");
    sibling->SetChecked(true);
    clicks.clear();
    TAction boxAction(form), radioAction(form);
    boxAction.SetCaption("Box");
    radioAction.SetCaption("Radio");
    int executed = 0;
    boxAction.SetOnExecute(TNotifyEvent::FromFunction([&](TObject*) { ++executed; }));
    box->SetAction(&boxAction);
    radio->SetAction(&radioAction);
    box->OnClick = TNotifyEvent::FromFunction([this, box](TObject*) { clicks.push_back(box); });
    radio->OnClick = TNotifyEvent::FromFunction([this, radio](TObject*) { clicks.push_back(radio); });

    boxAction.SetChecked(true);
    radioAction.SetChecked(true);
    EXPECT_TRUE(box->Checked());
    EXPECT_TRUE(radio->Checked());
    EXPECT_FALSE(sibling->Checked()) << "the group rule holds for an action too";
    boxAction.SetChecked(false);
    EXPECT_FALSE(box->Checked());
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(0, executed);
}

TEST_F(GlyphForm, AssigningACheckedActionTakesItsStateWithoutExecutingIt)
{
    auto* box = Make<TKvCheckBox>(left, 10, "Box");
    TAction action(form);
    action.SetChecked(true);
    int executed = 0;
    action.SetOnExecute(TNotifyEvent::FromFunction([&](TObject*) { ++executed; }));
    box->SetAction(&action);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(0, executed);
}

TEST_F(GlyphForm, LaterChangesOfTheActionKeepTheUsersChoice)
{
    auto* box = Make<TKvCheckBox>(left, 10, "Box");
    auto* a = Make<TKvRadioButton>(right, 10, "A");
    auto* b = Make<TKvRadioButton>(right, 40, "B");
    TAction boxAction(form), radioAction(form);
    boxAction.SetChecked(true);
    radioAction.SetChecked(true);
    box->SetAction(&boxAction);
    a->SetAction(&radioAction);
    ASSERT_TRUE(box->Checked());
    ASSERT_TRUE(a->Checked());

    // The user unchecks the box and picks the other radio button with the space bar.
    for (TKvCustomGlyphButton* control : {static_cast<TKvCustomGlyphButton*>(box), static_cast<TKvCustomGlyphButton*>(b)}) {
        SendMessageA(control->Handle(), WM_KEYDOWN, VK_SPACE, 0);
        SendMessageA(control->Handle(), WM_KEYUP, VK_SPACE, 0);
    }
    ASSERT_FALSE(box->Checked());
    ASSERT_TRUE(b->Checked());
    ASSERT_FALSE(a->Checked());

    for (TAction* action : {&boxAction, &radioAction})
        action->SetCaption("Renamed");
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ("Renamed", box->Caption());
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    boxAction.SetEnabled(false);
    EXPECT_FALSE(box->Checked());
    EXPECT_FALSE(box->Enabled());
}

TEST_F(GlyphForm, TheFrameControllerTurnsOnHotTrackingAndLendsItsColours)
{
    auto* box = Make<TKvCheckBox>(left, 10, "Box");
    TKvFrameController controller(form);
    controller.SetColor(RGB(250, 250, 200));
    controller.SetFrameColor(RGB(0, 0, 150));
    controller.SetFrameHotTrack(true);
    controller.SetFrameHotColor(RGB(255, 0, 0));
    box->SetFrameControllerNotifications(fcnAll & ~fcnFocusColor);
    controller.SetFocusColor(RGB(1, 1, 1));
    box->SetFrameController(&controller);
    EXPECT_TRUE(box->HotTrack());
    EXPECT_EQ(RGB(250, 250, 200), box->FillColor());
    EXPECT_EQ(RGB(0, 0, 150), box->FrameColor());
    EXPECT_EQ(htsFrame, box->HotTrackStyle());
    EXPECT_EQ(RGB(255, 0, 0), box->HotTrackColor());
    EXPECT_EQ(clWindow, box->FocusColor());
    ControlSnapshot shot(box);
    EXPECT_EQ(RGB(0, 0, 150), shot.At(box->GlyphRect().left, box->GlyphRect().top));
}
