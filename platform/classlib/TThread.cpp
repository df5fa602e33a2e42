// Threads and the hand-over of work to the main thread. A Synchronize call is
// sent as a message to a window of the main thread, so the main thread runs it
// in whatever message loop it is in (its own, a modal form's, a message box's).
#include "TThread.h"

#include <string>

namespace {

// What one Synchronize call carries to the main thread and back.
struct TSyncCall {
    const TThreadMethod* method;
    std::exception_ptr error;
};

const UINT kSyncMessage = WM_APP + 0x3A1;
const char* const kSyncWindowClass = "TThreadSyncWindow";

LRESULT CALLBACK SyncWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == kSyncMessage) {
        auto* call = reinterpret_cast<TSyncCall*>(lParam);
        try {
            (*call->method)();
        } catch (...) {
            call->error = std::current_exception();
        }
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

// A message-only window that runs the calls, made (once per process) by the
// thread that makes the first TThread: the main thread.
HWND SyncWindow()
{
    static HWND window = [] {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = &SyncWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kSyncWindowClass;
        RegisterClassA(&windowClass);
        return CreateWindowExA(0, kSyncWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    }();
    return window;
}

bool OnMainThread() { return GetWindowThreadProcessId(SyncWindow(), nullptr) == GetCurrentThreadId(); }

} // namespace

TThread::TThread(bool createSuspended)
{
    SyncWindow(); // made now, on the thread that makes threads
    handle_.Reset(CreateThread(nullptr, 0, &TThread::ThreadProc, this, CREATE_SUSPENDED, &threadId_));
    if (handle_.IsNull())
        throw EThread("Cannot create a thread: error " + std::to_string(GetLastError()));
    suspended_ = true;
    if (!createSuspended)
        Resume();
}

TThread::~TThread()
{
    if (handle_.IsNull())
        return;
    if (!finished_ && !freeOnTerminate_) {
        Terminate();
        if (suspended_)
            Resume();
        WaitFor();
    }
}

void TThread::Resume()
{
    if (!suspended_)
        return;
    suspended_ = false;
    ResumeThread(handle_.Get());
}

DWORD TThread::WaitFor()
{
    if (GetCurrentThreadId() == threadId_)
        throw EThread("A thread cannot wait for itself");
    HANDLE thread = handle_.Get();
    if (!OnMainThread()) {
        WaitForSingleObject(thread, INFINITE);
    } else {
        // Sent messages (the thread's Synchronize calls) are handled while waiting.
        while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
            MSG msg;
            PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
        }
    }
    return returnValue_;
}

void TThread::Synchronize(const TThreadMethod& method)
{
    if (OnMainThread()) {
        method();
        return;
    }
    TSyncCall call = {&method, nullptr};
    SendMessageA(SyncWindow(), kSyncMessage, 0, reinterpret_cast<LPARAM>(&call));
    if (call.error)
        std::rethrow_exception(call.error);
}

void TThread::CallOnTerminate()
{
    if (OnTerminate)
        OnTerminate(this);
}

void TThread::DoTerminate()
{
    if (OnTerminate)
        Synchronize(TThreadMethod(this, &TThread::CallOnTerminate));
}

DWORD WINAPI TThread::ThreadProc(LPVOID parameter)
{
    auto* thread = static_cast<TThread*>(parameter);
    if (!thread->terminated_) {
        try {
            thread->Execute();
        } catch (...) {
            thread->fatalException_ = std::current_exception();
        }
    }
    bool freeOnTerminate = thread->freeOnTerminate_;
    DWORD result = thread->returnValue_;
    try {
        thread->DoTerminate();
    } catch (...) {
        if (!thread->fatalException_)
            thread->fatalException_ = std::current_exception();
    }
    thread->finished_ = true;
    if (freeOnTerminate)
        delete thread;
    return result;
}
