// The shell and environment change notices, sent at once or from a worker thread.
#include "uChangeNotices.h"

#include <windows.h>
#include <shlobj.h>
#include <process.h>

namespace uChangeNotices {

void Send(unsigned timeoutMs)
{
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    // Sent, not posted: the text must outlive the message in every receiver.
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, 0, reinterpret_cast<LPARAM>("Environment"),
                        SMTO_ABORTIFHUNG, timeoutMs, &answer);
}

unsigned __stdcall TBackgroundNotices::Run(void* self)
{
    Send(static_cast<TBackgroundNotices*>(self)->timeoutMs_);
    return 0;
}

void TBackgroundNotices::Start()
{
    Wait();
    // _beginthreadex rather than CreateThread: the thread runs in a program
    // linked with the static C runtime.
    uintptr_t thread = _beginthreadex(nullptr, 0, &TBackgroundNotices::Run, this, 0, nullptr);
    if (thread == 0) {
        Send(timeoutMs_);
        return;
    }
    thread_.Reset(reinterpret_cast<HANDLE>(thread));
}

void TBackgroundNotices::Wait()
{
    if (!thread_.IsValid())
        return;
    HANDLE thread = thread_.Get();
    // The broadcast also goes to this thread's own windows: a plain wait would
    // hold each of them until the send times out.
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    }
    thread_.Reset();
}

} // namespace uChangeNotices
