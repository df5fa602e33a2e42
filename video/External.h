// CExternal: the object hosted browser controls reach as their "external"
// object: an automation object with no methods or properties of its own.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include "CCmdTarget.h"

class CExternal : public CCmdTarget {
    DECLARE_DYNAMIC(CExternal)

public:
    CExternal() = default;
    CExternal(const CExternal&) = delete;
    CExternal& operator=(const CExternal&) = delete;

    // The object's automation interface; with `addRef` the caller gets a reference.
    IDispatch* GetIDispatch(BOOL addRef);

private:
    // The automation interface; it lives as long as the object that holds it,
    // its references only counted.
    class Dispatch : public IDispatch {
    public:
        STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
        STDMETHODIMP_(ULONG) AddRef() override;
        STDMETHODIMP_(ULONG) Release() override;
        STDMETHODIMP GetTypeInfoCount(UINT* count) override;
        STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
        STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                   DISPID* ids) override;
        STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                            VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

    private:
        LONG m_nRefs = 0;
    };

    Dispatch m_xDispatch;
};
