// TChangeHandlerThread: a worker thread that waits on file-system change
// notifications and posts a message to a window for each one it sees. Commands
// reach it through a command event and are acknowledged through a reply event,
// one at a time.
#pragma once

#include "OwnedHandles.h"

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

class TChangeHandlerThread {
public:
    // The platform waits on at most 64 handles; one of them is the command event.
    static constexpr int kMaxWatches = MAXIMUM_WAIT_OBJECTS - 1;

    TChangeHandlerThread(HWND window, UINT message);
    ~TChangeHandlerThread();
    TChangeHandlerThread(const TChangeHandlerThread&) = delete;
    TChangeHandlerThread& operator=(const TChangeHandlerThread&) = delete;

    // Drops every watch, then watches the root of every drive with its subtree.
    void StartWatching(DWORD filter);
    // Drops every watch.
    void Reset();
    // Watches a folder; false when the system refuses or the thread does not answer in time.
    bool AddWatch(const std::string& path, bool subtree, DWORD filter);
    void RemoveWatch(int slot);
    // The number of live watches.
    int WatchCount();

private:
    // cmdWithdrawn: a command its caller stopped waiting for before the thread took it.
    enum TCommand : int { cmdWithdrawn = -1, cmdReset = 0, cmdRemove = 1, cmdAdd = 2, cmdTerminate = 3 };
    static DWORD WINAPI ThreadProc(void* self);
    void Run();
    // Runs a command on the thread and waits for the acknowledgement of that very
    // command; on a time-out the command is withdrawn if the thread has not taken
    // it, so that it neither runs late nor answers for the next one.
    bool Command(TCommand command, int argument, TOwnedChangeNotification watch = TOwnedChangeNotification());
    // On the thread, with the command slot locked.
    void Execute(TCommand command, int argument);

    HWND window_;
    UINT message_;
    TOwnedHandle commandEvent_;
    TOwnedHandle replyEvent_;
    TOwnedHandle thread_;
    std::mutex commandLock_;   // one caller's command at a time
    std::mutex slotLock_;      // the command slot below, between the caller and the thread
    TCommand command_ = cmdWithdrawn;
    int argument_ = 0;
    TOwnedChangeNotification pending_; // the watch an add command hands over
    unsigned issued_ = 0;   // the number of the last command put into the slot
    unsigned answered_ = 0; // the number of the last command the thread has carried out
    // Touched only by the thread (free slots hold no handle).
    std::vector<TOwnedChangeNotification> watches_;
    std::atomic<int> liveCount_{0};
};
