// TKvCustomShellTree and TKvShellTree: a tree of the shell namespace under a
// base folder. Nodes fill when they open, in the shell's own order; the tree
// follows file-system changes through a change thread, offers the shell's
// context menu, verbs, new folders and renaming, and OLE drag and drop.
#pragma once

#include "ComApartment.h"
#include "ComPtr.h"
#include "KvShellLocator.h"
#include "KvShellTreeData.h"
#include "KvTreeView.h"
#include "TSet.h"

#include <shlobj.h>

#include <memory>
#include <optional>

class TTimer;
class TChangeHandlerThread;
class TDropTarget_shtv;

enum TKvShellTreeOption {
    stoAutoFill, stoVirtualFolders, stoDesignInteractive, stoDefaultKeyHandling, stoContextMenus,
    stoDynamicRefresh, stoIncludeNonFolders, stoOleDrag, stoOleDrop, stoShowHidden
};
using TKvShellTreeOptions = TSet<TKvShellTreeOption>;

// Posted by the change thread for each change it sees (WParam: the watch).
constexpr UINT KVM_FOLDERCHANGED = 0x465;
// Posted to a tree to fill it when it is still empty.
constexpr UINT KVM_AUTOFILL = 0x467;
// Posted by the tree to itself when what held a refresh back has ended.
constexpr UINT KVM_DEFERREDREFRESH = 0x468;

// May veto an item before it becomes a node.
using TKvShAddItemEvent = TClosure<void(TObject* sender, IShellFolder* parentFolder, LPCITEMIDLIST relativeIdList,
                                        ULONG attributes, bool& canAdd)>;
using TKvShTreeDeleteItemEvent = TClosure<void(TObject* sender, TKvTreeNode* node)>;
using TKvShTreeInsertItemEvent = TClosure<void(TObject* sender, TKvTreeNode* node)>;

class TKvCustomShellTree : public TKvCustomTreeView {
public:
    CLASSLIB_CLASS_NAME(TKvCustomShellTree)
    explicit TKvCustomShellTree(TComponent* owner);
    ~TKvCustomShellTree() override;

    // The root of the tree; assigning it rebuilds the tree.
    TKvShellLocator* BaseFolder() { return baseFolder_.get(); }
    void SetBaseFolder(TKvShellLocator* folder) { baseFolder_->Assign(folder); }
    // The folder of the selection (file-system folders only), kept in step with it.
    TKvShellLocator* SelectedFolder();
    TKvShellTreeOptions Options() const { return options_; }
    virtual void SetOptions(TKvShellTreeOptions options);

    TKvShellTreeData* NodeData(const TKvTreeNode* node) const;
    std::string GetSelectedPathName();
    // Selects and reveals the folder of a path (unless changes are held back).
    void SetSelectedPathName(const std::string& path);

    void RefreshAll();
    void RefreshNodes();
    // Makes a new folder under the selected one and opens its label; true when one was made.
    bool CreateNewFolder();
    // Runs a shell verb ("delete", "open", ...) on a node; 1 for a root or a virtual item.
    HRESULT InvokeVerb(TKvTreeNode* node, const std::string& verb);

    // The change thread's watches (0 while not watching).
    int WatchCount() const;
    // The milliseconds the pending refresh waits, or 0 when none is pending.
    unsigned PendingRefreshInterval() const;

    TKvShAddItemEvent OnAddItem;
    TKvShTreeDeleteItemEvent OnDeleteItem;
    TKvShTreeInsertItemEvent OnInsertItem;
    TNotifyEvent OnFillStart;
    TNotifyEvent OnFillComplete;

protected:
    friend class TDropTarget_shtv;
    // What a refresh asked for while the tree could not rebuild: a rebuild wins over a refresh in place.
    enum class TRefreshKind { rkNone, rkNodes, rkAll };

    void CreateWnd() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& message) override;
    void Delete(TKvTreeNode* node) override;
    void Change(TKvTreeNode* node) override;
    bool CanExpand(TKvTreeNode* node) override;
    bool Edit(TKvTreeNode* node, std::string& text) override;
    void BeginItemDrag(TKvTreeNode* node, bool rightButton) override;
    void ItemRightClick(POINT clientPoint, POINT screenPoint) override;

private:
    void AddRootNode();
    TKvTreeNode* AddItemNode(TKvTreeNode* parent, IShellFolder* folder, TOwnedIdList relative, ULONG attributes);
    // Enumerates a node's folder; false when the expansion is to be abandoned.
    bool FillNode(TKvTreeNode* node);
    void RefreshChildren(TKvTreeNode* node);
    // Reads a node's children again even while it is closed, and lets a node
    // that had none open (after something was made inside its folder).
    void ReadChildrenAgain(TKvTreeNode* node);
    // The items of a node's folder that the options admit, with their attributes;
    // `started` tells whether the listing could begin at all.
    HRESULT EnumerateItems(TKvTreeNode* node, ComPtr<IShellFolder>& folder,
                           std::vector<std::pair<TOwnedIdList, ULONG>>& items, bool& started);
    void SortChildren(TKvTreeNode* node);
    // Opens the path down to a folder and selects it; false when the tree does not hold it.
    bool SelectFolder(LPCITEMIDLIST target);
    void ProcessSelection();
    static void RestartTimer(TTimer* timer, unsigned interval);
    void SelectionTimerFired(TObject* sender);
    void RefreshTimerFired(TObject* sender);

    // Nodes must not go while they are filled, edited or dragged over: a refresh
    // asked for then waits for that to end, and every one that waited runs then.
    bool RefreshHeldBack() const;
    void DeferRefresh(TRefreshKind kind);
    // Runs what waited, unless something still holds it back (its end comes here again).
    void RunDeferredRefresh();
    // A fill, refresh or rebuild in progress is counted; the last one to end
    // hands on what waited meanwhile (by message: the system control may still
    // be in the middle of the expansion that began the fill).
    void BeginFilling() { ++fills_; }
    void EndFilling();
    // A drag over the tree (its own, or one from outside) holds refreshes back until it ends.
    void BeginDragHold() { ++dragHolds_; }
    void EndDragHold();
    void BaseFolderChanged(TObject* sender);
    void SelectedFolderChanged(TObject* sender);
    void DeviceChanged(TObject* sender, TMessage& message);
    void FolderChanged();
    void StartWatching();
    void StopWatching();
    void UpdateDropTarget();
    void RevokeDropTarget();
    void UpdateDragStyle();
    bool DynamicRefresh() const;
    // The item's context menu, asked of its parent folder.
    HRESULT ItemContextMenu(TKvTreeNode* node, ComPtr<IContextMenu>& menu);

    std::unique_ptr<TKvShellLocator> baseFolder_;
    std::unique_ptr<TKvShellLocator> selectedFolder_;
    TKvShellTreeOptions options_ = {stoAutoFill,     stoVirtualFolders, stoDefaultKeyHandling, stoContextMenus,
                                    stoDynamicRefresh, stoOleDrag,      stoOleDrop,            stoShowHidden};
    // The selection and the refresh after change notices wait on timers of their own.
    TTimer* selectionTimer_ = nullptr;
    TTimer* refreshTimer_ = nullptr;
    std::unique_ptr<TChangeHandlerThread> changeThread_;
    // Drag and drop needs OLE itself, not just COM: OLE is started for the drop
    // target and ends after the target has gone.
    std::optional<TOleApartment> ole_;
    ComPtr<IDropTarget> dropTarget_; // registered with the window while it exists
    int suspendChanges_ = 0;
    int dragHolds_ = 0;
    int fills_ = 0;
    TRefreshKind pendingRefresh_ = TRefreshKind::rkNone;
    bool ignoreNextNotice_ = false;
};

class TKvShellTree : public TKvCustomShellTree {
public:
    CLASSLIB_CLASS_NAME(TKvShellTree)
    explicit TKvShellTree(TComponent* owner) : TKvCustomShellTree(owner) {}
};
