// CCustomControlSite: the site of the program's browser controls. As their
// document host it suppresses the context menu, the 3-D border and the
// scroll bars, and hands out the application's external object.
#pragma once

#include <windows.h>

#include <mshtmhst.h>

#include "COleControlSite.h"

class CCustomControlSite : public COleControlSite, public IDocHostUIHandler {
public:
    explicit CCustomControlSite(COleControlContainer* container);

    void* GetInterface(REFIID iid) override;

    // IUnknown: the site's own counting and interface map.
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IDocHostUIHandler
    STDMETHODIMP ShowContextMenu(DWORD id, POINT* point, IUnknown* commandTarget,
                                 IDispatch* object) override;
    STDMETHODIMP GetHostInfo(DOCHOSTUIINFO* info) override;
    STDMETHODIMP ShowUI(DWORD id, IOleInPlaceActiveObject* activeObject,
                        IOleCommandTarget* commandTarget, IOleInPlaceFrame* frame,
                        IOleInPlaceUIWindow* document) override;
    STDMETHODIMP HideUI() override;
    STDMETHODIMP UpdateUI() override;
    STDMETHODIMP EnableModeless(BOOL enable) override;
    STDMETHODIMP OnDocWindowActivate(BOOL activate) override;
    STDMETHODIMP OnFrameWindowActivate(BOOL activate) override;
    STDMETHODIMP ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frameWindow) override;
    STDMETHODIMP TranslateAccelerator(LPMSG message, const GUID* group, DWORD id) override;
    STDMETHODIMP GetOptionKeyPath(LPOLESTR* key, DWORD reserved) override;
    STDMETHODIMP GetDropTarget(IDropTarget* target, IDropTarget** ownTarget) override;
    STDMETHODIMP GetExternal(IDispatch** external) override;
    STDMETHODIMP TranslateUrl(DWORD translate, LPWSTR url, LPWSTR* translated) override;
    STDMETHODIMP FilterDataObject(IDataObject* object, IDataObject** filtered) override;

    // The frame's versions of the two names IDocHostUIHandler shares with it.
    using COleControlSite::TranslateAccelerator;
};
