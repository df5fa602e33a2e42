// The change-notification thread.
#include "KvChangeHandlerThread.h"

#include "Exception.h"
#include "QuietErrorMode.h"

namespace {
constexpr DWORD kReplyTimeoutMs = 2000;
} // namespace

TChangeHandlerThread::TChangeHandlerThread(HWND window, UINT message)
    : window_(window), message_(message), commandEvent_(CreateEventA(nullptr, FALSE, FALSE, nullptr)),
      replyEvent_(CreateEventA(nullptr, FALSE, FALSE, nullptr))
{
    watches_.resize(kMaxWatches);
    if (!commandEvent_.IsValid() || !replyEvent_.IsValid())
        throw EOSError("Cannot create the events of the change thread");
    thread_.Reset(CreateThread(nullptr, 0, &TChangeHandlerThread::ThreadProc, this, 0, nullptr));
    if (!thread_.IsValid())
        throw EOSError("Cannot start the change thread");
}

TChangeHandlerThread::~TChangeHandlerThread()
{
    {
        std::lock_guard<std::mutex> lock(commandLock_);
        std::lock_guard<std::mutex> slot(slotLock_);
        command_ = cmdTerminate;
        ++issued_;
    }
    SetEvent(commandEvent_.Get());
    WaitForSingleObject(thread_.Get(), INFINITE);
}

DWORD WINAPI TChangeHandlerThread::ThreadProc(void* self)
{
    static_cast<TChangeHandlerThread*>(self)->Run();
    return 0;
}

void TChangeHandlerThread::Run()
{
    for (;;) {
        // The command event first, then every live watch; remember which slot each came from.
        HANDLE handles[MAXIMUM_WAIT_OBJECTS];
        int slots[MAXIMUM_WAIT_OBJECTS];
        DWORD count = 0;
        handles[count++] = commandEvent_.Get();
        for (int slot = 0; slot < kMaxWatches; ++slot)
            if (watches_[static_cast<size_t>(slot)].IsValid()) {
                slots[count] = slot;
                handles[count++] = watches_[static_cast<size_t>(slot)].Get();
            }
        DWORD signalled = WaitForMultipleObjects(count, handles, FALSE, INFINITE);
        if (signalled == WAIT_OBJECT_0) {
            {
                std::lock_guard<std::mutex> slot(slotLock_);
                if (answered_ != issued_) {
                    if (command_ == cmdTerminate)
                        return;
                    Execute(command_, argument_);
                    answered_ = issued_;
                }
            }
            SetEvent(replyEvent_.Get());
        } else if (signalled > WAIT_OBJECT_0 && signalled < WAIT_OBJECT_0 + count) {
            int slot = slots[signalled - WAIT_OBJECT_0];
            TOwnedChangeNotification& watch = watches_[static_cast<size_t>(slot)];
            if (FindNextChangeNotification(watch.Get()))
                PostMessageA(window_, message_, static_cast<WPARAM>(slot), 0);
            else
                watch.Reset(), --liveCount_; // the folder went away
        } else {
            return; // the wait itself failed: nothing left to do safely
        }
    }
}

void TChangeHandlerThread::Execute(TCommand command, int argument)
{
    switch (command) {
    case cmdReset:
        for (auto& watch : watches_)
            watch.Reset();
        liveCount_ = 0;
        break;
    case cmdRemove:
        if (argument >= 0 && argument < kMaxWatches && watches_[static_cast<size_t>(argument)].IsValid()) {
            watches_[static_cast<size_t>(argument)].Reset();
            --liveCount_;
        }
        break;
    case cmdAdd:
        for (auto& watch : watches_)
            if (!watch.IsValid()) {
                watch = std::move(pending_);
                ++liveCount_;
                break;
            }
        pending_.Reset(); // no free slot: the watch is dropped
        break;
    case cmdWithdrawn:
    case cmdTerminate:
        break;
    }
}

bool TChangeHandlerThread::Command(TCommand command, int argument, TOwnedChangeNotification watch)
{
    unsigned ticket = 0;
    {
        std::lock_guard<std::mutex> slot(slotLock_);
        command_ = command;
        argument_ = argument;
        pending_ = std::move(watch);
        ticket = ++issued_;
    }
    SetEvent(commandEvent_.Get());
    const DWORD start = GetTickCount();
    for (;;) {
        {
            std::lock_guard<std::mutex> slot(slotLock_);
            if (answered_ == ticket)
                return true;
        }
        // A reply may be a late one of an earlier command: the number decides.
        const DWORD waited = GetTickCount() - start;
        if (waited >= kReplyTimeoutMs)
            break;
        WaitForSingleObject(replyEvent_.Get(), kReplyTimeoutMs - waited);
    }
    // The thread carries a command out whole while it holds the slot, so it has
    // either done this one by now or not begun it.
    std::lock_guard<std::mutex> slot(slotLock_);
    if (answered_ == ticket)
        return true;
    command_ = cmdWithdrawn;
    pending_.Reset();
    return false;
}

void TChangeHandlerThread::Reset()
{
    std::lock_guard<std::mutex> lock(commandLock_);
    Command(cmdReset, 0);
}

void TChangeHandlerThread::RemoveWatch(int slot)
{
    std::lock_guard<std::mutex> lock(commandLock_);
    Command(cmdRemove, slot);
}

bool TChangeHandlerThread::AddWatch(const std::string& path, bool subtree, DWORD filter)
{
    TOwnedChangeNotification watch(FindFirstChangeNotificationA(path.c_str(), subtree ? TRUE : FALSE, filter));
    if (!watch.IsValid())
        return false;
    std::lock_guard<std::mutex> lock(commandLock_);
    if (liveCount_ >= kMaxWatches)
        return false;
    return Command(cmdAdd, 0, std::move(watch));
}

int TChangeHandlerThread::WatchCount()
{
    std::lock_guard<std::mutex> lock(commandLock_);
    return liveCount_;
}

void TChangeHandlerThread::StartWatching(DWORD filter)
{
    Reset();
    DWORD drives = GetLogicalDrives();
    TQuietErrorMode quiet; // no "insert a disk" boxes for empty drives
    for (int letter = 0; letter < 26; ++letter)
        if (drives & (1u << letter)) {
            char root[] = {static_cast<char>('A' + letter), ':', '\\', '\0'};
            AddWatch(root, true, filter);
        }
}
