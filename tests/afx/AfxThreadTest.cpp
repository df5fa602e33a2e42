// CWinThread, AfxBeginThread, CEvent and CMutex as the capture engine uses them.
#include <gtest/gtest.h>

#include <atomic>

#include "CEvent.h"
#include "CMutex.h"
#include "CWinThread.h"
#include "OwnedHandles.h"
#include "Waits.h"

namespace {

struct Gate {
    CEvent go{FALSE, TRUE};
    std::atomic<int> runs{0};
};

UINT __cdecl WaitForGate(LPVOID param)
{
    auto* gate = static_cast<Gate*>(param);
    WaitForSingleObject(gate->go, kWaitBoundMs);
    ++gate->runs;
    return 42;
}

// A thread object that says when it is deleted.
class ProbeThread : public CWinThread {
public:
    ProbeThread(AFX_THREADPROC proc, LPVOID param, std::atomic<bool>& deleted)
        : CWinThread(proc, param), m_deleted(deleted)
    {
    }
    ~ProbeThread() override { m_deleted = true; }

private:
    std::atomic<bool>& m_deleted;
};

}  // namespace

TEST(AfxThread, WorkerWithoutAutoDeleteKeepsItsObjectAndExitCode)
{
    Gate gate;
    CWinThread* thread = AfxBeginThread(WaitForGate, &gate, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, thread);
    EXPECT_NE(0u, thread->m_nThreadID);
    thread->m_bAutoDelete = FALSE;
    thread->ResumeThread();
    gate.go.SetEvent();
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(*thread, kWaitBoundMs));
    DWORD code = 0;
    ASSERT_TRUE(GetExitCodeThread(thread->m_hThread, &code));
    EXPECT_EQ(42u, code);
    EXPECT_EQ(1, gate.runs);
    delete thread;
}

TEST(AfxThread, AutoDeleteFreesTheObjectWhenTheThreadEnds)
{
    Gate gate;
    std::atomic<bool> deleted{false};
    auto* thread = new ProbeThread(WaitForGate, &gate, deleted);
    ASSERT_TRUE(thread->CreateThread());
    gate.go.SetEvent();
    EXPECT_TRUE(WaitUntil([&] { return deleted.load(); }));
}

TEST(AfxThread, ObjectDeletedWhileItsThreadRunsIsNotTouchedByTheThread)
{
    Gate gate;
    std::atomic<bool> deleted{false};
    auto* thread = new ProbeThread(WaitForGate, &gate, deleted);
    ASSERT_TRUE(thread->CreateThread(CREATE_SUSPENDED));
    thread->m_bAutoDelete = FALSE;
    TOwnedHandle handle;
    DuplicateHandle(GetCurrentProcess(), thread->m_hThread, GetCurrentProcess(), handle.Receive(), 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    thread->ResumeThread();
    delete thread;
    EXPECT_TRUE(deleted);
    gate.go.SetEvent();
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(handle.Get(), kWaitBoundMs));
    EXPECT_EQ(1, gate.runs);
}

TEST(AfxThread, PostedThreadMessageReachesTheThreadsQueue)
{
    struct Queue {
        CEvent ready{FALSE, TRUE};
        UINT received = 0;
    } queue;
    auto proc = [](LPVOID param) -> UINT {
        auto* q = static_cast<Queue*>(param);
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists from here on
        q->ready.SetEvent();
        while (GetMessageA(&msg, nullptr, 0, 0) > 0)
            q->received = msg.message;
        return static_cast<UINT>(msg.wParam);
    };
    CWinThread* thread = AfxBeginThread(proc, &queue, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, thread);
    thread->m_bAutoDelete = FALSE;
    thread->ResumeThread();
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(queue.ready, kWaitBoundMs));
    EXPECT_TRUE(thread->PostThreadMessage(WM_USER + 2, 0, 0));
    EXPECT_TRUE(thread->PostThreadMessage(WM_QUIT, 7, 0));
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(*thread, kWaitBoundMs));
    DWORD code = 0;
    GetExitCodeThread(thread->m_hThread, &code);
    EXPECT_EQ(7u, code);
    EXPECT_EQ(static_cast<UINT>(WM_USER + 2), queue.received);
    delete thread;
}

TEST(AfxSync, ManualResetEventStaysSignalledAutoResetIsConsumed)
{
    CEvent manual(FALSE, TRUE);
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(manual, 0)) << "initially reset";
    manual.SetEvent();
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(manual, 0));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(manual, 0));
    manual.ResetEvent();
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(manual, 0));

    CEvent automatic;
    automatic.SetEvent();
    EXPECT_TRUE(automatic.Lock(0));
    EXPECT_FALSE(automatic.Lock(0));
}

TEST(AfxSync, MutexHeldByASingleLockKeepsOtherThreadsOut)
{
    CMutex mutex;
    struct Probe {
        CMutex* mutex;
        std::atomic<int> acquired{-1};
    } probe{&mutex};
    auto tryLock = [](LPVOID param) -> UINT {
        auto* p = static_cast<Probe*>(param);
        CSingleLock lock(p->mutex);
        p->acquired = lock.Lock(0) ? 1 : 0;
        return 0;
    };
    auto runProbe = [&] {
        CWinThread* thread = AfxBeginThread(tryLock, &probe, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        thread->m_bAutoDelete = FALSE;
        thread->ResumeThread();
        WaitForSingleObject(*thread, kWaitBoundMs);
        delete thread;
        return probe.acquired.load();
    };
    {
        CSingleLock lock(&mutex, TRUE);
        EXPECT_TRUE(lock.IsLocked());
        EXPECT_EQ(0, runProbe());
    }
    EXPECT_EQ(1, runProbe()) << "released when the lock went out of scope";
}
