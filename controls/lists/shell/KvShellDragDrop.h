// OLE drag and drop of the shell tree: TDropTarget_shtv hands what is dragged
// over the tree to the shell folder under the pointer, TDropSource_shtv ends a
// drag that starts in the tree when the button goes up (or Esc is pressed).
#pragma once

#include "ComPtr.h"

#include <windows.h>
#include <ole2.h>

class TKvCustomShellTree;
class TKvTreeNode;

class TDropTarget_shtv : public IDropTarget {
public:
    explicit TDropTarget_shtv(TKvCustomShellTree* tree) : tree_(tree) {}
    virtual ~TDropTarget_shtv() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

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

    LONG references_ = 1;
    TKvCustomShellTree* tree_;
    ComPtr<IDataObject> data_;
    ComPtr<IDropTarget> target_; // the folder's own drop target
    TKvTreeNode* node_ = nullptr;
    DWORD restingSince_ = 0;
};

class TDropSource_shtv : public IDropSource {
public:
    TDropSource_shtv() = default;
    virtual ~TDropSource_shtv() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keys) override;
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override;

private:
    LONG references_ = 1;
};
