// Threads: Synchronize runs its work on the main thread while the calling thread
// waits, exceptions travel back, and the end of a thread is seen on the main thread.
#include "TApplication.h"
#include "TThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>

namespace {

// A thread whose Execute is given by the test.
class LambdaThread : public TThread {
public:
    explicit LambdaThread(std::function<void(LambdaThread&)> body) : TThread(true), body_(std::move(body)) {}
    using TThread::SetReturnValue;
    using TThread::Terminated;

protected:
    void Execute() override { body_(*this); }

private:
    std::function<void(LambdaThread&)> body_;
};

// Runs messages on this (the main) thread until `done` or a generous bound.
bool PumpUntil(const std::function<bool()>& done)
{
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > 30000)
            return false;
        Application()->ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

} // namespace

TEST(Threads, SynchronizeRunsOnTheMainThreadWhileTheCallerWaits)
{
    DWORD mainThread = GetCurrentThreadId();
    DWORD ranOn = 0;
    std::atomic<int> step{0};
    LambdaThread thread([&](LambdaThread& self) {
        step = 1;
        TThread::Synchronize(TThreadMethod::FromFunction([&] {
            ranOn = GetCurrentThreadId();
            EXPECT_EQ(1, step.load()) << "the caller is still inside Synchronize";
            step = 2;
        }));
        EXPECT_EQ(2, step.load()) << "Synchronize returns after the work is done";
        step = 3;
        self.SetReturnValue(42);
    });
    thread.Resume();
    ASSERT_TRUE(PumpUntil([&] { return thread.Finished(); }));
    EXPECT_EQ(mainThread, ranOn);
    EXPECT_EQ(3, step.load());
    EXPECT_EQ(42u, thread.WaitFor());
}

TEST(Threads, WaitForOnTheMainThreadServesSynchronize)
{
    bool ran = false;
    LambdaThread thread([&](LambdaThread&) {
        TThread::Synchronize(TThreadMethod::FromFunction([&] { ran = true; }));
    });
    thread.Resume();
    thread.WaitFor(); // would never return if the call were not served meanwhile
    EXPECT_TRUE(ran);
}

TEST(Threads, AnExceptionInSynchronizeIsRaisedInTheThreadAndKept)
{
    std::string seen;
    LambdaThread thread([&](LambdaThread&) {
        try {
            TThread::Synchronize(TThreadMethod::FromFunction([] { throw EAbort("stopped on the main thread"); }));
        } catch (Exception& error) {
            seen = error.Message();
        }
        TThread::Synchronize(TThreadMethod::FromFunction([] { throw EConvertError("bad value"); }));
    });
    thread.Resume();
    thread.WaitFor();
    EXPECT_EQ("stopped on the main thread", seen);
    ASSERT_TRUE(thread.FatalException());
    try {
        std::rethrow_exception(thread.FatalException());
    } catch (EConvertError& error) {
        EXPECT_EQ("bad value", error.Message());
    }
}

TEST(Threads, OnTerminateRunsOnTheMainThreadAndAThreadCanFreeItself)
{
    DWORD mainThread = GetCurrentThreadId();
    DWORD terminatedOn = 0;
    std::atomic<bool> executed{false};
    auto* thread = new LambdaThread([&](LambdaThread&) { executed = true; });
    thread->SetFreeOnTerminate(true);
    thread->OnTerminate = TNotifyEvent::FromFunction([&](TObject*) { terminatedOn = GetCurrentThreadId(); });
    thread->Resume();
    ASSERT_TRUE(PumpUntil([&] { return terminatedOn != 0; }));
    EXPECT_TRUE(executed.load());
    EXPECT_EQ(mainThread, terminatedOn);
}

TEST(Threads, DestroyingARunningThreadAsksItToStopAndWaits)
{
    std::atomic<bool> started{false}, sawTerminate{false};
    {
        LambdaThread thread([&](LambdaThread& self) {
            started = true;
            while (!self.Terminated())
                Sleep(5);
            sawTerminate = true;
        });
        thread.Resume();
        ASSERT_TRUE(PumpUntil([&] { return started.load(); }));
    }
    EXPECT_TRUE(sawTerminate.load());
}
