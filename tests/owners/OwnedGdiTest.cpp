// GDI objects, metafiles and image lists on the shared owner template.
#include "OwnedGdi.h"

#include <gtest/gtest.h>

namespace {

TEST(OwnedGdiTest, ObjectsAreDeletedOnceAndConvertToTheirHandles)
{
    HPEN raw = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    {
        TOwnedPen pen(raw);
        HPEN asHandle = pen; // drawing calls take the owner as the handle
        EXPECT_EQ(raw, asHandle);
        TOwnedPen moved(std::move(pen));
        EXPECT_TRUE(pen.IsNull());
        EXPECT_EQ(static_cast<DWORD>(OBJ_PEN), GetObjectType(moved));
    }
    EXPECT_EQ(0u, GetObjectType(raw));

    TOwnedBrush brush(CreateSolidBrush(RGB(4, 5, 6)));
    HBRUSH kept = brush.Detach();
    EXPECT_TRUE(brush.IsNull());
    EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), GetObjectType(kept));
    DeleteObject(kept);
}

TEST(OwnedGdiTest, MetafileAndImageListAreFreedWithTheirOwners)
{
    HDC recorder = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, recorder);
    HENHMETAFILE metafile = CloseEnhMetaFile(recorder);
    ASSERT_NE(nullptr, metafile);
    { TOwnedEnhMetaFile owner(metafile); }
    EXPECT_EQ(0u, GetEnhMetaFileHeader(metafile, 0, nullptr));

    TOwnedImageList list(ImageList_Create(16, 16, ILC_COLOR24, 1, 1));
    ASSERT_TRUE(list.IsValid());
    int width = 0, height = 0;
    EXPECT_TRUE(ImageList_GetIconSize(list, &width, &height));
    EXPECT_EQ(16, width);
}

} // namespace
