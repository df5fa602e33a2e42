// TOwnedMetaFile: a recorded Windows-format metafile lives as long as its owner.
#include "OwnedMetaFile.h"

#include <gtest/gtest.h>

namespace {

TEST(OwnedMetaFileTest, TheMetafileIsDeletedOnceWithItsLastOwner)
{
    HDC recorder = CreateMetaFileA(nullptr);
    ASSERT_NE(nullptr, recorder);
    RECT area = {0, 0, 10, 10};
    FillRect(recorder, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    HMETAFILE metafile = CloseMetaFile(recorder);
    ASSERT_NE(nullptr, metafile);
    {
        TOwnedMetaFile owner(metafile);
        TOwnedMetaFile moved(std::move(owner));
        EXPECT_TRUE(owner.IsNull());
        EXPECT_GT(GetMetaFileBitsEx(moved, 0, nullptr), 0u) << "the records are still there";
    }
    EXPECT_EQ(0u, GetMetaFileBitsEx(metafile, 0, nullptr));
}

} // namespace
