// The control site: creation and in-place activation of a control, and the
// client-site, in-place-site and frame answers the control asks for.
#include "COleControlSite.h"

#include <ocidl.h>

#include "COleControlContainer.h"

COleControlSite::COleControlSite(COleControlContainer* container) : m_pCtrlCont(container) {}

COleControlSite::~COleControlSite()
{
    DestroyControl();
}

HRESULT COleControlSite::CreateControl(REFCLSID clsid, const RECT& rect, UINT id, DWORD style)
{
    DestroyControl();
    m_nID = id;
    m_rect = rect;

    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER,
                                  IID_IOleObject, m_pObject.ReceiveVoid());
    if (FAILED(hr))
        return hr;  // the control is not registered here: no control, no window

    IOleClientSite* site = this;
    hr = m_pObject->SetClientSite(site);
    if (SUCCEEDED(hr)) {
        // A new, empty state; controls without a persistence interface start as they are.
        if (auto persist = m_pObject.As<IPersistStreamInit>(IID_IPersistStreamInit))
            persist->InitNew();
        hr = m_pObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site, 0,
                               m_pCtrlCont->GetWindow(), &m_rect);
    }
    if (FAILED(hr)) {
        DestroyControl();
        return hr;
    }

    m_hWnd = FindControlWindow();
    if (m_hWnd) {
        SetWindowLongPtrA(m_hWnd, GWLP_ID, static_cast<LONG_PTR>(id));
        ShowWindow(m_hWnd, (style & WS_VISIBLE) ? SW_SHOWNA : SW_HIDE);
    }
    return S_OK;
}

HWND COleControlSite::FindControlWindow() const
{
    HWND window = nullptr;
    if (m_pInPlaceObject)
        m_pInPlaceObject->GetWindow(&window);
    else if (auto inPlace = m_pObject.As<IOleInPlaceObject>(IID_IOleInPlaceObject))
        inPlace->GetWindow(&window);
    return window;
}

void COleControlSite::DestroyControl()
{
    if (!m_pObject)
        return;
    if (m_pInPlaceObject)
        m_pInPlaceObject->InPlaceDeactivate();
    m_pInPlaceObject.Reset();
    m_pObject->Close(OLECLOSE_NOSAVE);
    m_pObject->SetClientSite(nullptr);
    m_pObject.Reset();
    m_hWnd = nullptr;
    m_bInPlaceActive = false;
}

void* COleControlSite::GetInterface(REFIID iid)
{
    if (iid == IID_IUnknown || iid == IID_IOleClientSite)
        return static_cast<IOleClientSite*>(this);
    if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite)
        return static_cast<IOleInPlaceSite*>(this);
    return nullptr;
}

STDMETHODIMP COleControlSite::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = GetInterface(iid);
    if (!*object)
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) COleControlSite::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_nRefs));
}

STDMETHODIMP_(ULONG) COleControlSite::Release()
{
    const LONG refs = InterlockedDecrement(&m_nRefs);
    if (refs == 0)
        delete this;
    return static_cast<ULONG>(refs);
}

// IOleClientSite: the control lives only in this window; nothing is saved.
STDMETHODIMP COleControlSite::SaveObject() { return S_OK; }
STDMETHODIMP COleControlSite::GetMoniker(DWORD, DWORD, IMoniker** moniker)
{
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}
STDMETHODIMP COleControlSite::GetContainer(IOleContainer** container)
{
    if (container)
        *container = nullptr;
    return E_NOINTERFACE;
}
STDMETHODIMP COleControlSite::ShowObject() { return S_OK; }
STDMETHODIMP COleControlSite::OnShowWindow(BOOL) { return S_OK; }
STDMETHODIMP COleControlSite::RequestNewObjectLayout() { return E_NOTIMPL; }

STDMETHODIMP COleControlSite::GetWindow(HWND* window)
{
    if (!window)
        return E_POINTER;
    *window = m_pCtrlCont->GetWindow();
    return *window ? S_OK : E_FAIL;
}
STDMETHODIMP COleControlSite::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

STDMETHODIMP COleControlSite::CanInPlaceActivate() { return S_OK; }
STDMETHODIMP COleControlSite::OnInPlaceActivate()
{
    m_bInPlaceActive = true;
    m_pInPlaceObject = m_pObject.As<IOleInPlaceObject>(IID_IOleInPlaceObject);
    return S_OK;
}
STDMETHODIMP COleControlSite::OnUIActivate() { return S_OK; }

STDMETHODIMP COleControlSite::GetWindowContext(IOleInPlaceFrame** frame,
                                               IOleInPlaceUIWindow** document, LPRECT position,
                                               LPRECT clip, LPOLEINPLACEFRAMEINFO frameInfo)
{
    if (!frame || !document || !position || !clip || !frameInfo)
        return E_POINTER;
    *frame = this;
    AddRef();
    *document = nullptr;  // the frame is the only user-interface window
    *position = m_rect;
    *clip = m_rect;
    frameInfo->fMDIApp = FALSE;
    frameInfo->hwndFrame = m_pCtrlCont->GetWindow();
    frameInfo->haccel = nullptr;
    frameInfo->cAccelEntries = 0;
    return S_OK;
}

STDMETHODIMP COleControlSite::Scroll(SIZE) { return E_NOTIMPL; }
STDMETHODIMP COleControlSite::OnUIDeactivate(BOOL) { return S_OK; }
STDMETHODIMP COleControlSite::OnInPlaceDeactivate()
{
    m_bInPlaceActive = false;
    m_pInPlaceObject.Reset();
    return S_OK;
}
STDMETHODIMP COleControlSite::DiscardUndoState() { return E_NOTIMPL; }
STDMETHODIMP COleControlSite::DeactivateAndUndo() { return E_NOTIMPL; }
STDMETHODIMP COleControlSite::OnPosRectChange(LPCRECT position)
{
    if (!position)
        return E_POINTER;
    m_rect = *position;
    if (m_pInPlaceObject)
        m_pInPlaceObject->SetObjectRects(&m_rect, &m_rect);
    return S_OK;
}

STDMETHODIMP COleControlSite::GetBorder(LPRECT) { return INPLACE_E_NOTOOLSPACE; }
STDMETHODIMP COleControlSite::RequestBorderSpace(LPCBORDERWIDTHS) { return INPLACE_E_NOTOOLSPACE; }
STDMETHODIMP COleControlSite::SetBorderSpace(LPCBORDERWIDTHS) { return OLE_E_INVALIDRECT; }
STDMETHODIMP COleControlSite::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) { return S_OK; }
STDMETHODIMP COleControlSite::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) { return E_NOTIMPL; }
STDMETHODIMP COleControlSite::SetMenu(HMENU, HOLEMENU, HWND) { return S_OK; }
STDMETHODIMP COleControlSite::RemoveMenus(HMENU) { return E_NOTIMPL; }
STDMETHODIMP COleControlSite::SetStatusText(LPCOLESTR) { return S_OK; }
STDMETHODIMP COleControlSite::EnableModeless(BOOL) { return S_OK; }
STDMETHODIMP COleControlSite::TranslateAccelerator(LPMSG, WORD) { return S_FALSE; }
