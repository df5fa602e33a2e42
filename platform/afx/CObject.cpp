// CObject and CRuntimeClass: class records and creation by record.
#include "CObject.h"

const CRuntimeClass CObject::classRuntime = {"CObject", nullptr, nullptr};

const CRuntimeClass* CObject::GetRuntimeClass() const
{
    return &CObject::classRuntime;
}

BOOL CObject::IsKindOf(const CRuntimeClass* cls) const
{
    return GetRuntimeClass()->IsDerivedFrom(cls);
}

CObject* CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const
{
    for (const CRuntimeClass* cls = this; cls; cls = cls->m_pBaseClass) {
        if (cls == base)
            return TRUE;
    }
    return FALSE;
}
