// Every C++ exception reaches a caller that catches Exception: others are turned
// into one, with a failed allocation as EOutOfMemory.
#include "Exception.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>

namespace {

std::string Caught(const std::function<void()>& thrower, bool& outOfMemory)
{
    try {
        try {
            thrower();
        } catch (...) {
            RethrowAsException();
        }
    } catch (const EOutOfMemory& error) {
        outOfMemory = true;
        return error.Message();
    } catch (const Exception& error) {
        outOfMemory = false;
        return error.Message();
    }
    return "nothing was thrown";
}

} // namespace

TEST(RethrowAsException, EveryKindBecomesAnException)
{
    struct Case {
        const char* name;
        std::function<void()> thrower;
        std::string message;
        bool outOfMemory;
    } cases[] = {
        {"Exception", [] { throw EConvertError("bad number"); }, "bad number", false},
        {"bad_alloc", [] { throw std::bad_alloc(); }, "内存不足", true},
        {"std::exception", [] { throw std::length_error("too long"); }, "too long", false},
        {"anything else", [] { throw 42; }, "未知错误", false},
    };
    for (const Case& c : cases) {
        bool outOfMemory = false;
        EXPECT_EQ(c.message, Caught(c.thrower, outOfMemory)) << c.name;
        EXPECT_EQ(c.outOfMemory, outOfMemory) << c.name;
    }
}
