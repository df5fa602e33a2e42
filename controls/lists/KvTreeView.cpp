// The tree view: nodes mirrored into the system tree-view control, its
// notifications turned into the tree's events.
#include "KvTreeView.h"

#include <algorithm>

namespace {

constexpr DWORD kEditFlags = TVS_EDITLABELS;

bool IsCode(UINT code, UINT ansi, UINT wide) { return code == ansi || code == wide; }

std::string TextOfEdit(const NMHDR* header, bool& given)
{
    given = false;
    if (header->code == TVN_ENDLABELEDITW) {
        auto* info = reinterpret_cast<const NMTVDISPINFOW*>(header);
        if (info->item.pszText == nullptr)
            return std::string();
        given = true;
        int length = WideCharToMultiByte(CP_ACP, 0, info->item.pszText, -1, nullptr, 0, nullptr, nullptr);
        std::string text(static_cast<size_t>(std::max(length, 1)), '\0');
        WideCharToMultiByte(CP_ACP, 0, info->item.pszText, -1, &text[0], length, nullptr, nullptr);
        text.resize(static_cast<size_t>(std::max(length - 1, 0)));
        return text;
    }
    auto* info = reinterpret_cast<const NMTVDISPINFOA*>(header);
    if (info->item.pszText == nullptr)
        return std::string();
    given = true;
    return info->item.pszText;
}

} // namespace

TKvCustomTreeView::TKvCustomTreeView(TComponent* owner)
    : TWinControl(owner), root_(std::make_unique<TKvTreeNode>(this, nullptr))
{
    SetBounds(Left(), Top(), 121, 97);
    SetTabStop(true);
    SetColor(clWindow);
}

TKvCustomTreeView::~TKvCustomTreeView()
{
    // The window goes first so that its notices never reach nodes being freed.
    DestroyHandle();
    clearing_ = true;
    for (int i = root_->Count() - 1; i >= 0; --i)
        DeleteNodeData(root_->Item(i));
    root_->children_.clear();
}

// ---- window ---------------------------------------------------------------

void TKvCustomTreeView::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    CreateSubClass(params, WC_TREEVIEWA);
    params.ExStyle |= WS_EX_CLIENTEDGE;
    if (showButtons_)
        params.Style |= TVS_HASBUTTONS;
    if (showLines_)
        params.Style |= TVS_HASLINES;
    if (showRoot_)
        params.Style |= TVS_LINESATROOT;
    if (!hideSelection_)
        params.Style |= TVS_SHOWSELALWAYS;
    if (!readOnly_)
        params.Style |= kEditFlags;
    if (rowSelect_)
        params.Style |= TVS_FULLROWSELECT;
    if (dragMode_ != TKvDragMode::dmAutomatic)
        params.Style |= TVS_DISABLEDRAGDROP;
}

void TKvCustomTreeView::CreateWnd()
{
    TWinControl::CreateWnd();
    HWND window = Handle();
    SendMessageA(window, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_));
    SendMessageA(window, TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(stateImages_));
    SendMessageA(window, TVM_SETINDENT, static_cast<WPARAM>(indent_), 0);
    InsertItems(root_.get());
    if (selectedWhileNoWindow_ != nullptr && selectedWhileNoWindow_->item_ != nullptr)
        SendMessageA(window, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(selectedWhileNoWindow_->item_));
    selectedWhileNoWindow_ = nullptr;
}

void TKvCustomTreeView::DestroyWnd()
{
    // The nodes keep what the window knew: the selection and which nodes are open.
    selectedWhileNoWindow_ = Selected();
    ForEachNode(root_.get(), [](TKvTreeNode* node) { node->expanded_ = node->Expanded(); });
    bool wasClearing = std::exchange(clearing_, true);
    TWinControl::DestroyWnd();
    clearing_ = wasClearing;
    ForEachNode(root_.get(), [](TKvTreeNode* node) { node->item_ = nullptr; });
}

void TKvCustomTreeView::UpdateStyle(DWORD bit, bool set)
{
    if (!HandleAllocated())
        return;
    LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
    LONG_PTR updated = set ? (style | static_cast<LONG_PTR>(bit)) : (style & ~static_cast<LONG_PTR>(bit));
    if (updated != style) {
        SetWindowLongPtrA(Handle(), GWL_STYLE, updated);
        Invalidate();
    }
}

// ---- nodes ----------------------------------------------------------------

TKvTreeNode* TKvCustomTreeView::AddChild(TKvTreeNode* parent, const std::string& text, void* data)
{
    TKvTreeNode* under = parent != nullptr ? parent : root_.get();
    bool hadChildren = under->HasChildren();
    under->children_.push_back(std::make_unique<TKvTreeNode>(this, under));
    TKvTreeNode* node = under->children_.back().get();
    node->text_ = text;
    node->data_ = data;
    InsertItem(node);
    if (!hadChildren && under != root_.get())
        under->UpdateItem(TVIF_CHILDREN);
    Added(node);
    return node;
}

TKvTreeNode* TKvCustomTreeView::InsertBefore(TKvTreeNode* sibling, const std::string& text, void* data)
{
    if (sibling == nullptr)
        return AddChild(nullptr, text, data);
    TKvTreeNode* under = sibling->parent_;
    auto position = under->children_.begin() + sibling->Index();
    TKvTreeNode* node = under->children_.insert(position, std::make_unique<TKvTreeNode>(this, under))->get();
    node->text_ = text;
    node->data_ = data;
    InsertItem(node);
    Added(node);
    return node;
}

void TKvCustomTreeView::InsertItem(TKvTreeNode* node)
{
    if (!HandleAllocated() || node->item_ != nullptr)
        return;
    TKvTreeNode* parent = node->parent_;
    if (parent != root_.get() && parent->item_ == nullptr)
        return; // shown with its parent
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent == root_.get() ? TVI_ROOT : parent->item_;
    TKvTreeNode* previous = node->GetPrevSibling();
    insert.hInsertAfter = previous != nullptr && previous->item_ != nullptr ? previous->item_ : TVI_FIRST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_STATE;
    insert.item.pszText = const_cast<char*>(node->text_.c_str());
    insert.item.lParam = reinterpret_cast<LPARAM>(node);
    insert.item.iImage = node->imageIndex_;
    insert.item.iSelectedImage = node->selectedIndex_;
    insert.item.cChildren = node->HasChildren() ? 1 : 0;
    insert.item.state = INDEXTOSTATEIMAGEMASK(static_cast<UINT>(node->stateIndex_));
    insert.item.stateMask = TVIS_STATEIMAGEMASK;
    node->item_ = reinterpret_cast<HTREEITEM>(
        SendMessageA(Handle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

void TKvCustomTreeView::InsertItems(TKvTreeNode* parent)
{
    // Expanding may fill a node (which inserts its own items), so walk by index.
    for (int i = 0; i < parent->Count(); ++i) {
        TKvTreeNode* node = parent->Item(i);
        InsertItem(node);
        InsertItems(node);
        if (node->expanded_ && node->item_ != nullptr)
            SendMessageA(Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node->item_));
    }
}

void TKvCustomTreeView::ForEachNode(TKvTreeNode* parent, const std::function<void(TKvTreeNode*)>& action) const
{
    for (auto& child : parent->children_) {
        action(child.get());
        ForEachNode(child.get(), action);
    }
}

void TKvCustomTreeView::DeleteNodeData(TKvTreeNode* node)
{
    for (int i = node->Count() - 1; i >= 0; --i)
        DeleteNodeData(node->Item(i));
    Delete(node);
}

void TKvCustomTreeView::DeleteNode(TKvTreeNode* node)
{
    if (node == nullptr || node == root_.get())
        return;
    if (editingNode_ != nullptr && (editingNode_ == node || editingNode_->HasAsParent(node)) && HandleAllocated())
        SendMessageA(Handle(), TVM_ENDEDITLABELNOW, TRUE, 0);
    DeleteNodeData(node);
    RemoveItem(node);
    if (selectedWhileNoWindow_ == node || (selectedWhileNoWindow_ && selectedWhileNoWindow_->HasAsParent(node)))
        selectedWhileNoWindow_ = nullptr;
    auto& siblings = node->Siblings();
    siblings.erase(siblings.begin() + node->Index());
}

void TKvCustomTreeView::RemoveItem(TKvTreeNode* node)
{
    if (node->item_ != nullptr && HandleAllocated())
        SendMessageA(Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(node->item_));
    node->item_ = nullptr;
    ForEachNode(node, [](TKvTreeNode* child) { child->item_ = nullptr; });
}

void TKvCustomTreeView::ClearNodes()
{
    if (editingNode_ != nullptr && HandleAllocated())
        SendMessageA(Handle(), TVM_ENDEDITLABELNOW, TRUE, 0);
    bool wasClearing = std::exchange(clearing_, true);
    for (int i = root_->Count() - 1; i >= 0; --i)
        DeleteNodeData(root_->Item(i));
    if (HandleAllocated())
        SendMessageA(Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    root_->children_.clear();
    selectedWhileNoWindow_ = nullptr;
    clearing_ = wasClearing;
}

int TKvCustomTreeView::NodeCount() const
{
    int count = 0;
    ForEachNode(root_.get(), [&count](TKvTreeNode*) { ++count; });
    return count;
}

TKvTreeNode* TKvCustomTreeView::NodeFromItem(HTREEITEM item) const
{
    if (item == nullptr || !HandleAllocated())
        return nullptr;
    TVITEMA query = {};
    query.mask = TVIF_PARAM | TVIF_HANDLE;
    query.hItem = item;
    auto* self = const_cast<TKvCustomTreeView*>(this);
    if (!SendMessageA(self->Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query)))
        return nullptr;
    return reinterpret_cast<TKvTreeNode*>(query.lParam);
}

TKvTreeNode* TKvCustomTreeView::GetNodeAt(int x, int y)
{
    if (!HandleAllocated())
        return nullptr;
    TVHITTESTINFO hit = {};
    hit.pt = POINT{x, y};
    auto item = reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (item == nullptr || !(hit.flags & (TVHT_ONITEM | TVHT_ONITEMSTATEICON)))
        return nullptr;
    return NodeFromItem(item);
}

int CALLBACK TKvCustomTreeView::CompareByRank(LPARAM a, LPARAM b, LPARAM)
{
    return reinterpret_cast<TKvTreeNode*>(a)->sortRank_ - reinterpret_cast<TKvTreeNode*>(b)->sortRank_;
}

void TKvCustomTreeView::ReorderItems(TKvTreeNode* parent)
{
    if (!HandleAllocated() || (parent != root_.get() && parent->item_ == nullptr))
        return;
    TVSORTCB sort = {};
    sort.hParent = parent == root_.get() ? TVI_ROOT : parent->item_;
    sort.lpfnCompare = &TKvCustomTreeView::CompareByRank;
    SendMessageA(Handle(), TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
}

void TKvCustomTreeView::CustomSort(TKvTreeNode* parent, const TKvTreeNodeCompare& compare, bool recurse)
{
    TKvTreeNode* under = parent != nullptr ? parent : root_.get();
    auto& children = under->children_;
    std::stable_sort(children.begin(), children.end(),
                     [&compare](const auto& a, const auto& b) { return compare(a.get(), b.get()) < 0; });
    for (size_t i = 0; i < children.size(); ++i)
        children[i]->sortRank_ = static_cast<int>(i);
    ReorderItems(under);
    if (recurse)
        for (auto& child : children)
            CustomSort(child.get(), compare, true);
}

void TKvCustomTreeView::FullExpand()
{
    for (int i = 0; i < root_->Count(); ++i)
        root_->Item(i)->Expand(true);
}

void TKvCustomTreeView::FullCollapse()
{
    for (int i = 0; i < root_->Count(); ++i)
        root_->Item(i)->Collapse(true);
}

void TKvCustomTreeView::BeginUpdate()
{
    if (updateCount_++ == 0 && HandleAllocated())
        SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
}

void TKvCustomTreeView::EndUpdate()
{
    if (updateCount_ == 0)
        return;
    if (--updateCount_ == 0 && HandleAllocated()) {
        SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
        Invalidate();
    }
}

TKvTreeNode* TKvCustomTreeView::Selected() const
{
    if (!HandleAllocated())
        return selectedWhileNoWindow_;
    auto* self = const_cast<TKvCustomTreeView*>(this);
    auto item = reinterpret_cast<HTREEITEM>(SendMessageA(self->Handle(), TVM_GETNEXTITEM, TVGN_CARET, 0));
    return NodeFromItem(item);
}

void TKvCustomTreeView::SetSelected(TKvTreeNode* node)
{
    if (!HandleAllocated()) {
        selectedWhileNoWindow_ = node;
        return;
    }
    HTREEITEM item = node != nullptr ? node->item_ : nullptr;
    SendMessageA(Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

bool TKvCustomTreeView::IsEditing() const
{
    if (!HandleAllocated())
        return false;
    auto* self = const_cast<TKvCustomTreeView*>(this);
    return SendMessageA(self->Handle(), TVM_GETEDITCONTROL, 0, 0) != 0;
}

// ---- properties -----------------------------------------------------------

void TKvCustomTreeView::SetReadOnly(bool value)
{
    readOnly_ = value;
    UpdateStyle(kEditFlags, !value);
}

void TKvCustomTreeView::SetHideSelection(bool value)
{
    hideSelection_ = value;
    UpdateStyle(TVS_SHOWSELALWAYS, !value);
}

void TKvCustomTreeView::SetShowButtons(bool value)
{
    showButtons_ = value;
    UpdateStyle(TVS_HASBUTTONS, value);
}

void TKvCustomTreeView::SetShowLines(bool value)
{
    showLines_ = value;
    UpdateStyle(TVS_HASLINES, value);
}

void TKvCustomTreeView::SetShowRoot(bool value)
{
    showRoot_ = value;
    UpdateStyle(TVS_LINESATROOT, value);
}

void TKvCustomTreeView::SetRowSelect(bool value)
{
    rowSelect_ = value;
    UpdateStyle(TVS_FULLROWSELECT, value);
}

void TKvCustomTreeView::SetIndent(int value)
{
    indent_ = value;
    if (HandleAllocated())
        SendMessageA(Handle(), TVM_SETINDENT, static_cast<WPARAM>(value), 0);
}

void TKvCustomTreeView::SetDragMode(TKvDragMode mode)
{
    dragMode_ = mode;
    UpdateStyle(TVS_DISABLEDRAGDROP, mode != TKvDragMode::dmAutomatic);
}

void TKvCustomTreeView::SetImages(HIMAGELIST images)
{
    images_ = images;
    if (HandleAllocated())
        SendMessageA(Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
}

void TKvCustomTreeView::SetStateImages(HIMAGELIST images)
{
    stateImages_ = images;
    if (HandleAllocated())
        SendMessageA(Handle(), TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(images));
}

// ---- events ---------------------------------------------------------------

void TKvCustomTreeView::Added(TKvTreeNode*) {}

void TKvCustomTreeView::Delete(TKvTreeNode* node)
{
    if (OnDeletion)
        OnDeletion(this, node);
}

void TKvCustomTreeView::Change(TKvTreeNode* node)
{
    if (OnChange)
        OnChange(this, node);
}

bool TKvCustomTreeView::CanChange(TKvTreeNode* node)
{
    bool allow = true;
    if (OnChanging)
        OnChanging(this, node, allow);
    return allow;
}

bool TKvCustomTreeView::CanExpand(TKvTreeNode* node)
{
    bool allow = true;
    if (OnExpanding)
        OnExpanding(this, node, allow);
    return allow;
}

void TKvCustomTreeView::Expand(TKvTreeNode* node)
{
    if (OnExpanded)
        OnExpanded(this, node);
}

bool TKvCustomTreeView::CanCollapse(TKvTreeNode* node)
{
    bool allow = true;
    if (OnCollapsing)
        OnCollapsing(this, node, allow);
    return allow;
}

void TKvCustomTreeView::Collapse(TKvTreeNode* node)
{
    if (OnCollapsed)
        OnCollapsed(this, node);
}

bool TKvCustomTreeView::CanEdit(TKvTreeNode* node)
{
    bool allow = !readOnly_;
    if (allow && OnEditing)
        OnEditing(this, node, allow);
    return allow;
}

bool TKvCustomTreeView::Edit(TKvTreeNode* node, std::string& text)
{
    if (OnEdited)
        OnEdited(this, node, text);
    return true;
}

void TKvCustomTreeView::BeginItemDrag(TKvTreeNode*, bool) {}

void TKvCustomTreeView::ItemClick(POINT) { Click(); }

void TKvCustomTreeView::ItemRightClick(POINT, POINT) {}

bool TKvCustomTreeView::ItemKeyDown(WORD) { return false; }

// ---- messages -------------------------------------------------------------

void TKvCustomTreeView::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK:
    case WM_MOUSEMOVE:
        // The system control tracks the mouse itself (selection, drag detection, buttons);
        // its click notices tell no place, so the place of the press is kept for them.
        if (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_RBUTTONDOWN)
            pressPoint_ = POINT{MessageParams::MouseX(message), MessageParams::MouseY(message)};
        DefaultHandler(message);
        break;
    case CN_BASE + WM_NOTIFY:
        HandleNotify(message);
        break;
    default:
        TWinControl::Dispatch(message);
        break;
    }
}

void TKvCustomTreeView::HandleNotify(TMessage& message)
{
    auto* header = reinterpret_cast<NMHDR*>(message.LParam);
    auto* tree = reinterpret_cast<NMTREEVIEWA*>(header); // the A and W forms share the fields read here
    UINT code = header->code;
    message.Result = 0;
    if (IsCode(code, TVN_SELCHANGEDA, TVN_SELCHANGEDW)) {
        if (!clearing_)
            Change(reinterpret_cast<TKvTreeNode*>(tree->itemNew.lParam));
    } else if (IsCode(code, TVN_SELCHANGINGA, TVN_SELCHANGINGW)) {
        if (!clearing_ && !CanChange(reinterpret_cast<TKvTreeNode*>(tree->itemNew.lParam)))
            message.Result = 1;
    } else if (IsCode(code, TVN_ITEMEXPANDINGA, TVN_ITEMEXPANDINGW)) {
        auto* node = reinterpret_cast<TKvTreeNode*>(tree->itemNew.lParam);
        if (node == nullptr)
            return;
        bool allow = (tree->action & TVE_EXPAND) ? CanExpand(node) : CanCollapse(node);
        message.Result = allow ? 0 : 1;
    } else if (IsCode(code, TVN_ITEMEXPANDEDA, TVN_ITEMEXPANDEDW)) {
        auto* node = reinterpret_cast<TKvTreeNode*>(tree->itemNew.lParam);
        if (node == nullptr)
            return;
        node->expanded_ = (tree->action & TVE_EXPAND) != 0;
        if (node->expanded_)
            Expand(node);
        else
            Collapse(node);
    } else if (IsCode(code, TVN_BEGINLABELEDITA, TVN_BEGINLABELEDITW)) {
        auto* node = reinterpret_cast<TKvTreeNode*>(reinterpret_cast<NMTVDISPINFOA*>(header)->item.lParam);
        bool allow = node != nullptr && CanEdit(node);
        editingNode_ = allow ? node : nullptr;
        message.Result = allow ? 0 : 1;
    } else if (IsCode(code, TVN_ENDLABELEDITA, TVN_ENDLABELEDITW)) {
        auto* node = reinterpret_cast<TKvTreeNode*>(reinterpret_cast<NMTVDISPINFOA*>(header)->item.lParam);
        editingNode_ = nullptr;
        bool given = false;
        std::string text = TextOfEdit(header, given);
        // The label is set from the node, so an event may change the text taken.
        if (given && node != nullptr && Edit(node, text)) {
            node->text_ = text;
            node->UpdateItem(TVIF_TEXT);
        }
    } else if (IsCode(code, TVN_BEGINDRAGA, TVN_BEGINDRAGW) || IsCode(code, TVN_BEGINRDRAGA, TVN_BEGINRDRAGW)) {
        auto* node = reinterpret_cast<TKvTreeNode*>(tree->itemNew.lParam);
        if (node != nullptr)
            BeginItemDrag(node, IsCode(code, TVN_BEGINRDRAGA, TVN_BEGINRDRAGW));
    } else if (code == NM_CLICK || code == NM_RCLICK) {
        POINT client = pressPoint_;
        if (code == NM_CLICK) {
            ItemClick(client);
        } else {
            ItemRightClick(client, ClientToScreen(client));
            message.Result = 1;
        }
    } else if (code == TVN_KEYDOWN) {
        auto* key = reinterpret_cast<NMTVKEYDOWN*>(header);
        message.Result = ItemKeyDown(key->wVKey) ? 1 : 0;
    }
}
