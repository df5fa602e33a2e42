// TOwnedBstr: a string an automation call hands out is held until the owner
// goes, and freeing it keeps the caller's last error.
#include "OwnedBstr.h"

#include <gtest/gtest.h>

#include <string>

TEST(OwnedBstrTest, HoldsWhatAnAutomationCallHandsOut)
{
    TOwnedBstr text(SysAllocString(L"first"));
    // Receive frees the first string before the call fills the slot.
    ASSERT_EQ(S_OK, VarBstrFromI4(4096, LOCALE_USER_DEFAULT, 0, text.Receive()));
    ASSERT_TRUE(text.IsValid());
    EXPECT_EQ(std::wstring(L"4096"), std::wstring(text.Get(), SysStringLen(text.Get())));

    TOwnedBstr moved(std::move(text));
    EXPECT_TRUE(text.IsNull());
    SetLastError(ERROR_FILE_NOT_FOUND);
    moved.Reset();
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
    EXPECT_TRUE(moved.IsNull());
}
