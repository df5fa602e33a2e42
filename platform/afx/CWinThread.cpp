// CWinThread and AfxBeginThread over _beginthreadex.
#include "CWinThread.h"

#include <process.h>

#include <mutex>

struct CWinThread::Link {
    std::mutex lock;
    CWinThread* owner = nullptr;  // null once the object is gone
    AFX_THREADPROC proc = nullptr;
    LPVOID param = nullptr;
};

CWinThread::CWinThread() : m_link(std::make_shared<Link>())
{
    m_link->owner = this;
}

CWinThread::CWinThread(AFX_THREADPROC proc, LPVOID param) : CWinThread()
{
    m_pfnThreadProc = proc;
    m_pThreadParams = param;
}

CWinThread::~CWinThread()
{
    {
        std::lock_guard<std::mutex> guard(m_link->lock);
        m_link->owner = nullptr;
    }
    if (m_hThread)
        CloseHandle(m_hThread);
}

BOOL CWinThread::CreateThread(DWORD createFlags, UINT stackSize, LPSECURITY_ATTRIBUTES attributes)
{
    if (m_hThread)
        return FALSE;
    // A worker runs its function even when its object is deleted before it starts.
    m_link->proc = m_pfnThreadProc;
    m_link->param = m_pThreadParams;
    auto* link = new std::shared_ptr<Link>(m_link);
    unsigned id = 0;
    const uintptr_t handle =
        _beginthreadex(attributes, stackSize, &CWinThread::ThreadEntry, link, createFlags, &id);
    if (!handle) {
        delete link;
        return FALSE;
    }
    m_hThread = reinterpret_cast<HANDLE>(handle);
    m_nThreadID = id;
    return TRUE;
}

unsigned __stdcall CWinThread::ThreadEntry(void* param)
{
    std::shared_ptr<Link> link = *static_cast<std::shared_ptr<Link>*>(param);
    delete static_cast<std::shared_ptr<Link>*>(param);

    UINT code = 0;
    if (link->proc) {
        code = link->proc(link->param);  // the object may be deleted meanwhile: touch it no more
    } else {
        CWinThread* self;
        {
            std::lock_guard<std::mutex> guard(link->lock);
            self = link->owner;
        }
        if (!self)
            return 0;
        code = static_cast<UINT>(self->InitInstance() ? self->Run() : self->ExitInstance());
    }

    CWinThread* finished = nullptr;
    {
        std::lock_guard<std::mutex> guard(link->lock);
        if (link->owner && link->owner->m_bAutoDelete) {
            finished = link->owner;
            link->owner = nullptr;
        }
    }
    if (finished)
        finished->Delete();
    return code;
}

DWORD CWinThread::SuspendThread()
{
    return ::SuspendThread(m_hThread);
}

DWORD CWinThread::ResumeThread()
{
    return ::ResumeThread(m_hThread);
}

int CWinThread::GetThreadPriority()
{
    return ::GetThreadPriority(m_hThread);
}

BOOL CWinThread::SetThreadPriority(int priority)
{
    return ::SetThreadPriority(m_hThread, priority);
}

BOOL CWinThread::PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostThreadMessageA(m_nThreadID, message, wParam, lParam);
}

BOOL CWinThread::InitInstance()
{
    return FALSE;
}

int CWinThread::ExitInstance()
{
    return static_cast<int>(m_msgCur.wParam);
}

int CWinThread::Run()
{
    MSG& msg = m_msgCur;
    LONG idleCount = 0;
    for (;;) {
        while (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++))
                break;
        }
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1)
            break;
        if (!PreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        idleCount = 0;
    }
    return ExitInstance();
}

BOOL CWinThread::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWinThread::OnIdle(LONG)
{
    return FALSE;
}

void CWinThread::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID param, int priority, UINT stackSize,
                           DWORD createFlags, LPSECURITY_ATTRIBUTES attributes)
{
    auto* thread = new CWinThread(proc, param);
    if (!thread->CreateThread(createFlags | CREATE_SUSPENDED, stackSize, attributes)) {
        delete thread;
        return nullptr;
    }
    thread->SetThreadPriority(priority);
    if (!(createFlags & CREATE_SUSPENDED))
        thread->ResumeThread();
    return thread;
}
