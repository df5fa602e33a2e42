// The change thread against real change notifications of real folders: watches
// are counted, and an add that the thread did not answer in time (the thread
// held up, as a loaded machine may hold it) yields no watch, neither late nor as
// the answer taken by the next command.
#include "KvChangeHandlerThread.h"
#include "OwnedHandles.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>

#include <set>

namespace {

std::set<DWORD> ThreadsOfThisProcess()
{
    std::set<DWORD> threads;
    TOwnedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Thread32First(snapshot.Get(), &entry); more; more = Thread32Next(snapshot.Get(), &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId())
            threads.insert(entry.th32ThreadID);
    return threads;
}

TEST(ChangeHandlerThread, AnAddThatTimedOutNeitherRunsLateNorAnswersForTheNextCommand)
{
    TempFolder temp;
    ASSERT_TRUE(CreateDirectoryA((temp / "second").c_str(), nullptr));
    const std::set<DWORD> before = ThreadsOfThisProcess();
    TChangeHandlerThread watcher(nullptr, WM_APP);
    std::set<DWORD> started;
    for (DWORD id : ThreadsOfThisProcess())
        if (before.count(id) == 0)
            started.insert(id);
    ASSERT_EQ(started.size(), 1u) << "the change thread is the one new thread";
    TOwnedHandle thread(OpenThread(THREAD_SUSPEND_RESUME, FALSE, *started.begin()));
    ASSERT_TRUE(thread.IsValid());

    EXPECT_TRUE(watcher.AddWatch(temp.Path(), false, FILE_NOTIFY_CHANGE_DIR_NAME));
    EXPECT_EQ(watcher.WatchCount(), 1);
    watcher.Reset();
    EXPECT_EQ(watcher.WatchCount(), 0);

    ASSERT_NE(SuspendThread(thread.Get()), static_cast<DWORD>(-1));
    EXPECT_FALSE(watcher.AddWatch(temp.Path(), false, FILE_NOTIFY_CHANGE_DIR_NAME)) << "no answer in time";
    ResumeThread(thread.Get());
    // Time for a late answer to arrive, if the withdrawn add were still to run.
    Sleep(500);
    EXPECT_EQ(watcher.WatchCount(), 0);

    EXPECT_TRUE(watcher.AddWatch(temp / "second", false, FILE_NOTIFY_CHANGE_DIR_NAME));
    EXPECT_EQ(watcher.WatchCount(), 1) << "only the add that was answered watches";
    watcher.RemoveWatch(0);
    EXPECT_EQ(watcher.WatchCount(), 0);
}

} // namespace
