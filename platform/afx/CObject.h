// CObject and CRuntimeClass: the root of the framework's classes and the class
// records that let the document template create frames, documents and views.
#pragma once

#include <windows.h>

class CObject;

struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    CObject* (*m_pfnCreateObject)();  // null for classes that cannot be created by name
    const CRuntimeClass* m_pBaseClass;

    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* base) const;
};

#define RUNTIME_CLASS(theClass) (&theClass::classRuntime)

// In a class body: the class record and the override that returns it.
#define DECLARE_DYNAMIC(theClass) \
public: \
    static const CRuntimeClass classRuntime; \
    const CRuntimeClass* GetRuntimeClass() const override;

// As DECLARE_DYNAMIC, and the class can be created through its record.
#define DECLARE_DYNCREATE(theClass) \
    DECLARE_DYNAMIC(theClass) \
    static CObject* CreateObject();

#define IMPLEMENT_RUNTIMECLASS_(theClass, baseClass, create) \
    const CRuntimeClass theClass::classRuntime = {#theClass, create, RUNTIME_CLASS(baseClass)}; \
    const CRuntimeClass* theClass::GetRuntimeClass() const { return &theClass::classRuntime; }

#define IMPLEMENT_DYNAMIC(theClass, baseClass) IMPLEMENT_RUNTIMECLASS_(theClass, baseClass, nullptr)

#define IMPLEMENT_DYNCREATE(theClass, baseClass) \
    CObject* theClass::CreateObject() { return new theClass; } \
    IMPLEMENT_RUNTIMECLASS_(theClass, baseClass, &theClass::CreateObject)

class CObject {
public:
    static const CRuntimeClass classRuntime;

    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* cls) const;

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};
