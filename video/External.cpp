// The empty automation object of hosted browser controls.
#include "External.h"

IMPLEMENT_DYNAMIC(CExternal, CCmdTarget)

IDispatch* CExternal::GetIDispatch(BOOL addRef)
{
    if (addRef)
        m_xDispatch.AddRef();
    return &m_xDispatch;
}

STDMETHODIMP CExternal::Dispatch::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CExternal::Dispatch::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_nRefs));
}

STDMETHODIMP_(ULONG) CExternal::Dispatch::Release()
{
    return static_cast<ULONG>(InterlockedDecrement(&m_nRefs));
}

STDMETHODIMP CExternal::Dispatch::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP CExternal::Dispatch::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info)
        *info = nullptr;
    return DISP_E_BADINDEX;
}

STDMETHODIMP CExternal::Dispatch::GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID, DISPID* ids)
{
    for (UINT i = 0; ids && i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

STDMETHODIMP CExternal::Dispatch::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
                                         EXCEPINFO*, UINT*)
{
    return DISP_E_MEMBERNOTFOUND;
}
