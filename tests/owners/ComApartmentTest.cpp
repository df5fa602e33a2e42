// TComApartment / TOleApartment: every successful start is ended once, moves
// hand the end over, and a thread in another apartment model is not ended.
#include "ComApartment.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

// True when COM is started on this thread: CoInitialize answers S_FALSE.
bool ComRunsHere()
{
    HRESULT result = CoInitialize(nullptr);
    if (SUCCEEDED(result))
        CoUninitialize();
    return result == S_FALSE;
}

template <typename Apartment>
void CheckStartsAndEndsOnce()
{
    EXPECT_FALSE(ComRunsHere());
    {
        Apartment outer;
        ASSERT_TRUE(outer.Started());
        EXPECT_EQ(S_OK, outer.Result());
        {
            Apartment nested; // S_FALSE: started again, ended again
            EXPECT_TRUE(nested.Started());
            EXPECT_EQ(S_FALSE, nested.Result());
        }
        EXPECT_TRUE(ComRunsHere());
        Apartment moved(std::move(outer));
        EXPECT_FALSE(outer.Started());
        EXPECT_TRUE(ComRunsHere());
    }
    EXPECT_FALSE(ComRunsHere());
}

} // namespace

TEST(ComApartmentTest, EachStartIsEndedOnceOnItsOwnThread)
{
    // A thread of its own, so that no other test's apartment is in the way.
    std::thread([] {
        CheckStartsAndEndsOnce<TComApartment>();
        CheckStartsAndEndsOnce<TOleApartment>();
    }).join();
}

TEST(ComApartmentTest, AThreadInTheOtherModelIsLeftAsItIs)
{
    std::thread([] {
        ASSERT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
        {
            TComApartment apartment; // RPC_E_CHANGED_MODE: a failure, not ended
            EXPECT_FALSE(apartment.Started());
            EXPECT_EQ(RPC_E_CHANGED_MODE, apartment.Result());
        }
        EXPECT_EQ(S_FALSE, CoInitializeEx(nullptr, COINIT_MULTITHREADED)); // still started
        CoUninitialize();
        CoUninitialize();
    }).join();
}
