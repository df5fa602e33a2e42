// The installer's background on a real window: each layer alone and together,
// read back from the window's pixels, and the off-screen picture made once per size.
#include "KvBackground.h"
#include "KvProgressBar.h"
#include "PictureBytes.h"
#include "TMemoryStream.h"
#include "RepaintedPixel.h"
#include "TApplication.h"
#include "TForm.h"
#include "TJPEGImage.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

bool Near(TColor expected, TColor actual, int tolerance = 8)
{
    return std::abs(GetRValue(expected) - GetRValue(actual)) <= tolerance &&
           std::abs(GetGValue(expected) - GetGValue(actual)) <= tolerance &&
           std::abs(GetBValue(expected) - GetBValue(actual)) <= tolerance;
}

// Counts how often the layers are painted off-screen.
class CountingBackground : public TKvBackground {
public:
    using TKvBackground::TKvBackground;
    int renders = 0;

protected:
    void RenderLayers(TCanvas* canvas, const RECT& rect) override
    {
        ++renders;
        TKvBackground::RenderLayers(canvas, rect);
    }
};

// A bitmap of w x h: the top-left pixel `corner`, the rest `fill`.
void Paint(TBitmap& bitmap, int width, int height, TColor fill, TColor corner)
{
    bitmap.SetSize(width, height);
    bitmap.Canvas()->Brush()->SetColor(fill);
    bitmap.Canvas()->FillRect(RECT{0, 0, width, height});
    bitmap.Canvas()->SetPixel(0, 0, corner);
}

class Background : public testing::Test {
protected:
    void SetUp() override
    {
        form.SetBorderStyle(TFormBorderStyle::bsNone);
        form.SetBounds(400, 600, 200, 150);
        background = new CountingBackground(&form);
        background->SetAlign(TAlign::alClient);
        background->SetStartColor(RGB(200, 0, 0));
        background->SetEndColor(RGB(0, 0, 200));
        background->SetParent(&form);
        form.Show();
        Application()->ProcessMessages();
    }
    TColor At(int x, int y) { return RepaintedPixel(background->Handle(), x, y); }

    TForm form{nullptr};
    CountingBackground* background = nullptr;
};

} // namespace

TEST_F(Background, GradientRunsFromStartColourAtTheTopToEndColourAtTheBottom)
{
    EXPECT_TRUE(Near(RGB(200, 0, 0), At(100, 0))) << std::hex << At(100, 0);
    EXPECT_TRUE(Near(RGB(0, 0, 200), At(100, 149))) << std::hex << At(100, 149);
    EXPECT_TRUE(Near(RGB(100, 0, 100), At(100, 75), 12)) << std::hex << At(100, 75);

    background->SetShowGradient(false);
    background->SetColor(RGB(10, 120, 10));
    EXPECT_EQ(RGB(10, 120, 10), At(100, 75)) << "without the gradient the control's colour shows";
}

TEST_F(Background, TextureTilesOverTheGradient)
{
    TBitmap tile;
    Paint(tile, 10, 10, RGB(250, 250, 0), RGB(0, 250, 250));
    background->Texture()->Assign(&tile);
    EXPECT_TRUE(Near(RGB(200, 0, 0), At(5, 5))) << "the texture shows only when switched on";
    background->SetShowTexture(true);
    EXPECT_EQ(RGB(250, 250, 0), At(5, 5));
    EXPECT_EQ(RGB(0, 250, 250), At(0, 0));
    EXPECT_EQ(RGB(0, 250, 250), At(190, 140)) << "repeated across and down";
}

TEST_F(Background, ImageIsCentredStretchedOrTiled)
{
    TBitmap picture;
    Paint(picture, 20, 10, RGB(0, 200, 0), RGB(255, 255, 255));
    background->Image()->Assign(&picture);
    background->SetShowImage(true);
    // Centred: the picture occupies 90..110 x 70..80.
    EXPECT_EQ(RGB(255, 255, 255), At(90, 70));
    EXPECT_EQ(RGB(0, 200, 0), At(100, 75));
    EXPECT_TRUE(Near(RGB(200, 0, 0), At(5, 0)));

    background->SetImageStyle(TKvImageStyle::isStretch);
    EXPECT_EQ(RGB(255, 255, 255), At(5, 5)) << "the corner pixel grows to 10 x 15";
    EXPECT_EQ(RGB(0, 200, 0), At(50, 50));
    EXPECT_EQ(RGB(0, 200, 0), At(195, 145));

    background->SetImageStyle(TKvImageStyle::isTile);
    EXPECT_EQ(RGB(255, 255, 255), At(0, 0));
    EXPECT_EQ(RGB(255, 255, 255), At(20, 10));
    EXPECT_EQ(RGB(0, 200, 0), At(25, 15));
}

TEST_F(Background, PicturesOfOtherClassesTileToo)
{
    // A picture other than a bitmap is drawn once into a bitmap, which is then tiled.
    StreamOf jpeg(MakeJpeg(16, 16, RGB(0, 0, 0), RGB(250, 250, 250)));
    background->Texture()->LoadFromStream(jpeg, TPicture::GraphicClassOfExtension("jpg"));
    background->SetShowTexture(true);
    EXPECT_TRUE(Near(RGB(0, 0, 0), At(2, 2), 16)) << std::hex << At(2, 2);
    EXPECT_TRUE(Near(RGB(250, 250, 250), At(12, 2), 16));
    EXPECT_TRUE(Near(RGB(0, 0, 0), At(16 * 5 + 2, 16 * 3 + 2), 16)) << "repeated";

    StreamOf emf(MakeEmf(20, 10, RGB(0, 200, 0)));
    background->Image()->LoadFromStream(emf, TPicture::GraphicClassOfExtension("emf"));
    background->SetShowImage(true);
    background->SetImageStyle(TKvImageStyle::isTile);
    EXPECT_EQ(RGB(0, 200, 0), At(2, 2));
    EXPECT_EQ(RGB(0, 200, 0), At(195, 145));
}

TEST_F(Background, LayersArePaintedOffScreenOncePerSize)
{
    int before = background->renders;
    At(10, 10);
    At(20, 20);
    EXPECT_LE(background->renders - before, 1) << "repainting only copies the picture";
    before = background->renders;
    form.SetBounds(400, 600, 220, 160);
    At(10, 10);
    At(20, 20);
    EXPECT_EQ(1, background->renders - before) << "a new size paints the layers again, once";
}

TEST(ProgressBar, TotalsBeyondFourGibibytesScaleWithoutOverflow)
{
    const std::int64_t kGiB = 1LL << 30;
    struct Case {
        std::int64_t complete, total;
        int expected;
    } cases[] = {
        {0, 10 * kGiB, 0},
        {5 * kGiB, 10 * kGiB, 100},
        {9 * kGiB, 10 * kGiB, 180},
        {INT64_MAX / 2 + 1, INT64_MAX, 100},
        {INT64_MAX, INT64_MAX, 200},
        {12 * kGiB, 10 * kGiB, 200}, // past the end: full
        {-1, 10 * kGiB, 0},
        {5, 0, 0}, // no total: empty
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, TKvProgressBar::ScaledExtent(c.complete, c.total, 200)) << c.complete << "/" << c.total;
}

TEST(ProgressBar, BarFillsItsShareOfTheInteriorOnScreen)
{
    TForm form(nullptr);
    form.SetBorderStyle(TFormBorderStyle::bsNone);
    form.SetBounds(640, 600, 220, 40);
    auto* bar = new TKvProgressBar(&form);
    bar->SetBounds(10, 10, 204, 20);
    bar->SetColor(clWhite);
    bar->SetBarColor(RGB(0, 0, 180));
    bar->SetBorderWidth(1);
    bar->SetInteriorOffset(1);
    bar->SetParent(&form);
    bar->SetTotalParts(8LL << 30);
    bar->SetPartsComplete(2LL << 30); // a quarter of 200 interior pixels
    form.Show();
    Application()->ProcessMessages();

    HWND window = bar->Handle();
    EXPECT_EQ(50, bar->FilledWidth());
    EXPECT_EQ(ColorToRGB(clBtnShadow), RepaintedPixel(window, 0, 10)) << "the frame";
    EXPECT_EQ(clWhite, RepaintedPixel(window, 1, 10)) << "the interior offset";
    EXPECT_TRUE(Near(RGB(0, 0, 180), RepaintedPixel(window, 20, 17), 30)) << std::hex << RepaintedPixel(window, 20, 17);
    EXPECT_EQ(clWhite, RepaintedPixel(window, 60, 17)) << "beyond the filled part";
    bar->SetPartsComplete(8LL << 30);
    EXPECT_TRUE(Near(RGB(0, 0, 180), RepaintedPixel(window, 200, 17), 30));

    bar->SetBorderWidth(0);
    bar->SetInteriorOffset(0);
    EXPECT_EQ(204, bar->FilledWidth());
}
