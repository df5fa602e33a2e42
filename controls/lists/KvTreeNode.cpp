// Tree nodes: their own state, mirrored into the tree window's item when it exists.
#include "KvTreeNode.h"

#include "KvTreeView.h"
#include "StoreChanged.h"

#include <algorithm>
#include <cstring>

TKvTreeNode::TKvTreeNode(TKvCustomTreeView* owner, TKvTreeNode* parent) : owner_(owner), parent_(parent) {}

TKvTreeNode::~TKvTreeNode() = default;

TKvTreeNode* TKvTreeNode::Parent() const
{
    // The top level hangs under the tree's hidden root, which has no parent itself.
    return parent_ != nullptr && parent_->parent_ != nullptr ? parent_ : nullptr;
}

std::vector<std::unique_ptr<TKvTreeNode>>& TKvTreeNode::Siblings() const { return parent_->children_; }

int TKvTreeNode::Index() const
{
    if (parent_ == nullptr)
        return -1;
    auto& siblings = Siblings();
    auto found = std::find_if(siblings.begin(), siblings.end(), [this](const auto& node) { return node.get() == this; });
    return static_cast<int>(found - siblings.begin());
}

int TKvTreeNode::Level() const
{
    int level = 0;
    for (TKvTreeNode* node = Parent(); node != nullptr; node = node->Parent())
        ++level;
    return level;
}

TKvTreeNode* TKvTreeNode::GetNextSibling() const
{
    if (parent_ == nullptr)
        return nullptr;
    size_t index = static_cast<size_t>(Index()) + 1;
    return index < Siblings().size() ? Siblings()[index].get() : nullptr;
}

TKvTreeNode* TKvTreeNode::GetPrevSibling() const
{
    if (parent_ == nullptr)
        return nullptr;
    int index = Index();
    return index > 0 ? Siblings()[static_cast<size_t>(index - 1)].get() : nullptr;
}

TKvTreeNode* TKvTreeNode::GetNext() const
{
    if (!children_.empty())
        return children_.front().get();
    for (const TKvTreeNode* node = this; node != nullptr && node->parent_ != nullptr; node = node->parent_) {
        if (TKvTreeNode* next = node->GetNextSibling())
            return next;
    }
    return nullptr;
}

bool TKvTreeNode::HasAsParent(const TKvTreeNode* node) const
{
    for (TKvTreeNode* up = Parent(); up != nullptr; up = up->Parent())
        if (up == node)
            return true;
    return false;
}

void TKvTreeNode::UpdateItem(UINT mask)
{
    if (item_ == nullptr || !owner_->HandleAllocated())
        return;
    TVITEMA item = {};
    item.mask = mask | TVIF_HANDLE;
    item.hItem = item_;
    item.pszText = const_cast<char*>(text_.c_str());
    item.iImage = imageIndex_;
    item.iSelectedImage = selectedIndex_;
    item.cChildren = HasChildren() ? 1 : 0;
    item.state = INDEXTOSTATEIMAGEMASK(static_cast<UINT>(stateIndex_));
    item.stateMask = TVIS_STATEIMAGEMASK;
    SendMessageA(owner_->Handle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void TKvTreeNode::SetText(const std::string& text)
{
    if (!StoreChanged(text_, text))
        return;
    UpdateItem(TVIF_TEXT);
}

void TKvTreeNode::SetImageIndex(int index)
{
    if (!StoreChanged(imageIndex_, index))
        return;
    UpdateItem(TVIF_IMAGE);
}

void TKvTreeNode::SetSelectedIndex(int index)
{
    if (!StoreChanged(selectedIndex_, index))
        return;
    UpdateItem(TVIF_SELECTEDIMAGE);
}

void TKvTreeNode::SetStateIndex(int index)
{
    if (!StoreChanged(stateIndex_, index))
        return;
    UpdateItem(TVIF_STATE);
}

void TKvTreeNode::SetHasChildren(bool value)
{
    hasChildren_ = value;
    UpdateItem(TVIF_CHILDREN);
}

bool TKvTreeNode::Expanded() const
{
    if (item_ == nullptr || !owner_->HandleAllocated())
        return expanded_;
    LRESULT state = SendMessageA(owner_->Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item_), TVIS_EXPANDED);
    return (state & TVIS_EXPANDED) != 0;
}

void TKvTreeNode::SetExpanded(bool value)
{
    if (value)
        Expand(false);
    else
        Collapse(false);
}

void TKvTreeNode::Expand(bool recurse)
{
    expanded_ = true;
    if (item_ != nullptr && owner_->HandleAllocated())
        SendMessageA(owner_->Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item_));
    if (recurse) {
        // Expanding may fill the children, so walk them only afterwards.
        for (size_t i = 0; i < children_.size(); ++i)
            children_[i]->Expand(true);
    }
}

void TKvTreeNode::Collapse(bool recurse)
{
    expanded_ = false;
    if (item_ != nullptr && owner_->HandleAllocated())
        SendMessageA(owner_->Handle(), TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(item_));
    if (recurse)
        for (auto& child : children_)
            child->Collapse(true);
}

bool TKvTreeNode::Selected() const { return owner_->Selected() == this; }

void TKvTreeNode::SetSelected(bool value)
{
    if (value)
        owner_->SetSelected(this);
    else if (Selected())
        owner_->SetSelected(nullptr);
}

void TKvTreeNode::MakeVisible()
{
    if (item_ != nullptr && owner_->HandleAllocated())
        SendMessageA(owner_->Handle(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item_));
}

RECT TKvTreeNode::DisplayRect(bool textOnly) const
{
    RECT rect = {};
    if (item_ == nullptr || !owner_->HandleAllocated())
        return rect;
    // The message takes the item in the rectangle's place.
    std::memcpy(&rect, &item_, sizeof(item_));
    if (!SendMessageA(owner_->Handle(), TVM_GETITEMRECT, textOnly ? TRUE : FALSE, reinterpret_cast<LPARAM>(&rect)))
        rect = RECT{};
    return rect;
}

bool TKvTreeNode::EditText()
{
    if (item_ == nullptr || !owner_->HandleAllocated())
        return false;
    HWND window = owner_->Handle();
    SetFocus(window); // the edit only opens in a tree that has the focus
    return SendMessageA(window, TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(item_)) != 0;
}

void TKvTreeNode::Delete() { owner_->DeleteNode(this); }

void TKvTreeNode::DeleteChildren()
{
    while (!children_.empty())
        owner_->DeleteNode(children_.back().get());
}
