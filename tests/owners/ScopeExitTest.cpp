// TScopeExit: the clean-up runs once however the scope ends, and the first
// failure is the one that arrives.
#include "ScopeExit.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

TEST(ScopeExitTest, CleanupRunsOnceOnNormalExitAndOnException)
{
    int runs = 0;
    { TScopeExit cleanup([&] { ++runs; }); }
    EXPECT_EQ(1, runs);

    EXPECT_THROW(
        {
            TScopeExit cleanup([&] { ++runs; });
            throw std::runtime_error("work failed");
        },
        std::runtime_error);
    EXPECT_EQ(2, runs);
}

TEST(ScopeExitTest, FailingCleanupReportsOnNormalExitAndYieldsToTheFirstFailure)
{
    bool workDone = false;
    try {
        TScopeExit cleanup([] { throw std::runtime_error("cleanup failed"); });
        workDone = true;
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string("cleanup failed"), error.what());
    }
    EXPECT_TRUE(workDone);

    try {
        TScopeExit cleanup([] { throw std::runtime_error("cleanup failed"); });
        throw std::logic_error("work failed");
    } catch (const std::logic_error& error) {
        EXPECT_EQ(std::string("work failed"), error.what());
    } catch (...) {
        ADD_FAILURE() << "the clean-up's failure replaced the first one";
    }
}

} // namespace
