// OLE drag and drop of the shell tree: TDropTarget_shtv hands what is dragged
// over the tree to the shell folder under the pointer, TDropSource_shtv ends a
// drag that starts in the tree when the button goes up (or Esc is pressed).
#pragma once

#include "ComPtr.h"

#include <windows.h>
#include <ole2.h>

class TKvCustomShellTree;
class TKvTreeNode;

// The IUnknown part of a small COM object with one interface: reference counted,
// made with one reference, freed by its last Release.
template <typename Interface>
class TComObject : public Interface {
public:
    virtual ~TComObject() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (object == nullptr)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(Interface))) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        LONG count = InterlockedDecrement(&references_);
        if (count == 0)
            delete this;
        return static_cast<ULONG>(count);
    }

private:
    LONG references_ = 1;
};

class TDropTarget_shtv : public TComObject<IDropTarget> {
public:
    explicit TDropTarget_shtv(TKvCustomShellTree* tree) : tree_(tree) {}

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;

private:
    // Moves the drag to the folder under the pointer (or to none).
    void Retarget(POINTL point, DWORD keys, DWORD* effect);
    void LeaveTarget();
    void Highlight(TKvTreeNode* node);
    void ScrollNearEdges(POINT client);
    void EndDrag();

    TKvCustomShellTree* tree_;
    ComPtr<IDataObject> data_;
    ComPtr<IDropTarget> target_; // the folder's own drop target
    TKvTreeNode* node_ = nullptr;
    DWORD restingSince_ = 0;
    bool holding_ = false; // holds the tree's refreshes back from DragEnter to the drag's end
};

class TDropSource_shtv : public TComObject<IDropSource> {
public:
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keys) override;
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override;
};
