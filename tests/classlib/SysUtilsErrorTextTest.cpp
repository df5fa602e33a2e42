// The system's error texts through the class library: the text the system has
// for a code, ready to sit inside a sentence, or nothing (or "error <n>") when
// the system has none.
#include "SysUtils.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

TEST(SysUtilsErrorTextTest, KnownCodesGiveTheSystemsTextWithoutItsLineBreakAndFullStop)
{
    const unsigned long codes[] = {ERROR_FILE_NOT_FOUND, ERROR_ACCESS_DENIED,
                                   static_cast<unsigned long>(E_FAIL)};
    for (unsigned long code : codes) {
        std::string text = SysUtils::SystemErrorText(code);
        ASSERT_FALSE(text.empty()) << code;
        EXPECT_EQ(std::string::npos, std::string("\r\n .").find(text.back())) << code << ": " << text;
        EXPECT_EQ(text, SysUtils::SysErrorMessage(code)) << code;
    }
    EXPECT_NE(SysUtils::SystemErrorText(ERROR_FILE_NOT_FOUND), SysUtils::SystemErrorText(ERROR_ACCESS_DENIED));
}

TEST(SysUtilsErrorTextTest, ACodeWithoutTextIsEmptyOrNamedByItsNumber)
{
    // The customer bit marks codes the system never defines.
    const unsigned long unknown = 0x20000000UL | 0x1234;
    EXPECT_EQ("", SysUtils::SystemErrorText(unknown));
    EXPECT_EQ("error " + std::to_string(unknown), SysUtils::SysErrorMessage(unknown));
}

} // namespace
