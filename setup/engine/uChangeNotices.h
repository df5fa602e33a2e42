// The notices that end an install or an uninstall: the shell hears that file
// associations may have changed, and every top-level window that the
// environment did. A broadcast waits on each window of the desktop in turn, so
// an install hands it to a thread of its own and goes on meanwhile.
#pragma once

#include "OwnedHandles.h"

namespace uChangeNotices {

// Sends both notices from the calling thread; a hung window is passed over, a
// slow one is given `timeoutMs`.
void Send(unsigned timeoutMs);

// Both notices sent from a worker thread. Wait() and the destructor hold the
// caller until they are out, so that nothing is lost when the program ends
// right after; while waiting, messages sent to the caller's windows (the
// broadcast reaches them too) are delivered.
class TBackgroundNotices {
public:
    explicit TBackgroundNotices(unsigned timeoutMs) : timeoutMs_(timeoutMs) {}
    TBackgroundNotices(const TBackgroundNotices&) = delete;
    TBackgroundNotices& operator=(const TBackgroundNotices&) = delete;
    ~TBackgroundNotices() { Wait(); }

    // Starts sending; notices still on their way are waited for first. When no
    // thread can be started, the notices are sent at once on this thread.
    void Start();
    void Wait();

private:
    static unsigned __stdcall Run(void* self);

    unsigned timeoutMs_;
    TOwnedHandle thread_;
};

} // namespace uChangeNotices
