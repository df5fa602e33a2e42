// COleControlSite: the place of one OLE control in a window. It is the
// control's client site, in-place site and in-place frame, and creates the
// control by class id as a child of the container's window.
#pragma once

#include <windows.h>

#include <ole2.h>
#include <oleidl.h>

#include "ComPtr.h"

class COleControlContainer;

class COleControlSite : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
public:
    explicit COleControlSite(COleControlContainer* container);
    COleControlSite(const COleControlSite&) = delete;
    COleControlSite& operator=(const COleControlSite&) = delete;

    // Creates the control, activates it in place over `rect` of the container's
    // window and gives its window the id `id` and the style bits WS_VISIBLE of
    // `style` (a control created without WS_VISIBLE is hidden). Fails softly:
    // an unregistered or failing control leaves the site empty and gives an error.
    HRESULT CreateControl(REFCLSID clsid, const RECT& rect, UINT id, DWORD style);
    // Deactivates and closes the control; safe when none was created.
    void DestroyControl();

    HWND GetControlWindow() const { return m_hWnd; }
    UINT GetControlId() const { return m_nID; }
    IOleObject* GetControlObject() const { return m_pObject.Get(); }
    COleControlContainer* GetContainer() const { return m_pCtrlCont; }

    // The site's interface map: the interface `iid` of this site without a
    // new reference, or null. Derived sites answer theirs and defer to this.
    virtual void* GetInterface(REFIID iid);

    // IUnknown, shared by every interface of the site.
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IOleClientSite
    STDMETHODIMP SaveObject() override;
    STDMETHODIMP GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
    STDMETHODIMP GetContainer(IOleContainer** container) override;
    STDMETHODIMP ShowObject() override;
    STDMETHODIMP OnShowWindow(BOOL show) override;
    STDMETHODIMP RequestNewObjectLayout() override;

    // IOleWindow (of the in-place site and the frame): the container's window.
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL enter) override;

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override;
    STDMETHODIMP OnInPlaceActivate() override;
    STDMETHODIMP OnUIActivate() override;
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                  LPRECT position, LPRECT clip,
                                  LPOLEINPLACEFRAMEINFO frameInfo) override;
    STDMETHODIMP Scroll(SIZE extent) override;
    STDMETHODIMP OnUIDeactivate(BOOL undoable) override;
    STDMETHODIMP OnInPlaceDeactivate() override;
    STDMETHODIMP DiscardUndoState() override;
    STDMETHODIMP DeactivateAndUndo() override;
    STDMETHODIMP OnPosRectChange(LPCRECT position) override;

    // IOleInPlaceUIWindow and IOleInPlaceFrame: the container keeps no tool
    // space and no menus for its controls.
    STDMETHODIMP GetBorder(LPRECT border) override;
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS widths) override;
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS widths) override;
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR name) override;
    STDMETHODIMP InsertMenus(HMENU shared, LPOLEMENUGROUPWIDTHS widths) override;
    STDMETHODIMP SetMenu(HMENU shared, HOLEMENU descriptor, HWND activeObject) override;
    STDMETHODIMP RemoveMenus(HMENU shared) override;
    STDMETHODIMP SetStatusText(LPCOLESTR text) override;
    STDMETHODIMP EnableModeless(BOOL enable) override;
    STDMETHODIMP TranslateAccelerator(LPMSG message, WORD id) override;

protected:
    virtual ~COleControlSite();

    // The window the control made for itself, found through its in-place object.
    HWND FindControlWindow() const;

    COleControlContainer* m_pCtrlCont;
    ComPtr<IOleObject> m_pObject;
    ComPtr<IOleInPlaceObject> m_pInPlaceObject;
    HWND m_hWnd = nullptr;
    UINT m_nID = 0;
    RECT m_rect = {};
    bool m_bInPlaceActive = false;

private:
    LONG m_nRefs = 1;
};
