// CMutex over CreateMutexA / ReleaseMutex.
#include "CMutex.h"

CMutex::CMutex(BOOL initiallyOwn, LPCSTR name, LPSECURITY_ATTRIBUTES attributes)
{
    m_hObject = CreateMutexA(attributes, initiallyOwn, name);
}

BOOL CMutex::Unlock()
{
    return ReleaseMutex(m_hObject);
}
