// CSyncObject and CSingleLock.
#include "CSyncObject.h"

CSyncObject::~CSyncObject()
{
    if (m_hObject)
        CloseHandle(m_hObject);
}

BOOL CSyncObject::Lock(DWORD timeout)
{
    const DWORD result = WaitForSingleObject(m_hObject, timeout);
    return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

CSingleLock::CSingleLock(CSyncObject* object, BOOL initialLock) : m_object(object)
{
    if (initialLock)
        Lock();
}

CSingleLock::~CSingleLock()
{
    Unlock();
}

BOOL CSingleLock::Lock(DWORD timeout)
{
    if (!m_locked)
        m_locked = m_object->Lock(timeout);
    return m_locked;
}

BOOL CSingleLock::Unlock()
{
    if (m_locked)
        m_locked = !m_object->Unlock();
    return !m_locked;
}
