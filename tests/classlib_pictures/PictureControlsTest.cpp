// Images, labels and bevels on a real form, their pixels read back from its window.
#include "PictureBytes.h"
#include "RepaintedPixel.h"
#include "TApplication.h"
#include "TBevel.h"
#include "TForm.h"
#include "TImage.h"
#include "TLabel.h"
#include "TPanel.h"

#include <gtest/gtest.h>

namespace {

const TColor kFormColor = RGB(250, 250, 210);
const TColor kRed = RGB(220, 20, 30);
const TColor kBlue = RGB(20, 40, 200);

class PictureControls : public testing::Test {
protected:
    void SetUp() override
    {
        form.SetBorderStyle(TFormBorderStyle::bsNone);
        form.SetBounds(700, 40, 300, 200);
        form.SetColor(kFormColor);
        form.Show();
        Application()->ProcessMessages();
    }
    TForm form{nullptr};
};

} // namespace

TEST_F(PictureControls, ImagePlacesItsPictureAtTheCornerCentredOrStretched)
{
    auto* image = new TImage(&form);
    image->SetBounds(10, 10, 100, 60);
    image->SetParent(&form);
    StreamOf stream(MakeBmp(20, 10, 24, kRed, kBlue));
    image->Picture()->LoadFromStream(stream, TPicture::GraphicClassOfExtension("bmp"));

    EXPECT_EQ(kRed, RepaintedPixel(form.Handle(), 12, 12));
    EXPECT_EQ(kFormColor, RepaintedPixel(form.Handle(), 60, 40)) << "beyond the picture the form shows";
    image->SetCenter(true);
    EXPECT_EQ(kRed, RepaintedPixel(form.Handle(), 10 + 40 + 2, 10 + 25 + 2));
    EXPECT_EQ(kFormColor, RepaintedPixel(form.Handle(), 12, 12));
    image->SetStretch(true);
    EXPECT_EQ(kRed, RepaintedPixel(form.Handle(), 12, 12));
    EXPECT_EQ(kBlue, RepaintedPixel(form.Handle(), 105, 65));

    // Transparent: the colour of the bottom-left pixel (red here) lets the form show.
    image->SetTransparent(true);
    EXPECT_EQ(kFormColor, RepaintedPixel(form.Handle(), 12, 12));
    EXPECT_EQ(kBlue, RepaintedPixel(form.Handle(), 105, 65));
}

TEST_F(PictureControls, LabelSizesItselfWrapsAndCanBeTransparent)
{
    auto* label = new TLabel(&form);
    label->SetBounds(10, 10, 40, 20);
    label->SetParent(&form);
    label->SetColor(kBlue);
    label->SetCaption("a short text");
    int oneLine = label->Height();
    EXPECT_GT(label->Width(), 40) << "AutoSize widens to the text";
    EXPECT_EQ(kBlue, RepaintedPixel(form.Handle(), 11, 11));

    label->SetWordWrap(true);
    label->SetWidth(30);
    label->SetCaption("words that wrap onto several lines");
    EXPECT_EQ(30, label->Width()) << "a wrapping label keeps its width";
    EXPECT_GT(label->Height(), 2 * oneLine);

    label->SetTransparent(true);
    EXPECT_EQ(kFormColor, RepaintedPixel(form.Handle(), label->Left() + label->Width() - 1, label->Top() + 1));
}

TEST_F(PictureControls, LabelAlignsItsTextInsideAFixedWidth)
{
    auto* label = new TLabel(&form);
    label->SetAutoSize(false);
    label->SetBounds(10, 100, 200, 20);
    label->SetParent(&form);
    label->SetColor(clWhite);
    label->Font()->SetColor(clBlack);
    label->SetCaption("MMMM");
    auto darkestColumn = [&](bool fromLeft) {
        for (int i = 0; i < 200; ++i) {
            int x = fromLeft ? 10 + i : 209 - i;
            for (int y = 100; y < 120; ++y)
                if (RepaintedPixel(form.Handle(), x, y) != clWhite)
                    return x;
        }
        return -1;
    };
    EXPECT_LT(darkestColumn(true), 20);
    label->SetAlignment(TAlignment::taRightJustify);
    EXPECT_GT(darkestColumn(false), 200);
    EXPECT_GT(darkestColumn(true), 100);
}

TEST_F(PictureControls, LoweredBevelIsDarkAtTheTopAndLightAtTheBottom)
{
    auto* bevel = new TBevel(&form);
    bevel->SetBounds(20, 20, 100, 50);
    bevel->SetParent(&form);
    EXPECT_EQ(ColorToRGB(clBtnShadow), RepaintedPixel(form.Handle(), 50, 20));
    EXPECT_EQ(ColorToRGB(clBtnHighlight), RepaintedPixel(form.Handle(), 50, 69));
    EXPECT_EQ(kFormColor, RepaintedPixel(form.Handle(), 50, 40)) << "inside, the form shows";
    bevel->SetStyle(TBevelStyle::bsRaised);
    EXPECT_EQ(ColorToRGB(clBtnHighlight), RepaintedPixel(form.Handle(), 50, 20));
}

TEST_F(PictureControls, PanelHoldsItsChildrenInsideItsBevel)
{
    auto* panel = new TPanel(&form);
    panel->SetBounds(10, 10, 200, 60);
    panel->SetParent(&form);
    auto* label = new TLabel(&form);
    label->SetAlign(TAlign::alClient);
    label->SetParent(panel);
    EXPECT_STREQ("TPanel", panel->ClassName());
    EXPECT_EQ(1, label->Left()) << "inside the raised bevel";
    EXPECT_EQ(198, label->Width());
    EXPECT_EQ(ColorToRGB(clBtnHighlight), RepaintedPixel(panel->Handle(), 0, 30));
}
