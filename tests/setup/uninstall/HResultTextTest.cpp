// HRESULTs in the engine's messages: the code, the system's description without
// its closing full stop and line break, and the code alone where there is none.
#include "uHResultText.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

TEST(HResultText, TheCodeStandsAloneWhereTheSystemHasNoDescription)
{
    EXPECT_EQ(uHResultText::Code(E_NOINTERFACE), "0x80004002");
    // The customer bit: no system has a text for this one.
    EXPECT_EQ(uHResultText::CodeAndText(static_cast<long>(0xA0041234u)), "0xA0041234");

    std::string described = uHResultText::CodeAndText(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
    ASSERT_EQ(described.rfind("0x80070002: ", 0), 0u) << described;
    ASSERT_GT(described.size(), std::string("0x80070002: ").size()) << described;
    EXPECT_EQ(described.find_last_of("\r\n"), std::string::npos) << described;
    EXPECT_NE(described.back(), '.') << described;
    EXPECT_NE(described.back(), ' ') << described;
}
