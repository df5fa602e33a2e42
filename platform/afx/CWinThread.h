// CWinThread: one thread of the program, either a worker running a thread
// function or a thread with its own message loop; AfxBeginThread starts a worker.
#pragma once

#include <windows.h>

#include <memory>

class CWnd;

typedef UINT(__cdecl* AFX_THREADPROC)(LPVOID);

class CWinThread {
public:
    CWinThread();  // a thread that runs InitInstance / Run
    CWinThread(AFX_THREADPROC proc, LPVOID param);
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;
    virtual ~CWinThread();

    BOOL CreateThread(DWORD createFlags = 0, UINT stackSize = 0,
                      LPSECURITY_ATTRIBUTES attributes = nullptr);
    DWORD SuspendThread();
    DWORD ResumeThread();
    int GetThreadPriority();
    BOOL SetThreadPriority(int priority);
    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam);

    operator HANDLE() const { return m_hThread; }

    // Overridables of a thread with a message loop.
    virtual BOOL InitInstance();
    virtual int ExitInstance();  // by default the quit message's code
    virtual int Run();           // the message loop; returns ExitInstance()
    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual BOOL OnIdle(LONG count);
    // Deletes the object when m_bAutoDelete is set; called when the thread ends.
    virtual void Delete();

    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    // Set by default: the object deletes itself when its thread ends. Switch
    // it off (start suspended, then resume) to keep the object and its handle.
    BOOL m_bAutoDelete = TRUE;
    CWnd* m_pMainWnd = nullptr;
    AFX_THREADPROC m_pfnThreadProc = nullptr;
    LPVOID m_pThreadParams = nullptr;
    MSG m_msgCur = {};  // the message being handled by Run

private:
    struct Link;
    static unsigned __stdcall ThreadEntry(void* link);

    // Shared with the running thread, so that the thread never touches an
    // object its owner has already deleted.
    std::shared_ptr<Link> m_link;
};

// Starts `proc(param)` on a new thread. The returned object deletes itself when
// the thread ends unless m_bAutoDelete is cleared first (CREATE_SUSPENDED).
CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID param, int priority = THREAD_PRIORITY_NORMAL,
                           UINT stackSize = 0, DWORD createFlags = 0,
                           LPSECURITY_ATTRIBUTES attributes = nullptr);
