// TThread: a thread of the class library. A subclass overrides Execute; the
// thread may hand work to the main thread with Synchronize, which runs it there
// while the thread waits. The main thread is the one that made the first
// TThread; it runs such work whenever it handles messages or waits in WaitFor.
#pragma once

#include "Closure.h"
#include "Exception.h"
#include "OwnedHandles.h"
#include "TObject.h"

#include <windows.h>

#include <exception>

using TThreadMethod = TClosure<void()>;

CLASSLIB_EXCEPTION(EThread, Exception);

class TThread : public TObject {
public:
    CLASSLIB_CLASS_NAME(TThread)
    // A thread made suspended waits for Resume; otherwise it starts at once.
    explicit TThread(bool createSuspended);
    // Terminates and waits for a thread still running (never one that frees itself).
    ~TThread() override;

    void Resume();
    // Asks Execute to stop: it should test Terminated() now and then.
    void Terminate() { terminated_ = true; }
    // Waits until the thread has ended and returns its ReturnValue. Called on the
    // main thread, it runs the Synchronize calls of the thread meanwhile.
    DWORD WaitFor();

    bool Suspended() const { return suspended_; }
    bool Finished() const { return finished_; }
    bool FreeOnTerminate() const { return freeOnTerminate_; }
    void SetFreeOnTerminate(bool value) { freeOnTerminate_ = value; }
    HANDLE Handle() const { return handle_.Get(); }
    DWORD ThreadID() const { return threadId_; }
    // The exception that ended Execute, kept for whoever waits for the thread.
    std::exception_ptr FatalException() const { return fatalException_; }

    // Runs `method` on the main thread and waits for it; an exception it raises
    // is raised again here. On the main thread itself the method runs at once.
    static void Synchronize(const TThreadMethod& method);

    // Called on the main thread after Execute has ended.
    TNotifyEvent OnTerminate;

protected:
    virtual void Execute() = 0;
    bool Terminated() const { return terminated_; }
    DWORD ReturnValue() const { return returnValue_; }
    void SetReturnValue(DWORD value) { returnValue_ = value; }
    virtual void DoTerminate();

private:
    static DWORD WINAPI ThreadProc(LPVOID parameter);
    void CallOnTerminate();

    TOwnedHandle handle_;
    DWORD threadId_ = 0;
    volatile bool terminated_ = false;
    volatile bool finished_ = false;
    bool suspended_ = false;
    bool freeOnTerminate_ = false;
    DWORD returnValue_ = 0;
    std::exception_ptr fatalException_;
};
