// Metafiles through the record checks: crafted records of every checked kind are
// refused with a clear error before GDI plays them, and metafiles that GDI
// itself recorded, with regions, pattern brushes and every other checked kind,
// load and draw.
#include "PictureBytes.h"
#include "TBitmap.h"
#include "TMetafile.h"
#include "TPicture.h"

#include <gtest/gtest.h>

TEST(MetafileRecords, ACraftedRecordOfEveryCheckedKindIsRefused)
{
    for (const TCraftedMetafile& crafted : CraftedMetafiles()) {
        SCOPED_TRACE(crafted.name + " (" + crafted.extension + ")");
        StreamOf stream(crafted.bytes);
        TMetafile metafile;
        try {
            metafile.LoadFromStream(stream);
            RenderOnWhite(metafile, 20, 10);
            ADD_FAILURE() << "no exception";
        } catch (const EInvalidGraphic& error) {
            EXPECT_NE(std::string::npos, error.Message().find("Metafile")) << error.Message();
        }
        EXPECT_TRUE(metafile.Empty()) << "nothing was taken";
    }
}

TEST(MetafileRecords, MetafilesRecordedByGdiLoadAndDraw)
{
    const TColor kGreen = RGB(20, 160, 40);
    struct Case {
        const char* name;
        std::string bytes;
        bool checkColour;
    } cases[] = {
        {"region", MakeRegionWmf(kGreen), true},
        {"pattern brush", MakePatternBrushWmf(kGreen), true},
        {"every kind, windows", MakeRichWmf(), false},
        {"every kind, enhanced", MakeRichEmf(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StreamOf stream(c.bytes);
        TMetafile metafile;
        try {
            metafile.LoadFromStream(stream);
        } catch (const Exception& error) {
            ADD_FAILURE() << error.Message();
            continue;
        }
        ASSERT_FALSE(metafile.Empty());
        auto drawn = RenderOnWhite(metafile, 40, 20);
        if (c.checkColour) {
            EXPECT_EQ(kGreen, drawn->Canvas()->Pixel(20, 10));
        }
    }
}
