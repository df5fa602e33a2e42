// Bit buttons: the kind table and its resources, glyph cells and geometry, image
// lists and actions, and the glyph read back from the shown button.
#include "KvBitBtn.h"
#include "TActionLink.h"
#include "TApplication.h"
#include "TBitmap.h"
#include "TCustomAction.h"
#include "TCustomImageList.h"
#include "TForm.h"
#include "VisualFixtures.h"

#include <gtest/gtest.h>

namespace {

const TColor kOkGreen = RGB(0, 128, 0);
const TColor kGlyphBack = RGB(255, 0, 255);
const TColor kDisabledGrey = RGB(128, 128, 128);

class BitBtnForm : public testing::Test {
protected:
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetBorderStyle(TFormBorderStyle::bsNone);
        form->SetBounds(30, 30, 300, 100);
        button = new TKvBitBtn(form);
        button->SetBounds(10, 10, 75, 25);
        button->SetParent(form);
    }
    void TearDown() override { delete form; }
    void ShowForm()
    {
        form->Show();
        Application()->ProcessMessages();
    }
    // How many pixels of the colour the glyph's place shows.
    int CountInGlyph(TColor color)
    {
        RECT g = button->GlyphRect();
        int found = 0;
        for (int y = g.top; y < g.bottom; ++y)
            for (int x = g.left; x < g.right; ++x)
                found += WindowPixel(button->Handle(), x, y) == color ? 1 : 0;
        return found;
    }

    TForm* form = nullptr;
    TKvBitBtn* button = nullptr;
};

struct KindRow {
    TBitBtnKind kind;
    const char* caption;
    TModalResult modalResult;
    bool isDefault;
    bool isCancel;
};

const KindRow kKindTable[] = {
    {TBitBtnKind::bkOK, "OK", mrOk, true, false},
    {TBitBtnKind::bkCancel, "Cancel", mrCancel, false, true},
    {TBitBtnKind::bkHelp, "&Help", mrNone, false, false},
    {TBitBtnKind::bkYes, "&Yes", mrYes, true, false},
    {TBitBtnKind::bkNo, "&No", mrNo, false, true},
    {TBitBtnKind::bkClose, "&Close", mrNone, false, false},
    {TBitBtnKind::bkAbort, "Abort", mrAbort, false, false},
    {TBitBtnKind::bkRetry, "&Retry", mrRetry, false, false},
    {TBitBtnKind::bkIgnore, "&Ignore", mrIgnore, false, false},
    {TBitBtnKind::bkAll, "&All", mrAll, false, false},
};

} // namespace

TEST_F(BitBtnForm, EachKindSetsCaptionRolesModalResultAndItsGlyph)
{
    EXPECT_EQ(TBitBtnKind::bkCustom, button->Kind());
    for (const KindRow& row : kKindTable) {
        SCOPED_TRACE(row.caption);
        button->SetKind(row.kind);
        EXPECT_EQ(row.kind, button->Kind());
        EXPECT_EQ(row.caption, button->Caption());
        EXPECT_EQ(row.modalResult, button->ModalResult());
        EXPECT_EQ(row.isDefault, button->Default());
        EXPECT_EQ(row.isCancel, button->Cancel());
        EXPECT_EQ(2, button->NumGlyphs());
        ASSERT_EQ(32, button->Glyph()->Width());
        EXPECT_EQ(16, button->Glyph()->Height());
        TBitmap* shared = KvButtonKinds::KindGlyph(row.kind);
        EXPECT_EQ(shared, KvButtonKinds::KindGlyph(row.kind)) << "loaded once";
        EXPECT_NE(shared, button->Glyph()) << "the button holds a copy";
        EXPECT_EQ(shared->Canvas()->Pixel(8, 8), button->Glyph()->Canvas()->Pixel(8, 8));
        EXPECT_EQ(kGlyphBack, button->Glyph()->TransparentColor());
    }
    EXPECT_EQ(nullptr, KvButtonKinds::KindGlyph(TBitBtnKind::bkCustom));
}

TEST_F(BitBtnForm, KindReadsCustomOnceItsValuesChange)
{
    button->SetKind(TBitBtnKind::bkOK);
    button->SetModalResult(mrYes);
    EXPECT_EQ(TBitBtnKind::bkCustom, button->Kind());
    EXPECT_EQ("OK", button->Caption()) << "the rest stays";

    button->SetKind(TBitBtnKind::bkCancel);
    button->SetDefault(true);
    EXPECT_EQ(TBitBtnKind::bkCustom, button->Kind());

    button->SetKind(TBitBtnKind::bkYes);
    TBitmap own(16, 16);
    button->SetGlyph(&own);
    EXPECT_EQ(TBitBtnKind::bkCustom, button->Kind());
}

TEST_F(BitBtnForm, GlyphSizeDecidesTheNumberOfCells)
{
    struct Case {
        int width, height, cells;
    } cases[] = {{32, 16, 2}, {64, 16, 4}, {48, 16, 3}, {16, 16, 1}, {80, 16, 1},
                 {40, 16, 2} /* not a multiple: the count set before stays */};
    for (const Case& c : cases) {
        button->SetNumGlyphs(2);
        TBitmap glyph(c.width, c.height);
        button->SetGlyph(&glyph);
        EXPECT_EQ(c.cells, button->NumGlyphs()) << c.width << "x" << c.height;
    }
    button->SetNumGlyphs(3);
    TBitmap flat(32, 0);
    button->SetGlyph(&flat);
    EXPECT_EQ(3, button->NumGlyphs()) << "a glyph of height 0 leaves the count";
    button->SetNumGlyphs(7);
    EXPECT_EQ(3, button->NumGlyphs());
}

TEST_F(BitBtnForm, MarginAndLayoutPlaceGlyphAndCaption)
{
    TBitmap glyph(32, 16);
    button->SetGlyph(&glyph);
    ASSERT_EQ(2, button->NumGlyphs());
    // The caption area is the client inset by 5: (5,5)-(70,20).
    RECT g = button->GlyphRect();
    EXPECT_EQ(7, g.left);
    EXPECT_EQ(16, g.right - g.left);
    EXPECT_EQ(5, g.top) << "centred across: 5 + (15 - 16 + 1) / 2";
    EXPECT_EQ(27, button->CaptionRect().left);

    button->SetLayout(TButtonLayout::blGlyphRight);
    EXPECT_EQ(52, button->GlyphRect().left);
    EXPECT_EQ(48, button->CaptionRect().right);

    button->SetMargin(-2);
    EXPECT_EQ(2, button->Margin()) << "below -1 is ignored";

    // Centred together: with no caption the glyph sits in the middle across.
    button->SetHeight(60);
    button->SetLayout(TButtonLayout::blGlyphTop);
    button->SetMargin(-1);
    g = button->GlyphRect();
    EXPECT_EQ(5 + (65 - 16 + 1) / 2, g.left);
    EXPECT_LE(std::abs((g.left + g.right) - 75), 1);
}

TEST_F(BitBtnForm, ScalingScalesMarginSpacingAndBounds)
{
    button->SetMargin(4);
    button->SetSpacing(6);
    form->ChangeScale(3, 2);
    EXPECT_EQ(6, button->Margin());
    EXPECT_EQ(9, button->Spacing());
    EXPECT_EQ(15, button->Left());
    EXPECT_EQ(113, button->Width()) << "75 * 3 / 2, rounded";

    button->SetMargin(-1);
    form->ChangeScale(2, 1);
    EXPECT_EQ(-1, button->Margin()) << "centred stays centred";
}

TEST_F(BitBtnForm, ShownGlyphFollowsTheEnabledState)
{
    button->SetKind(TBitBtnKind::bkOK);
    ShowForm();
    EXPECT_GT(CountInGlyph(kOkGreen), 10);
    EXPECT_EQ(0, CountInGlyph(kGlyphBack)) << "the transparent colour is left out";
    button->SetEnabled(false);
    UpdateWindow(button->Handle());
    EXPECT_EQ(0, CountInGlyph(kOkGreen));
    EXPECT_GT(CountInGlyph(kDisabledGrey), 10) << "the disabled cell";
}

TEST_F(BitBtnForm, GlyphCellFollowsTheState)
{
    // Four cells: up, disabled, pressed, down; each a square of its own colour.
    const TColor cells[] = {clRed, clLime, clBlue, clYellow};
    TBitmap glyph(64, 16);
    glyph.Canvas()->Brush()->SetColor(kGlyphBack);
    glyph.Canvas()->FillRect(RECT{0, 0, 64, 16});
    for (int i = 0; i < 4; ++i) {
        glyph.Canvas()->Brush()->SetColor(cells[i]);
        glyph.Canvas()->FillRect(RECT{i * 16 + 4, 4, i * 16 + 12, 12});
    }
    button->SetGlyph(&glyph);
    ASSERT_EQ(4, button->NumGlyphs());
    ShowForm();
    auto shown = [&] {
        for (TColor color : cells)
            if (CountInGlyph(color) == 64)
                return color;
        return clNone;
    };
    EXPECT_EQ(clRed, shown());
    SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(clBlue, shown()) << "pressed";
    SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    button->SetGroupIndex(1);
    button->SetDown(true);
    EXPECT_EQ(clYellow, shown()) << "held down";
    button->SetAllowAllUp(true);
    button->SetDown(false);
    button->SetEnabled(false);
    EXPECT_EQ(clLime, shown()) << "disabled";
}

TEST_F(BitBtnForm, ImageListImagesAndTheirEnd)
{
    auto* images = new TImageList(nullptr);
    TBitmap strip(32, 16);
    strip.Canvas()->Brush()->SetColor(clRed);
    strip.Canvas()->FillRect(RECT{0, 0, 16, 16});
    strip.Canvas()->Brush()->SetColor(clBlue);
    strip.Canvas()->FillRect(RECT{16, 0, 32, 16});
    images->AddMasked(&strip, clLime);
    button->SetImages(images);
    button->SetImageIndex(0);
    button->SetDisabledIndex(1);
    ShowForm();
    EXPECT_EQ(256, CountInGlyph(clRed));
    button->SetEnabled(false);
    UpdateWindow(button->Handle());
    EXPECT_EQ(256, CountInGlyph(clBlue)) << "the disabled image drawn as it is";

    button->SetEnabled(true);
    images->Clear();
    UpdateWindow(button->Handle());
    EXPECT_EQ(0, CountInGlyph(clRed)) << "a change of the list repaints";

    delete images;
    EXPECT_EQ(nullptr, button->Images());
    button->Repaint();
}

TEST_F(BitBtnForm, ActionGivesCaptionImageAndClick)
{
    TAction action(nullptr);
    int executed = 0;
    action.SetCaption("&Next >");
    action.SetImageIndex(3);
    action.SetOnExecute(TNotifyEvent::FromFunction([&](TObject*) { ++executed; }));
    button->SetAction(&action);
    EXPECT_EQ("&Next >", button->Caption());
    EXPECT_EQ(3, button->ImageIndex());
    ShowForm();
    SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(1, executed);
    action.SetEnabled(false);
    EXPECT_FALSE(button->Enabled());
    button->SetImageIndex(5);
    action.SetImageIndex(4);
    EXPECT_EQ(5, button->ImageIndex()) << "a value of its own is kept";
}
