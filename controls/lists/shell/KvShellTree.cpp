// The shell tree: lazy filling, the shell's order, refreshes (which wait while
// the tree is busy), the selection and refresh timers, change notices, folders,
// verbs, the context menu and dragging.
#include "KvShellTree.h"

#include "EOleSysError.h"
#include "KvChangeHandlerThread.h"
#include "KvDeviceChangeHandler.h"
#include "KvIdListArray.h"
#include "KvShellDragDrop.h"
#include "KvShellUtils.h"
#include "OwnedHandles.h"
#include "QuietErrorMode.h"
#include "ScopeExit.h"
#include "SysUtils.h"
#include "TApplication.h"
#include "TTimer.h"
#include "TUpdateLock.h"
#include "TWaitCursor.h"

#include <shellapi.h>

#include <algorithm>

namespace {

constexpr unsigned kSelectionDelayMs = 100;
constexpr unsigned kFocusedRefreshMs = 400;
constexpr unsigned kUnfocusedRefreshMs = 2000;
constexpr DWORD kNewFolderWaitMs = 1000;
constexpr DWORD kNewFolderOnDesktopWaitMs = 2100;
constexpr int kNewFolderCandidates = 100;
constexpr UINT kFirstMenuCommand = 1;
constexpr UINT kLastMenuCommand = 0x7FFF;
const char* const kNewFolderName = "New Folder";

constexpr ULONG kWantedAttributes = SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR | SFGAO_HASSUBFOLDER |
                                    SFGAO_CANCOPY | SFGAO_CANMOVE | SFGAO_CANLINK | SFGAO_CANRENAME |
                                    SFGAO_CANDELETE | SFGAO_DROPTARGET;

int ShellOrder(HRESULT compared) { return FAILED(compared) ? 0 : static_cast<short>(HRESULT_CODE(compared)); }

// The menu command of a verb in a context menu, or 0 when the menu lacks it.
UINT CommandOfVerb(IContextMenu* menu, HMENU popup, const std::string& verb)
{
    int count = GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) {
        UINT id = GetMenuItemID(popup, i);
        if (id < kFirstMenuCommand || id > kLastMenuCommand)
            continue;
        char name[MAX_PATH] = {};
        if (SUCCEEDED(menu->GetCommandString(id - kFirstMenuCommand, GCS_VERBA, nullptr, name, sizeof(name))) &&
            SysUtils::SameText(name, verb))
            return id;
    }
    return 0;
}

} // namespace

TKvCustomShellTree::TKvCustomShellTree(TComponent* owner)
    : TKvCustomTreeView(owner), baseFolder_(std::make_unique<TKvShellLocator>()),
      selectedFolder_(std::make_unique<TKvShellLocator>())
{
    baseFolder_->OnChange = TNotifyEvent(this, &TKvCustomShellTree::BaseFolderChanged);
    selectedFolder_->OnChange = TNotifyEvent(this, &TKvCustomShellTree::SelectedFolderChanged);
    selectionTimer_ = new TTimer(this);
    selectionTimer_->SetEnabled(false);
    selectionTimer_->OnTimer = TNotifyEvent(this, &TKvCustomShellTree::SelectionTimerFired);
    refreshTimer_ = new TTimer(this);
    refreshTimer_->SetEnabled(false);
    refreshTimer_->OnTimer = TNotifyEvent(this, &TKvCustomShellTree::RefreshTimerFired);
    SetImages(KvShellUtils::SystemImageList(0));
    KvShellUtils::SharedDeviceChangeHandler()->AddNotify(
        TKvDeviceChangeNotify(this, &TKvCustomShellTree::DeviceChanged));
}

TKvCustomShellTree::~TKvCustomShellTree()
{
    KvShellUtils::SharedDeviceChangeHandler()->RemoveNotify(
        TKvDeviceChangeNotify(this, &TKvCustomShellTree::DeviceChanged));
    StopWatching();
    DestroyHandle();
    ClearNodes(); // node data is freed here, while this class still answers Delete
}

// ---- window ---------------------------------------------------------------

void TKvCustomShellTree::CreateWnd()
{
    TKvCustomTreeView::CreateWnd();
    UpdateDragStyle();
    UpdateDropTarget();
    if (options_.Contains(stoAutoFill))
        PostMessageA(Handle(), KVM_AUTOFILL, 0, 0);
    // A window made again (the nodes kept) watches again, for its new handle,
    // and runs what waited (a message to the old window went with it).
    if (DynamicRefresh() && RootCount() > 0)
        StartWatching();
    if (pendingRefresh_ != TRefreshKind::rkNone)
        PostMessageA(Handle(), KVM_DEFERREDREFRESH, 0, 0);
}

void TKvCustomShellTree::DestroyWnd()
{
    RevokeDropTarget();
    StopWatching();
    TKvCustomTreeView::DestroyWnd();
}

void TKvCustomShellTree::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case KVM_FOLDERCHANGED:
        FolderChanged();
        break;
    case KVM_AUTOFILL:
        if (RootCount() == 0)
            RefreshAll();
        break;
    case KVM_DEFERREDREFRESH:
        RunDeferredRefresh();
        break;
    case CN_BASE + WM_NOTIFY: {
        UINT code = reinterpret_cast<NMHDR*>(message.LParam)->code;
        TKvCustomTreeView::Dispatch(message);
        // The edit control goes only after this notice: what waited runs once it has.
        if ((code == TVN_ENDLABELEDITA || code == TVN_ENDLABELEDITW) && pendingRefresh_ != TRefreshKind::rkNone)
            PostMessageA(Handle(), KVM_DEFERREDREFRESH, 0, 0);
        break;
    }
    default:
        TKvCustomTreeView::Dispatch(message);
        break;
    }
}

// ---- options --------------------------------------------------------------

bool TKvCustomShellTree::DynamicRefresh() const { return options_.Contains(stoDynamicRefresh); }

void TKvCustomShellTree::SetOptions(TKvShellTreeOptions options)
{
    TKvShellTreeOptions changed = TKvShellTreeOptions::FromBits(options.Bits() ^ options_.Bits());
    options_ = options;
    if (!HandleAllocated())
        return;
    if (changed.Contains(stoOleDrop))
        UpdateDropTarget();
    UpdateDragStyle();
    if (changed.Contains(stoDynamicRefresh)) {
        if (DynamicRefresh())
            StartWatching();
        else
            StopWatching();
    }
}

void TKvCustomShellTree::UpdateDragStyle()
{
    UpdateStyle(TVS_DISABLEDRAGDROP, !options_.Contains(stoOleDrag) && DragMode() != TKvDragMode::dmAutomatic);
}

void TKvCustomShellTree::UpdateDropTarget()
{
    bool wanted = options_.Contains(stoOleDrop);
    if (wanted && !dropTarget_) {
        TOleApartment ole;
        if (!ole.Started())
            return;
        // Declared after OLE's start, a target that is refused goes before OLE ends.
        ComPtr<IDropTarget> target;
        target.Reset(new TDropTarget_shtv(this));
        if (FAILED(RegisterDragDrop(Handle(), target.Get())))
            return;
        ole_.emplace(std::move(ole));
        dropTarget_ = std::move(target);
    } else if (!wanted) {
        RevokeDropTarget();
    }
}

void TKvCustomShellTree::RevokeDropTarget()
{
    if (!dropTarget_)
        return;
    RevokeDragDrop(Handle());
    dropTarget_.Reset();
    ole_.reset();
}

// ---- nodes ----------------------------------------------------------------

TKvShellTreeData* TKvCustomShellTree::NodeData(const TKvTreeNode* node) const
{
    return node != nullptr ? static_cast<TKvShellTreeData*>(node->Data()) : nullptr;
}

void TKvCustomShellTree::Delete(TKvTreeNode* node)
{
    if (OnDeleteItem)
        OnDeleteItem(this, node);
    TKvCustomTreeView::Delete(node);
    delete NodeData(node);
    node->SetData(nullptr);
}

TKvTreeNode* TKvCustomShellTree::AddItemNode(TKvTreeNode* parent, IShellFolder* folder, TOwnedIdList relative,
                                             ULONG attributes)
{
    auto data = std::make_unique<TKvShellTreeData>(NodeData(parent), folder, std::move(relative), attributes);
    std::string text = parent == nullptr
                           ? KvShellUtils::IdListDisplayName(data->GetAbsoluteIdList())
                           : KvShellUtils::ItemDisplayName(folder, data->RelativeIdList(), TKvNameKind::nkInFolder);
    LPCITEMIDLIST absolute = data->GetAbsoluteIdList();
    int image = KvShellUtils::IdListIconIndex(absolute, SHGFI_SMALLICON);
    int openImage = KvShellUtils::IdListIconIndex(absolute, SHGFI_SMALLICON | SHGFI_OPENICON);
    TKvTreeNode* node = AddChild(parent, text, data.release());
    node->SetImageIndex(image);
    node->SetSelectedIndex(openImage);
    bool folderLike = (attributes & SFGAO_FOLDER) != 0;
    node->SetHasChildren((attributes & SFGAO_HASSUBFOLDER) != 0 ||
                         (folderLike && options_.Contains(stoIncludeNonFolders)));
    if (OnInsertItem)
        OnInsertItem(this, node);
    return node;
}

void TKvCustomShellTree::AddRootNode()
{
    ComPtr<IShellFolder> desktop;
    OleCheck(KvShellUtils::DesktopFolder(desktop), "Binding the desktop folder");
    LPCITEMIDLIST base = baseFolder_->IdList();
    ULONG attributes = SFGAO_FOLDER | SFGAO_HASSUBFOLDER; // the desktop itself counts as virtual
    TOwnedIdList relative;
    if (KvShellUtils::IdListSize(base) > sizeof(USHORT)) {
        ComPtr<IShellFolder> parent;
        LPCITEMIDLIST last = nullptr;
        OleCheck(SHBindToParent(base, IID_IShellFolder, parent.ReceiveVoid(), &last), "Binding the base folder");
        attributes = kWantedAttributes;
        if (FAILED(parent->GetAttributesOf(1, &last, &attributes)))
            attributes = SFGAO_FOLDER | SFGAO_HASSUBFOLDER;
        relative = KvShellUtils::CopyIdList(nullptr, base);
    } else {
        relative = KvShellUtils::CopyIdList(nullptr, nullptr);
    }
    AddItemNode(nullptr, desktop.Get(), std::move(relative), attributes);
}

HRESULT TKvCustomShellTree::EnumerateItems(TKvTreeNode* node, ComPtr<IShellFolder>& folder,
                                           std::vector<std::pair<TOwnedIdList, ULONG>>& items, bool& started)
{
    started = false;
    HRESULT result = NodeData(node)->BindToFolder(folder);
    if (FAILED(result))
        return result;
    SHCONTF flags = SHCONTF_FOLDERS;
    if (options_.Contains(stoShowHidden))
        flags |= SHCONTF_INCLUDEHIDDEN;
    if (options_.Contains(stoIncludeNonFolders))
        flags |= SHCONTF_NONFOLDERS;
    TQuietErrorMode quiet; // no "insert a disk" box while a drive is read
    ComPtr<IEnumIDList> enumerator;
    result = folder->EnumObjects(HandleAllocated() ? Handle() : nullptr, flags, enumerator.Receive());
    if (FAILED(result))
        return result;
    started = true;
    if (result == S_FALSE || !enumerator)
        return S_OK; // an empty folder
    for (;;) {
        TOwnedIdList item;
        ULONG fetched = 0;
        result = enumerator->Next(1, item.Receive(), &fetched);
        if (result == S_FALSE || (result == S_OK && fetched == 0))
            return S_OK;
        if (FAILED(result))
            return result;
        ULONG attributes = kWantedAttributes;
        LPCITEMIDLIST one = item.Get();
        if (FAILED(folder->GetAttributesOf(1, &one, &attributes)))
            attributes = 0;
        if (!options_.Contains(stoVirtualFolders) && !(attributes & (SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR)))
            continue;
        bool canAdd = true;
        if (OnAddItem)
            OnAddItem(this, folder.Get(), item.Get(), attributes, canAdd);
        if (canAdd)
            items.emplace_back(std::move(item), attributes);
    }
}

bool TKvCustomShellTree::FillNode(TKvTreeNode* node)
{
    TKvShellTreeData* data = NodeData(node);
    if (data->Filling)
        return false; // asked again from a message loop of its own fill
    BeginFilling();
    data->Filling = true;
    TScopeExit endFill([this, data] {
        data->Filling = false;
        EndFilling();
    });
    ComPtr<IShellFolder> folder;
    std::vector<std::pair<TOwnedIdList, ULONG>> items;
    bool started = false;
    HRESULT result = EnumerateItems(node, folder, items, started);
    if (!started) {
        node->SetHasChildren(true); // could not start (a drive not ready, a folder not readable): try again next time
        return false;
    }
    if (result == E_FAIL)
        return false;
    OleCheck(result, "Listing a folder");
    for (auto& item : items)
        AddItemNode(node, folder.Get(), std::move(item.first), item.second);
    SortChildren(node);
    data->Filled = true;
    if (node->Count() == 0)
        node->SetHasChildren(false);
    return true;
}

void TKvCustomShellTree::SortChildren(TKvTreeNode* node)
{
    CustomSort(node, [this](TKvTreeNode* a, TKvTreeNode* b) {
        TKvShellTreeData* first = NodeData(a);
        TKvShellTreeData* second = NodeData(b);
        if (first == nullptr || second == nullptr || first->ParentFolder() == nullptr)
            return 0;
        return ShellOrder(first->ParentFolder()->CompareIDs(0, first->RelativeIdList(), second->RelativeIdList()));
    });
}

bool TKvCustomShellTree::CanExpand(TKvTreeNode* node)
{
    TKvShellTreeData* data = NodeData(node);
    if (data != nullptr && !data->Filled && node->Count() == 0) {
        TWaitCursor wait;
        if (!FillNode(node))
            return false;
    }
    return TKvCustomTreeView::CanExpand(node);
}

void TKvCustomShellTree::RefreshChildren(TKvTreeNode* node)
{
    ComPtr<IShellFolder> folder;
    std::vector<std::pair<TOwnedIdList, ULONG>> items;
    bool started = false;
    if (FAILED(EnumerateItems(node, folder, items, started)))
        return;
    std::vector<bool> known(items.size(), false);
    for (int i = node->Count() - 1; i >= 0; --i) {
        TKvTreeNode* child = node->Item(i);
        TKvShellTreeData* data = NodeData(child);
        auto found = std::find_if(items.begin(), items.end(), [&](const auto& item) {
            if (data == nullptr)
                return false;
            HRESULT compared = folder->CompareIDs(0, data->RelativeIdList(), item.first.Get());
            return SUCCEEDED(compared) && ShellOrder(compared) == 0;
        });
        if (found == items.end())
            DeleteNode(child);
        else
            known[static_cast<size_t>(found - items.begin())] = true;
    }
    for (size_t i = 0; i < items.size(); ++i)
        if (!known[i])
            AddItemNode(node, folder.Get(), std::move(items[i].first), items[i].second);
    SortChildren(node);
    node->SetHasChildren(node->Count() > 0);
}

void TKvCustomShellTree::ReadChildrenAgain(TKvTreeNode* node)
{
    TKvShellTreeData* data = NodeData(node);
    if (data == nullptr)
        return;
    if (data->Filled) {
        BeginFilling();
        TScopeExit endFill([this] { EndFilling(); });
        RefreshChildren(node);
    } else {
        // The system control opens only a node that shows children; filling it finds out.
        node->SetHasChildren(true);
    }
}

// ---- refreshing -----------------------------------------------------------

bool TKvCustomShellTree::RefreshHeldBack() const { return fills_ > 0 || dragHolds_ > 0 || IsEditing(); }

void TKvCustomShellTree::DeferRefresh(TRefreshKind kind) { pendingRefresh_ = std::max(pendingRefresh_, kind); }

void TKvCustomShellTree::RunDeferredRefresh()
{
    if (RefreshHeldBack())
        return;
    switch (std::exchange(pendingRefresh_, TRefreshKind::rkNone)) {
    case TRefreshKind::rkAll: RefreshAll(); break;
    case TRefreshKind::rkNodes: RefreshNodes(); break;
    case TRefreshKind::rkNone: break;
    }
}

void TKvCustomShellTree::EndFilling()
{
    if (--fills_ == 0 && pendingRefresh_ != TRefreshKind::rkNone && HandleAllocated())
        PostMessageA(Handle(), KVM_DEFERREDREFRESH, 0, 0);
}

void TKvCustomShellTree::EndDragHold()
{
    if (dragHolds_ > 0)
        --dragHolds_;
    RunDeferredRefresh();
}

void TKvCustomShellTree::RefreshAll()
{
    if (RefreshHeldBack()) {
        DeferRefresh(TRefreshKind::rkAll);
        return;
    }
    pendingRefresh_ = TRefreshKind::rkNone; // a rebuild covers what waited
    {
        BeginFilling();
        TScopeExit endFill([this] { EndFilling(); });
        TWaitCursor wait;
        {
            ++suspendChanges_;
            TScopeExit resume([this] { --suspendChanges_; });
            SetSelected(nullptr);
        }
        ClearNodes();
        AddRootNode();
        TKvTreeNode* root = GetFirstNode();
        root->Expand(false);
        if (!SelectFolder(selectedFolder_->IdList()))
            SetSelected(root);
    }
    if (DynamicRefresh())
        StartWatching();
}

void TKvCustomShellTree::RefreshNodes()
{
    if (RefreshHeldBack()) {
        DeferRefresh(TRefreshKind::rkNodes);
        return;
    }
    if (RootCount() == 0) {
        RefreshAll();
        return;
    }
    if (pendingRefresh_ == TRefreshKind::rkNodes)
        pendingRefresh_ = TRefreshKind::rkNone; // a waiting rebuild still runs
    BeginFilling();
    TScopeExit endFill([this] { EndFilling(); });
    TWaitCursor wait;
    if (OnFillStart)
        OnFillStart(this);
    TKvTreeNode* selected = Selected();
    TOwnedIdList remembered;
    if (NodeData(selected) != nullptr)
        remembered = KvShellUtils::CopyIdList(nullptr, NodeData(selected)->GetAbsoluteIdList());
    {
        // A failing listing or event must not leave the selection unheard or the tree unpainted.
        ++suspendChanges_;
        TScopeExit resume([this] { --suspendChanges_; });
        SetSelected(nullptr);
        {
            TUpdateLock<TKvCustomTreeView> update(*this);
            for (TKvTreeNode* node = GetFirstNode(); node != nullptr; node = node->GetNext()) {
                TKvShellTreeData* data = NodeData(node);
                // A filled node that found nothing cannot show as open, but is looked at again too.
                if (data != nullptr && data->Filled && (node->Expanded() || node->Count() == 0))
                    RefreshChildren(node);
            }
        }
        if (!remembered || !SelectFolder(remembered.Get()))
            SetSelected(GetFirstNode());
    }
    if (OnFillComplete)
        OnFillComplete(this);
}

bool TKvCustomShellTree::SelectFolder(LPCITEMIDLIST target)
{
    TKvTreeNode* node = GetFirstNode();
    if (target == nullptr || node == nullptr)
        return false;
    TKvIdListArray targetItems(target);
    int targetCount = targetItems.GetCount();
    // A node leads to the target when its list is the target's leading part.
    auto leadsTo = [&](TKvTreeNode* candidate, bool& whole) {
        TKvShellTreeData* data = NodeData(candidate);
        if (data == nullptr)
            return false;
        int count = TKvIdListArray(data->GetAbsoluteIdList()).GetCount();
        if (count > targetCount)
            return false;
        whole = count == targetCount;
        return KvShellUtils::CompareIdLists(targetItems.GetLeadingItems(targetCount - count),
                                            data->GetAbsoluteIdList()) == 0;
    };
    bool whole = false;
    if (!leadsTo(node, whole))
        return false;
    while (!whole) {
        node->Expand(false);
        TKvTreeNode* next = nullptr;
        for (int i = 0; i < node->Count() && next == nullptr; ++i)
            if (leadsTo(node->Item(i), whole))
                next = node->Item(i);
        if (next == nullptr)
            return false;
        node = next;
    }
    SetSelected(node);
    node->MakeVisible();
    return true;
}

// ---- selection ------------------------------------------------------------

void TKvCustomShellTree::Change(TKvTreeNode* node)
{
    TKvCustomTreeView::Change(node);
    if (suspendChanges_ == 0 && node != nullptr)
        RestartTimer(selectionTimer_, kSelectionDelayMs);
}

void TKvCustomShellTree::RestartTimer(TTimer* timer, unsigned interval)
{
    timer->SetEnabled(false);
    timer->SetInterval(interval);
    timer->SetEnabled(true);
}

void TKvCustomShellTree::SelectionTimerFired(TObject*)
{
    selectionTimer_->SetEnabled(false);
    ProcessSelection();
}

void TKvCustomShellTree::RefreshTimerFired(TObject*)
{
    refreshTimer_->SetEnabled(false);
    RefreshNodes();
}

void TKvCustomShellTree::ProcessSelection()
{
    TKvShellTreeData* data = NodeData(Selected());
    if (data == nullptr || !data->IsFileSystem())
        return;
    ++suspendChanges_;
    TScopeExit resume([this] { --suspendChanges_; });
    selectedFolder_->SetIdList(data->GetAbsoluteIdList());
}

TKvShellLocator* TKvCustomShellTree::SelectedFolder()
{
    // A selection still waiting for its timer is taken now, so readers never see an old folder.
    if (selectionTimer_->Enabled()) {
        selectionTimer_->SetEnabled(false);
        ProcessSelection();
    }
    return selectedFolder_.get();
}

std::string TKvCustomShellTree::GetSelectedPathName()
{
    TKvShellTreeData* data = NodeData(Selected());
    if (data == nullptr || !data->IsFileSystem())
        return std::string();
    return data->GetPathName();
}

void TKvCustomShellTree::SetSelectedPathName(const std::string& path)
{
    if (suspendChanges_ == 0)
        selectedFolder_->SetPath(path);
}

void TKvCustomShellTree::BaseFolderChanged(TObject*)
{
    if (HandleAllocated())
        RefreshAll();
}

void TKvCustomShellTree::SelectedFolderChanged(TObject*)
{
    if (suspendChanges_ == 0 && HandleAllocated() && RootCount() > 0)
        SelectFolder(selectedFolder_->IdList());
}

// ---- change notices -------------------------------------------------------

void TKvCustomShellTree::StartWatching()
{
    if (!HandleAllocated())
        return;
    if (!changeThread_)
        changeThread_ = std::make_unique<TChangeHandlerThread>(Handle(), KVM_FOLDERCHANGED);
    DWORD filter = FILE_NOTIFY_CHANGE_DIR_NAME;
    if (options_.Contains(stoIncludeNonFolders))
        filter |= FILE_NOTIFY_CHANGE_FILE_NAME;
    changeThread_->StartWatching(filter);
}

void TKvCustomShellTree::StopWatching() { changeThread_.reset(); }

int TKvCustomShellTree::WatchCount() const { return changeThread_ ? changeThread_->WatchCount() : 0; }

unsigned TKvCustomShellTree::PendingRefreshInterval() const
{
    return refreshTimer_->Enabled() ? refreshTimer_->Interval() : 0;
}

void TKvCustomShellTree::FolderChanged()
{
    if (ignoreNextNotice_) {
        ignoreNextNotice_ = false;
        return;
    }
    if (dragHolds_ > 0)
        return;
    RestartTimer(refreshTimer_, Focused() ? kFocusedRefreshMs : kUnfocusedRefreshMs);
}

void TKvCustomShellTree::DeviceChanged(TObject*, TMessage&)
{
    if (HandleAllocated() && RootCount() > 0)
        RefreshAll();
}

// ---- folders, verbs, renaming ---------------------------------------------

bool TKvCustomShellTree::CreateNewFolder()
{
    std::string path = GetSelectedPathName();
    ignoreNextNotice_ = true;
    std::string folder = path;
    if (folder.empty()) {
        char current[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, current);
        folder = current;
    }
    folder = KvShellUtils::AppendDelimiter(folder, '\\');
    std::string name;
    for (int candidate = 1; candidate <= kNewFolderCandidates && name.empty(); ++candidate) {
        std::string tried = candidate == 1 ? kNewFolderName : std::string(kNewFolderName) + " (" +
                                                                  std::to_string(candidate) + ")";
        if (CreateDirectoryA((folder + tried).c_str(), nullptr))
            name = tried;
    }
    if (name.empty()) {
        ignoreNextNotice_ = false;
        std::string text = KvShellUtils::FormatStrPos("Unable to create the folder '%2'\n\n%1",
                                                      {SysUtils::SysErrorMessage(ERROR_ALREADY_EXISTS),
                                                       kNewFolderName});
        Application()->MessageBox(text, std::string(), MB_OK | MB_ICONWARNING);
        return false;
    }
    {
        TWaitCursor wait;
        // The shell needs a moment before its folder shows the new entry.
        Sleep(selectedFolder_->IsEmpty() ? kNewFolderOnDesktopWaitMs : kNewFolderWaitMs);
        RefreshNodes();
    }
    TKvTreeNode* parent = Selected();
    if (parent == nullptr)
        return true;
    // The refresh in place passes closed folders by: this one is read again itself.
    ReadChildrenAgain(parent);
    parent->Expand(false);
    for (int i = 0; i < parent->Count(); ++i)
        if (parent->Item(i)->Text() == name) {
            TKvTreeNode* made = parent->Item(i);
            SetSelected(made);
            made->EditText();
            break;
        }
    return true;
}

HRESULT TKvCustomShellTree::ItemContextMenu(TKvTreeNode* node, ComPtr<IContextMenu>& menu)
{
    TKvShellTreeData* data = NodeData(node);
    if (data == nullptr || data->ParentFolder() == nullptr)
        return E_INVALIDARG;
    LPCITEMIDLIST item = data->RelativeIdList();
    return data->ParentFolder()->GetUIObjectOf(Handle(), 1, &item, IID_IContextMenu, nullptr, menu.ReceiveVoid());
}

HRESULT TKvCustomShellTree::InvokeVerb(TKvTreeNode* node, const std::string& verb)
{
    TKvShellTreeData* data = NodeData(node);
    if (node == nullptr || node->Parent() == nullptr || data == nullptr || !data->IsFileSystem())
        return 1;
    ComPtr<IContextMenu> menu;
    HRESULT result = ItemContextMenu(node, menu);
    if (FAILED(result))
        return result;
    TOwnedMenu popup(CreatePopupMenu());
    UINT command = 0;
    if (popup.Get() != nullptr &&
        SUCCEEDED(menu->QueryContextMenu(popup.Get(), 0, kFirstMenuCommand, kLastMenuCommand, CMF_NORMAL)))
        command = CommandOfVerb(menu.Get(), popup.Get(), verb);
    CMINVOKECOMMANDINFO info = {};
    info.cbSize = sizeof(info);
    info.hwnd = Handle();
    info.lpVerb = command != 0 ? MAKEINTRESOURCEA(command - kFirstMenuCommand) : verb.c_str();
    info.nShow = SW_SHOWNORMAL;
    result = menu->InvokeCommand(&info);
    popup.Reset();
    menu.Reset();
    RefreshNodes();
    return result;
}

bool TKvCustomShellTree::Edit(TKvTreeNode* node, std::string& text)
{
    TKvShellTreeData* data = NodeData(node);
    if (data == nullptr || data->ParentFolder() == nullptr || node->Parent() == nullptr)
        return false;
    // The label names a real item: the item is renamed first, and the label follows only when that worked.
    std::wstring wide = SysUtils::AnsiToWide(text);
    TOwnedIdList renamed;
    if (FAILED(data->ParentFolder()->SetNameOf(Handle(), data->RelativeIdList(), wide.c_str(), SHGDN_INFOLDER,
                                               renamed.Receive())) ||
        !renamed)
        return false;
    if (!TKvCustomTreeView::Edit(node, text))
        return false;
    ULONG attributes = data->Attributes();
    IShellFolder* folder = data->ParentFolder();
    ComPtr<IShellFolder> held; // the folder outlives the node's old data
    held.CopyFrom(folder);
    node->DeleteChildren(); // their lists were made under the old name
    auto* updated = new TKvShellTreeData(NodeData(node->Parent()), folder, std::move(renamed), attributes);
    delete data;
    node->SetData(updated);
    node->SetHasChildren((attributes & SFGAO_HASSUBFOLDER) != 0);
    text = KvShellUtils::ItemDisplayName(folder, updated->RelativeIdList(), TKvNameKind::nkInFolder);
    return true;
}

void TKvCustomShellTree::ItemRightClick(POINT clientPoint, POINT screenPoint)
{
    if (!options_.Contains(stoContextMenus))
        return;
    TKvTreeNode* node = GetNodeAt(clientPoint.x, clientPoint.y);
    ComPtr<IContextMenu> menu;
    if (node == nullptr || FAILED(ItemContextMenu(node, menu)))
        return;
    TOwnedMenu popup(CreatePopupMenu());
    UINT flags = CMF_NORMAL | CMF_EXPLORE | (ReadOnly() ? 0 : CMF_CANRENAME);
    if (popup.Get() == nullptr || FAILED(menu->QueryContextMenu(popup.Get(), 0, kFirstMenuCommand,
                                                                kLastMenuCommand, flags)))
        return;
    UINT command = static_cast<UINT>(TrackPopupMenu(popup.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screenPoint.x,
                                                    screenPoint.y, 0, Handle(), nullptr));
    if (command == 0)
        return;
    char verb[MAX_PATH] = {};
    if (SUCCEEDED(menu->GetCommandString(command - kFirstMenuCommand, GCS_VERBA, nullptr, verb, sizeof(verb))) &&
        SysUtils::SameText(verb, "rename")) {
        node->EditText(); // renaming is the tree's own label edit
        return;
    }
    CMINVOKECOMMANDINFO info = {};
    info.cbSize = sizeof(info);
    info.hwnd = Handle();
    info.lpVerb = MAKEINTRESOURCEA(command - kFirstMenuCommand);
    info.nShow = SW_SHOWNORMAL;
    menu->InvokeCommand(&info);
    // A command may make something inside the item (New Folder), which the
    // refresh in place would not see while the item is closed.
    ReadChildrenAgain(node);
    RefreshNodes();
}

// ---- dragging -------------------------------------------------------------

void TKvCustomShellTree::BeginItemDrag(TKvTreeNode* node, bool)
{
    TKvShellTreeData* data = NodeData(node);
    if (!options_.Contains(stoOleDrag) || data == nullptr || data->ParentFolder() == nullptr ||
        node->Parent() == nullptr)
        return;
    // A drag needs OLE on this thread, whether or not the tree also takes drops;
    // started first, it ends after every interface below has gone.
    TOleApartment ole;
    if (!ole.Started())
        return;
    ComPtr<IDataObject> dataObject;
    LPCITEMIDLIST item = data->RelativeIdList();
    if (FAILED(data->ParentFolder()->GetUIObjectOf(Handle(), 1, &item, IID_IDataObject, nullptr,
                                                   dataObject.ReceiveVoid())))
        return;
    DWORD allowed = 0;
    if (data->Attributes() & SFGAO_CANCOPY)
        allowed |= DROPEFFECT_COPY;
    if (data->Attributes() & SFGAO_CANMOVE)
        allowed |= DROPEFFECT_MOVE;
    if (data->Attributes() & SFGAO_CANLINK)
        allowed |= DROPEFFECT_LINK;
    if (allowed == 0)
        return;
    ComPtr<IDropSource> source;
    source.Reset(new TDropSource_shtv());
    DWORD effect = DROPEFFECT_NONE;
    HRESULT result = DRAGDROP_S_CANCEL;
    {
        BeginDragHold();
        TScopeExit released([this] { --dragHolds_; });
        result = DoDragDrop(dataObject.Get(), source.Get(), allowed, &effect);
    }
    if (result == DRAGDROP_S_DROP)
        DeferRefresh(TRefreshKind::rkNodes);
    RunDeferredRefresh();
}
