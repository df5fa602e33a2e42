// Drop target and drop source of the shell tree.
#include "KvShellDragDrop.h"

#include "KvShellTree.h"

#include <shlobj.h>

namespace {
constexpr int kScrollMargin = 16;
constexpr DWORD kExpandAfterMs = 1000;
} // namespace

// ---- drop target ----------------------------------------------------------

void TDropTarget_shtv::Highlight(TKvTreeNode* node)
{
    SendMessageA(tree_->Handle(), TVM_SELECTITEM, TVGN_DROPHILITE,
                 reinterpret_cast<LPARAM>(node != nullptr ? node->ItemId() : nullptr));
}

void TDropTarget_shtv::LeaveTarget()
{
    if (target_)
        target_->DragLeave();
    target_.Reset();
    node_ = nullptr;
    Highlight(nullptr);
}

void TDropTarget_shtv::Retarget(POINTL point, DWORD keys, DWORD* effect)
{
    POINT client = tree_->ScreenToClient(POINT{point.x, point.y});
    TKvTreeNode* node = tree_->GetNodeAt(client.x, client.y);
    if (node != node_) {
        LeaveTarget();
        node_ = node;
        restingSince_ = GetTickCount();
        TKvShellTreeData* data = tree_->NodeData(node);
        if (data != nullptr) {
            // The folder itself answers a drop: the root through its own view, the rest through the parent.
            if (node->Parent() == nullptr) {
                ComPtr<IShellFolder> folder;
                if (SUCCEEDED(data->BindToFolder(folder)))
                    folder->CreateViewObject(tree_->Handle(), IID_IDropTarget, target_.ReceiveVoid());
            } else if (data->ParentFolder() != nullptr) {
                LPCITEMIDLIST item = data->RelativeIdList();
                data->ParentFolder()->GetUIObjectOf(tree_->Handle(), 1, &item, IID_IDropTarget, nullptr,
                                                    target_.ReceiveVoid());
            }
        }
        Highlight(node);
        DWORD wanted = *effect;
        if (target_ && FAILED(target_->DragEnter(data_.Get(), keys, point, &wanted)))
            target_.Reset();
        *effect = target_ ? wanted : DROPEFFECT_NONE;
        return;
    }
    if (node != nullptr && !node->Expanded() && node->HasChildren() &&
        GetTickCount() - restingSince_ >= kExpandAfterMs)
        node->Expand(false);
    ScrollNearEdges(client);
    if (!target_ || FAILED(target_->DragOver(keys, point, effect)))
        *effect = DROPEFFECT_NONE;
}

void TDropTarget_shtv::ScrollNearEdges(POINT client)
{
    RECT area = tree_->ClientRect();
    if (client.y < area.top + kScrollMargin)
        SendMessageA(tree_->Handle(), WM_VSCROLL, SB_LINEUP, 0);
    else if (client.y > area.bottom - kScrollMargin)
        SendMessageA(tree_->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
}

HRESULT TDropTarget_shtv::DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect)
{
    if (effect == nullptr)
        return E_INVALIDARG;
    data_.CopyFrom(data);
    node_ = nullptr;
    // Nodes must stay while the drag is over them: refreshes wait for its end.
    if (!holding_) {
        holding_ = true;
        tree_->BeginDragHold();
    }
    Retarget(point, keys, effect);
    return S_OK;
}

HRESULT TDropTarget_shtv::DragOver(DWORD keys, POINTL point, DWORD* effect)
{
    if (effect == nullptr)
        return E_INVALIDARG;
    Retarget(point, keys, effect);
    return S_OK;
}

void TDropTarget_shtv::EndDrag()
{
    data_.Reset();
    if (holding_) {
        holding_ = false;
        tree_->EndDragHold();
    }
}

HRESULT TDropTarget_shtv::DragLeave()
{
    LeaveTarget();
    EndDrag();
    return S_OK;
}

HRESULT TDropTarget_shtv::Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect)
{
    if (effect == nullptr)
        return E_INVALIDARG;
    Retarget(point, keys, effect);
    HRESULT result = S_OK;
    if (target_)
        result = target_->Drop(data, keys, point, effect);
    else
        *effect = DROPEFFECT_NONE;
    target_.Reset();
    node_ = nullptr;
    Highlight(nullptr);
    tree_->DeferRefresh(TKvCustomShellTree::TRefreshKind::rkNodes); // what was dropped shows after the drag
    EndDrag();
    return result;
}

// ---- drop source ----------------------------------------------------------

HRESULT TDropSource_shtv::QueryContinueDrag(BOOL escapePressed, DWORD keys)
{
    if (escapePressed)
        return DRAGDROP_S_CANCEL;
    if (!(keys & (MK_LBUTTON | MK_RBUTTON)))
        return DRAGDROP_S_DROP;
    return S_OK;
}

HRESULT TDropSource_shtv::GiveFeedback(DWORD) { return DRAGDROP_S_USEDEFAULTCURSORS; }
