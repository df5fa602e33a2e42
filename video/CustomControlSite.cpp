// The document-host answers of the browser control's site.
#include "CustomControlSite.h"

#include "CWinApp.h"
#include "Video.h"

CCustomControlSite::CCustomControlSite(COleControlContainer* container)
    : COleControlSite(container)
{
}

void* CCustomControlSite::GetInterface(REFIID iid)
{
    if (iid == IID_IDocHostUIHandler)
        return static_cast<IDocHostUIHandler*>(this);
    return COleControlSite::GetInterface(iid);
}

STDMETHODIMP CCustomControlSite::QueryInterface(REFIID iid, void** object)
{
    return COleControlSite::QueryInterface(iid, object);
}

STDMETHODIMP_(ULONG) CCustomControlSite::AddRef()
{
    return COleControlSite::AddRef();
}

STDMETHODIMP_(ULONG) CCustomControlSite::Release()
{
    return COleControlSite::Release();
}

STDMETHODIMP CCustomControlSite::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*)
{
    return S_OK;  // handled: no menu appears
}

STDMETHODIMP CCustomControlSite::GetHostInfo(DOCHOSTUIINFO* info)
{
    if (!info)
        return E_POINTER;
    info->dwFlags = DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO;
    info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    return S_OK;
}

STDMETHODIMP CCustomControlSite::ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*,
                                        IOleInPlaceFrame*, IOleInPlaceUIWindow*)
{
    return S_OK;  // the host shows no user interface of its own
}

STDMETHODIMP CCustomControlSite::HideUI() { return S_OK; }
STDMETHODIMP CCustomControlSite::UpdateUI() { return S_OK; }
STDMETHODIMP CCustomControlSite::EnableModeless(BOOL enable)
{
    return COleControlSite::EnableModeless(enable);
}
STDMETHODIMP CCustomControlSite::OnDocWindowActivate(BOOL) { return S_OK; }
STDMETHODIMP CCustomControlSite::OnFrameWindowActivate(BOOL) { return S_OK; }
STDMETHODIMP CCustomControlSite::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) { return S_OK; }
STDMETHODIMP CCustomControlSite::TranslateAccelerator(LPMSG, const GUID*, DWORD)
{
    return S_FALSE;  // the control handles its own keys
}
STDMETHODIMP CCustomControlSite::GetOptionKeyPath(LPOLESTR* key, DWORD)
{
    if (key)
        *key = nullptr;
    return E_NOTIMPL;
}
STDMETHODIMP CCustomControlSite::GetDropTarget(IDropTarget*, IDropTarget** ownTarget)
{
    if (ownTarget)
        *ownTarget = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CCustomControlSite::GetExternal(IDispatch** external)
{
    if (!external)
        return E_POINTER;
    auto* app = dynamic_cast<CVideoApp*>(AfxGetApp());
    *external = app ? app->m_external.GetIDispatch(TRUE) : nullptr;
    return *external ? S_OK : S_FALSE;
}

STDMETHODIMP CCustomControlSite::TranslateUrl(DWORD, LPWSTR, LPWSTR* translated)
{
    if (translated)
        *translated = nullptr;
    return S_FALSE;
}
STDMETHODIMP CCustomControlSite::FilterDataObject(IDataObject*, IDataObject** filtered)
{
    if (filtered)
        *filtered = nullptr;
    return S_FALSE;
}
