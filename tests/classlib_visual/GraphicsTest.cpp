// Colours, fonts, canvases and bitmaps, checked on the pixels of real bitmaps.
#include "TBitmap.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

TEST(Colors, SystemColoursResolveAndOthersStay)
{
    struct Case {
        TColor color, expected;
    } cases[] = {
        {clBtnFace, GetSysColor(COLOR_BTNFACE)},
        {clHighlight, GetSysColor(COLOR_HIGHLIGHT)},
        {clWindow, GetSysColor(COLOR_WINDOW)},
        {cl3DDkShadow, GetSysColor(COLOR_3DDKSHADOW)},
        {clInfoBk, GetSysColor(COLOR_INFOBK)},
        {clRed, 0x0000FF},
        {0x123456, 0x123456},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, ColorToRGB(c.color)) << std::hex << c.color;
}

TEST(Graphics, FontSizeAndHeightAgreeAndChangesAreTold)
{
    TFont font;
    int changes = 0;
    font.OnChange = TNotifyEvent::FromFunction([&](TObject*) { ++changes; });
    font.SetSize(12);
    EXPECT_EQ(12, font.Size());
    EXPECT_EQ(-MulDiv(12, TFont::PixelsPerInch(), 72), font.Height());
    font.SetName("Tahoma");
    font.SetStyle({fsBold, fsItalic});
    font.SetColor(clRed);
    font.SetName("Tahoma"); // unchanged: no notice
    EXPECT_EQ(4, changes);
    LOGFONTA log = {};
    ASSERT_NE(0, GetObjectA(font.Handle(), sizeof(log), &log));
    EXPECT_EQ(FW_BOLD, log.lfWeight);
    EXPECT_EQ(1, log.lfItalic);
    EXPECT_STREQ("Tahoma", log.lfFaceName);

    TFont copy;
    copy.Assign(&font);
    EXPECT_EQ("Tahoma", copy.Name());
    EXPECT_EQ(clRed, copy.Color());
    EXPECT_TRUE(copy.Style().Contains(fsBold));
}

TEST(Graphics, CanvasDrawsWithItsPenBrushAndFont)
{
    TBitmap bitmap(40, 30);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Brush()->SetColor(clWhite);
    canvas->FillRect(RECT{0, 0, 40, 30});
    canvas->Brush()->SetColor(clBlue);
    canvas->FillRect(RECT{0, 0, 10, 10});
    // Changing the brush while it is selected takes effect at once.
    canvas->Brush()->SetColor(clLime);
    canvas->FillRect(RECT{10, 0, 20, 10});
    canvas->Pen()->SetColor(clRed);
    canvas->MoveTo(0, 20);
    canvas->LineTo(40, 20);
    canvas->Pen()->SetColor(clNavy);
    canvas->MoveTo(0, 25);
    canvas->LineTo(40, 25);
    canvas->Brush()->SetStyle(TBrushStyle::bsClear);
    canvas->Pen()->SetColor(clBlack);
    canvas->Rectangle(20, 0, 30, 10);
    canvas->SetPixel(35, 5, clYellow);

    EXPECT_EQ(clBlue, canvas->Pixel(5, 5));
    EXPECT_EQ(clLime, canvas->Pixel(15, 5));
    EXPECT_EQ(clRed, canvas->Pixel(20, 20));
    EXPECT_EQ(clNavy, canvas->Pixel(20, 25));
    EXPECT_EQ(clBlack, canvas->Pixel(20, 5));
    EXPECT_EQ(clWhite, canvas->Pixel(25, 5)) << "a clear brush leaves the inside";
    EXPECT_EQ(clYellow, canvas->Pixel(35, 5));

    // Text in the font's colour; a clear brush leaves the background.
    TBitmap text(60, 20);
    TCanvas* tc = text.Canvas();
    tc->Brush()->SetColor(clWhite);
    tc->FillRect(RECT{0, 0, 60, 20});
    tc->Font()->SetColor(clRed);
    tc->Brush()->SetStyle(TBrushStyle::bsClear);
    tc->TextOut(2, 2, "WWW");
    // Smoothed glyph edges mix with the background: count reddish ink.
    int red = 0, black = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x) {
            TColor p = tc->Pixel(x, y);
            if (p == clWhite)
                continue;
            if (GetRValue(p) > 200 && GetGValue(p) < 200 && GetGValue(p) == GetBValue(p))
                ++red;
            else if (p == clBlack)
                ++black;
        }
    EXPECT_GT(red, 10);
    EXPECT_EQ(0, black) << "the text takes the font's colour, not the default";
    EXPECT_GT(tc->TextWidth("WWW"), tc->TextWidth("W"));
    RECT measure = {0, 0, 200, 0};
    int height = tc->DrawText("two\nlines", measure, DT_CALCRECT);
    EXPECT_EQ(2 * tc->TextHeight("Ag"), height);
}

TEST(Graphics, BitmapKeepsItsPictureAcrossResizesAndTellsChanges)
{
    TBitmap bitmap;
    int changes = 0;
    bitmap.OnChange = TNotifyEvent::FromFunction([&](TObject*) { ++changes; });
    EXPECT_TRUE(bitmap.Empty());
    bitmap.SetSize(10, 10);
    EXPECT_EQ(1, changes);
    bitmap.Canvas()->Brush()->SetColor(clRed);
    bitmap.Canvas()->FillRect(RECT{0, 0, 10, 10});
    EXPECT_EQ(2, changes) << "drawing on the canvas is a change";
    bitmap.SetSize(20, 5);
    EXPECT_EQ(clRed, bitmap.Canvas()->Pixel(9, 4));
    EXPECT_EQ(clBlack, bitmap.Canvas()->Pixel(15, 2)) << "new area starts black";
    auto* row = static_cast<unsigned char*>(bitmap.ScanLine(4));
    EXPECT_EQ(0xFF, row[9 * 4 + 2]); // red channel of (9, 4)
    EXPECT_EQ(0x00, row[9 * 4 + 0]);
    EXPECT_THROW(bitmap.ScanLine(5), EInvalidGraphic);
    EXPECT_THROW(bitmap.SetSize(-1, 4), EInvalidGraphic);

    bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    EXPECT_EQ(clRed, bitmap.Canvas()->Pixel(9, 4));
}

TEST(Graphics, TransparentColourIsTheBottomLeftPixelUnlessFixed)
{
    TBitmap bitmap(4, 4);
    bitmap.Canvas()->Brush()->SetColor(clOlive);
    bitmap.Canvas()->FillRect(RECT{0, 0, 4, 4});
    bitmap.Canvas()->SetPixel(0, 3, clTeal);
    EXPECT_EQ(clTeal, bitmap.TransparentColor());
    bitmap.SetTransparentColor(clOlive);
    EXPECT_EQ(TTransparentMode::tmFixed, bitmap.TransparentMode());
    EXPECT_EQ(clOlive, bitmap.TransparentColor());

    // Drawn transparent: olive pixels leave the target as it was.
    bitmap.SetTransparent(true);
    TBitmap target(8, 8);
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect(RECT{0, 0, 8, 8});
    target.Canvas()->Draw(2, 2, &bitmap);
    EXPECT_EQ(clWhite, target.Canvas()->Pixel(3, 3));
    EXPECT_EQ(clTeal, target.Canvas()->Pixel(2, 5));
    // Opaque, stretched to twice the size.
    bitmap.SetTransparent(false);
    target.Canvas()->StretchDraw(RECT{0, 0, 8, 8}, &bitmap);
    EXPECT_EQ(clOlive, target.Canvas()->Pixel(3, 3));
    EXPECT_EQ(clTeal, target.Canvas()->Pixel(1, 7));
}

TEST(Graphics, BitmapCopiesAndFilesKeepThePixels)
{
    TBitmap source(5, 3);
    source.Canvas()->Brush()->SetColor(clAqua);
    source.Canvas()->FillRect(RECT{0, 0, 5, 3});
    source.Canvas()->SetPixel(4, 2, clMaroon);

    TBitmap copy;
    copy.Assign(&source);
    EXPECT_EQ(5, copy.Width());
    EXPECT_EQ(clMaroon, copy.Canvas()->Pixel(4, 2));
    source.Canvas()->SetPixel(4, 2, clAqua);
    EXPECT_EQ(clMaroon, copy.Canvas()->Pixel(4, 2)) << "a copy, not a share";

    TempFolder folder;
    std::string path = folder.Path() + "\\picture.bmp";
    copy.SaveToFile(path);
    TBitmap loaded;
    loaded.LoadFromFile(path);
    EXPECT_EQ(5, loaded.Width());
    EXPECT_EQ(3, loaded.Height());
    EXPECT_EQ(clMaroon, loaded.Canvas()->Pixel(4, 2));
    EXPECT_EQ(clAqua, loaded.Canvas()->Pixel(0, 0));
    EXPECT_THROW(loaded.LoadFromFile(folder.Path() + "\\missing.bmp"), EFOpenError) << "names the file";
    EXPECT_THROW(loaded.LoadFromResourceName(GetModuleHandleA(nullptr), "NO_SUCH_BITMAP"), EInvalidGraphic);
    EXPECT_EQ(5, loaded.Width()) << "a failed load keeps the picture";

    // A pattern brush from a bitmap.
    TBitmap pattern(8, 8);
    pattern.Canvas()->Brush()->SetColor(clGreen);
    pattern.Canvas()->FillRect(RECT{0, 0, 8, 8});
    TBitmap target(16, 16);
    target.Canvas()->Brush()->SetBitmap(&pattern);
    target.Canvas()->FillRect(RECT{0, 0, 16, 16});
    EXPECT_EQ(clGreen, target.Canvas()->Pixel(12, 12));
    target.Canvas()->Brush()->SetBitmap(nullptr);
}
