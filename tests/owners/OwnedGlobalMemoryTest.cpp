// Global memory blocks freed with their owners.
#include "OwnedGlobalMemory.h"

#include <gtest/gtest.h>

TEST(OwnedGlobalMemoryTest, BlockIsFreedWithItsLastOwnerAndKeptWhenDetached)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 64);
    ASSERT_NE(nullptr, block);
    {
        TOwnedGlobalMemory first(block);
        TOwnedGlobalMemory second(std::move(first));
        EXPECT_TRUE(first.IsNull());
        EXPECT_GE(GlobalSize(second.Get()), 64u) << "alive while owned";
    }
    EXPECT_EQ(static_cast<UINT>(GMEM_INVALID_HANDLE), GlobalFlags(block)) << "freed with its owner";

    HGLOBAL kept = GlobalAlloc(GMEM_MOVEABLE, 16);
    ASSERT_NE(nullptr, kept);
    {
        TOwnedGlobalMemory owner(kept);
        EXPECT_EQ(kept, owner.Detach());
    }
    EXPECT_GE(GlobalSize(kept), 16u) << "a detached block is the caller's";
    EXPECT_EQ(nullptr, GlobalFree(kept));
}
