// Pictures of every class read from bytes made at run time and drawn onto real
// bitmaps, damaged pictures of every class, and loading by file extension.
#include "PictureBytes.h"
#include "TBitmap.h"
#include "TIcon.h"
#include "TJPEGImage.h"
#include "TMemoryStream.h"
#include "TMetafile.h"
#include "TPicture.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <algorithm>
#include <functional>
#include <random>

namespace {

const TColor kRed = RGB(220, 20, 30);
const TColor kBlue = RGB(20, 40, 200);

bool Near(TColor expected, TColor actual, int tolerance = 12)
{
    return std::abs(GetRValue(expected) - GetRValue(actual)) <= tolerance &&
           std::abs(GetGValue(expected) - GetGValue(actual)) <= tolerance &&
           std::abs(GetBValue(expected) - GetBValue(actual)) <= tolerance;
}

} // namespace

TEST(Pictures, BitmapsOfEveryDepthDecode)
{
    struct Case {
        int bitCount, height;
    } cases[] = {{1, 6}, {8, 6}, {24, 6}, {32, 6}, {24, -6}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bitCount << " bits, height " << c.height);
        StreamOf stream(MakeBmp(10, c.height, c.bitCount, kRed, kBlue));
        TBitmap bitmap;
        bitmap.LoadFromStream(stream);
        ASSERT_EQ(10, bitmap.Width());
        ASSERT_EQ(6, bitmap.Height());
        EXPECT_EQ(kRed, bitmap.Canvas()->Pixel(1, 0));
        EXPECT_EQ(kBlue, bitmap.Canvas()->Pixel(8, 5));
    }
}

TEST(Pictures, BitmapSavedAndReadBackIsTheSame)
{
    TBitmap original(7, 3);
    original.Canvas()->Brush()->SetColor(kBlue);
    original.Canvas()->FillRect(RECT{0, 0, 7, 3});
    original.Canvas()->SetPixel(6, 2, kRed);
    TMemoryStream stream;
    original.SaveToStream(stream);
    stream.SetPosition(0);
    TBitmap copy;
    copy.LoadFromStream(stream);
    EXPECT_EQ(kBlue, copy.Canvas()->Pixel(0, 0));
    EXPECT_EQ(kRed, copy.Canvas()->Pixel(6, 2));
}

TEST(Pictures, JpegDecodesInColourAndInGrey)
{
    StreamOf stream(MakeJpeg(32, 16, kRed, kBlue));
    TJPEGImage image;
    image.LoadFromStream(stream);
    ASSERT_EQ(32, image.Width());
    ASSERT_EQ(16, image.Height());
    EXPECT_FALSE(image.Grayscale());
    auto drawn = RenderOnWhite(image, 32, 16);
    EXPECT_TRUE(Near(kRed, drawn->Canvas()->Pixel(4, 8))) << std::hex << drawn->Canvas()->Pixel(4, 8);
    EXPECT_TRUE(Near(kBlue, drawn->Canvas()->Pixel(28, 8))) << std::hex << drawn->Canvas()->Pixel(28, 8);

    StreamOf grey(MakeJpeg(16, 16, RGB(40, 40, 40), RGB(200, 200, 200), true));
    image.LoadFromStream(grey);
    EXPECT_TRUE(image.Grayscale());
    EXPECT_TRUE(Near(RGB(40, 40, 40), image.Bitmap()->Canvas()->Pixel(2, 2)));
    EXPECT_TRUE(Near(RGB(200, 200, 200), image.Bitmap()->Canvas()->Pixel(14, 2)));
}

TEST(Pictures, MetafilesOfBothKindsDrawTheirPicture)
{
    struct Case {
        const char* name;
        std::string bytes;
        bool enhanced;
    } cases[] = {
        {"placeable wmf", MakeWmf(40, 20, kRed, true), false},
        {"plain wmf", MakeWmf(40, 20, kRed, false), false},
        {"emf", MakeEmf(40, 20, kRed), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StreamOf stream(c.bytes);
        TMetafile metafile;
        metafile.LoadFromStream(stream);
        EXPECT_EQ(c.enhanced, metafile.Enhanced());
        ASSERT_FALSE(metafile.Empty());
        if (c.enhanced || std::string(c.name) == "placeable wmf") {
            EXPECT_NEAR(40, metafile.Width(), 1);
            EXPECT_NEAR(20, metafile.Height(), 1);
        }
        auto drawn = RenderOnWhite(metafile, 40, 20);
        EXPECT_EQ(kRed, drawn->Canvas()->Pixel(20, 10));
    }
}

TEST(Pictures, IconDrawsThroughItsMask)
{
    StreamOf stream(MakeIco(32, kBlue));
    TIcon icon;
    icon.LoadFromStream(stream);
    ASSERT_EQ(32, icon.Width());
    ASSERT_EQ(32, icon.Height());
    auto drawn = RenderOnWhite(icon, 32, 32);
    EXPECT_EQ(kBlue, drawn->Canvas()->Pixel(4, 16));
    EXPECT_EQ(clWhite, drawn->Canvas()->Pixel(28, 16)) << "the masked half leaves the background";
}

// Every kind of damage raises an exception of the class library and leaves the
// picture that was there.
TEST(Pictures, DamagedPicturesRaiseAndKeepThePicture)
{
    std::string bmp = MakeBmp(10, 6, 24, kRed, kBlue);
    std::string hugeBmp = bmp;
    PutU32(hugeBmp, 18, 100000);
    PutU32(hugeBmp, 22, 100000);
    std::string badDepth = bmp;
    PutU16(badDepth, 28, 7);
    std::string bigPalette = MakeBmp(10, 6, 8, kRed, kBlue);
    PutU32(bigPalette, 46, 5000);
    std::string farPixels = bmp;
    PutU32(farPixels, 10, 0x7FFFFFF0);

    std::string jpeg = MakeJpeg(32, 16, kRed, kBlue);
    std::string hugeJpeg = jpeg;
    // The frame header (SOF0, marker FF C0) holds height and width after length and precision.
    size_t sof = hugeJpeg.find("\xFF\xC0");
    ASSERT_NE(std::string::npos, sof);
    hugeJpeg[sof + 5] = '\xEA';
    hugeJpeg[sof + 6] = '\x60';
    hugeJpeg[sof + 7] = '\xEA';
    hugeJpeg[sof + 8] = '\x60';

    std::string wmf = MakeWmf(40, 20, kRed, true);
    std::string wmfRecord = wmf;
    PutU32(wmfRecord, 22 + 18, 0x7FFFFFFF); // the first record's size
    // The recording holds: header, window extent, brush made, brush selected, fill, end.
    std::string wmfObject = wmf;
    ASSERT_EQ(0x012D, static_cast<unsigned char>(wmfObject[22 + 42 + 4]) | (static_cast<unsigned char>(wmfObject[22 + 42 + 5]) << 8));
    PutU16(wmfObject, 22 + 42 + 6, 0x5F01); // selects an object far outside the table
    std::string emf = MakeEmf(40, 20, kRed);
    std::string emfRecord = emf;
    PutU32(emfRecord, 4, 0x7FFFFFF0); // the header record's size
    std::string emfHandle = emf;
    size_t headerSize = static_cast<unsigned char>(emf[4]);
    ASSERT_EQ(static_cast<char>(EMR_CREATEBRUSHINDIRECT), emfHandle[headerSize]);
    PutU32(emfHandle, headerSize + 8, 0x7FFF); // makes a brush far outside the handle table

    std::string ico = MakeIco(32, kBlue);
    std::string icoOffset = ico;
    PutU32(icoOffset, 6 + 12, 0x7FFFFFF0);
    std::string icoHuge = ico;
    PutU32(icoHuge, 22 + 4, 30000);
    PutU32(icoHuge, 22 + 8, 60000);
    std::string icoEmpty = ico.substr(0, 6);
    PutU16(icoEmpty, 4, 0);

    struct Case {
        const char* name;
        TGraphicClass graphicClass;
        std::string bytes;
    } cases[] = {
        {"bmp truncated", TPicture::GraphicClassOfExtension("bmp"), bmp.substr(0, bmp.size() / 2)},
        {"bmp header only", TPicture::GraphicClassOfExtension("bmp"), bmp.substr(0, 20)},
        {"bmp huge", TPicture::GraphicClassOfExtension("bmp"), hugeBmp},
        {"bmp bad depth", TPicture::GraphicClassOfExtension("bmp"), badDepth},
        {"bmp big palette", TPicture::GraphicClassOfExtension("bmp"), bigPalette},
        {"bmp pixels outside", TPicture::GraphicClassOfExtension("bmp"), farPixels},
        {"jpeg truncated", TPicture::GraphicClassOfExtension("jpg"), jpeg.substr(0, jpeg.size() / 2)},
        {"jpeg huge", TPicture::GraphicClassOfExtension("jpg"), hugeJpeg},
        {"jpeg garbage", TPicture::GraphicClassOfExtension("jpg"), std::string(200, 'x')},
        {"wmf truncated", TPicture::GraphicClassOfExtension("wmf"), wmf.substr(0, wmf.size() - 10)},
        {"wmf record", TPicture::GraphicClassOfExtension("wmf"), wmfRecord},
        {"emf truncated", TPicture::GraphicClassOfExtension("emf"), emf.substr(0, emf.size() - 10)},
        {"emf record", TPicture::GraphicClassOfExtension("emf"), emfRecord},
        {"wmf object", TPicture::GraphicClassOfExtension("wmf"), wmfObject},
        {"emf handle", TPicture::GraphicClassOfExtension("emf"), emfHandle},
        {"ico truncated", TPicture::GraphicClassOfExtension("ico"), ico.substr(0, ico.size() / 2)},
        {"ico offset", TPicture::GraphicClassOfExtension("ico"), icoOffset},
        {"ico huge", TPicture::GraphicClassOfExtension("ico"), icoHuge},
        {"ico no image", TPicture::GraphicClassOfExtension("ico"), icoEmpty},
        {"empty", TPicture::GraphicClassOfExtension("bmp"), std::string()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(nullptr, c.graphicClass);
        TPicture picture;
        StreamOf good(bmp);
        picture.LoadFromStream(good, TPicture::GraphicClassOfExtension("bmp"));
        StreamOf stream(c.bytes);
        try {
            picture.LoadFromStream(stream, c.graphicClass);
            ADD_FAILURE() << "no exception";
        } catch (Exception& error) {
            EXPECT_FALSE(error.Message().empty());
        }
        EXPECT_EQ(10, picture.Width()) << "the picture before stays";
    }
}

TEST(Pictures, FilesLoadByExtensionIgnoringCaseAndOnlyKnownOnes)
{
    TempFolder folder;
    struct Case {
        const char* name;
        std::string bytes;
        const char* className;
    } cases[] = {
        {"a.bmp", MakeBmp(4, 4, 24, kRed, kRed), "TBitmap"},
        {"b.JPG", MakeJpeg(8, 8, kRed, kRed), "TJPEGImage"},
        {"c.Wmf", MakeWmf(8, 8, kRed, true), "TMetafile"},
        {"d.emf", MakeEmf(8, 8, kRed), "TMetafile"},
        {"e.ico", MakeIco(16, kRed), "TIcon"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteWholeFile(folder / c.name, c.bytes);
        TPicture picture;
        picture.LoadFromFile(folder / c.name);
        ASSERT_NE(nullptr, picture.Graphic());
        EXPECT_STREQ(c.className, picture.Graphic()->ClassName());
    }
    // A JPEG picture named with the four-letter extension is not taken, nor any unknown one.
    for (const char* name : {"f.jpeg", "g.gif", "noextension"}) {
        SCOPED_TRACE(name);
        WriteWholeFile(folder / name, MakeJpeg(8, 8, kRed, kRed));
        TPicture picture;
        try {
            picture.LoadFromFile(folder / name);
            ADD_FAILURE() << "no exception";
        } catch (EInvalidGraphic& error) {
            // The caller can put its own text in.
            error.SetMessage("不支持的图像格式");
            EXPECT_EQ("不支持的图像格式", error.Message());
        }
        EXPECT_EQ(nullptr, picture.Graphic());
    }
    EXPECT_EQ(nullptr, TPicture::GraphicClassOfExtension("jpeg"));
    EXPECT_NE(nullptr, TPicture::GraphicClassOfExtension(".JPG"));
}

TEST(Pictures, PictureKeepsItsOwnCopyAndTellsOfChanges)
{
    int changes = 0;
    TPicture picture;
    picture.OnChange = TNotifyEvent::FromFunction([&](TObject*) { ++changes; });
    {
        TJPEGImage image;
        StreamOf stream(MakeJpeg(16, 8, kRed, kBlue));
        image.LoadFromStream(stream);
        picture.Assign(&image);
    } // the source goes; the picture's copy stays
    EXPECT_EQ(1, changes);
    ASSERT_STREQ("TJPEGImage", picture.Graphic()->ClassName());
    EXPECT_EQ(16, picture.Width());
    auto drawn = RenderOnWhite(*picture.Graphic(), 16, 8);
    EXPECT_TRUE(Near(kBlue, drawn->Canvas()->Pixel(14, 4)));

    TPicture other;
    other.Assign(&picture);
    EXPECT_NE(picture.Graphic(), other.Graphic());
    picture.Bitmap(); // turns the picture into an empty bitmap
    EXPECT_EQ(2, changes);
    EXPECT_EQ(0, picture.Width());
    EXPECT_EQ(16, other.Width());
    other.Assign(nullptr);
    EXPECT_EQ(nullptr, other.Graphic());
}

// Damage of every kind at random places: each load ends in a picture or in an
// exception of the class library, never in a crash.
TEST(Pictures, MutatedPicturesEndInAPictureOrAnException)
{
    struct Kind {
        const char* extension;
        std::string bytes;
    } kinds[] = {
        {"emf", MakeEmf(20, 10, kRed)},         {"ico", MakeIco(16, kBlue)},
        {"bmp", MakeBmp(9, 5, 8, kRed, kBlue)}, {"bmp", MakeBmp(9, 5, 24, kRed, kBlue)},
        {"jpg", MakeJpeg(24, 16, kRed, kBlue)}, {"wmf", MakeWmf(20, 10, kRed, true)},
        // A record of every kind with counts, indices, regions and bitmaps, for the damage to reach.
        {"emf", MakeRichEmf()},                 {"wmf", MakeRichWmf()},
    };
    std::mt19937 random(20091210);
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.extension);
        TGraphicClass graphicClass = TPicture::GraphicClassOfExtension(kind.extension);
        int loaded = 0, refused = 0;
        for (int round = 0; round < 400; ++round) {
            std::string bytes = kind.bytes;
            int changes = 1 + static_cast<int>(random() % 4);
            for (int i = 0; i < changes; ++i) {
                size_t at = random() % bytes.size();
                switch (random() % 4) {
                case 0: // one byte
                    bytes[at] = static_cast<char>(random());
                    break;
                case 1: // a count or size field, small or huge
                    if ((at & ~size_t(3)) + 4 <= bytes.size())
                        PutU32(bytes, at & ~size_t(3), random() % 2 ? random() % 70000 : random());
                    break;
                case 2: // a large 16-bit value
                    bytes[at] = static_cast<char>(0xFF);
                    if (at + 1 < bytes.size())
                        bytes[at + 1] = '\x7F';
                    break;
                default: // cut short
                    bytes.resize(std::max<size_t>(1, at));
                    break;
                }
            }
            StreamOf stream(bytes);
            TPicture picture;
            try {
                picture.LoadFromStream(stream, graphicClass);
                RenderOnWhite(*picture.Graphic(), 16, 16);
                ++loaded;
            } catch (Exception&) {
                ++refused;
            }
        }
        EXPECT_EQ(400, loaded + refused);
        EXPECT_GT(refused, 0);
    }
}
