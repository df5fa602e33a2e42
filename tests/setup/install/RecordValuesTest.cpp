// Typed values of object records: booleans and integers are read as decimal
// numbers (or True/False), and anything else names the record and the key.
#include "Exception.h"
#include "TStringList.h"
#include "uRecordValues.h"

#include <gtest/gtest.h>

TEST(RecordValues, NumbersAreDecimalAndAnythingElseIsRefused)
{
    struct Case {
        std::string text;
        bool valid;
        int number; // also the boolean: non-zero is true
    } cases[] = {
        {"10", true, 10},   {" -1 ", true, -1}, {"+3", true, 3},     {"0", true, 0},
        {"$10", false, 0},  {"0x10", false, 0}, {"1e2", false, 0},   {"", false, 0},
        {"ten", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("'" + c.text + "'");
        TStringList record;
        record.Add("OBJECT_TYPE=FILE");
        record.Add("REPLACE_OPTION=" + c.text);
        if (c.valid) {
            EXPECT_EQ(uRecordValues::Int(record, "REPLACE_OPTION"), c.number);
            EXPECT_EQ(uRecordValues::Bool(record, "REPLACE_OPTION"), c.number != 0);
            continue;
        }
        try {
            uRecordValues::Int(record, "REPLACE_OPTION");
            ADD_FAILURE() << "read as an integer";
        } catch (const Exception& error) {
            EXPECT_NE(error.Message().find("FILE record"), std::string::npos) << error.Message();
            EXPECT_NE(error.Message().find("REPLACE_OPTION"), std::string::npos) << error.Message();
        }
        EXPECT_THROW(uRecordValues::Bool(record, "REPLACE_OPTION"), Exception);
    }
}
