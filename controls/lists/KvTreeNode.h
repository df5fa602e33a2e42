// TKvTreeNode: one node of a tree view. The node keeps its text, images, data
// and children itself, so the tree can be built before its window exists and
// survives the window being made again; the window shows what the nodes hold.
#pragma once

#include "TObject.h"

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

class TKvCustomTreeView;

class TKvTreeNode : public TObject {
public:
    CLASSLIB_CLASS_NAME(TKvTreeNode)
    TKvTreeNode(TKvCustomTreeView* owner, TKvTreeNode* parent);
    ~TKvTreeNode() override;

    TKvCustomTreeView* TreeView() const { return owner_; }
    // The parent node; nullptr for a node at the top level.
    TKvTreeNode* Parent() const;
    // The item of the tree window; nullptr while the window does not show the node.
    HTREEITEM ItemId() const { return item_; }

    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    void* Data() const { return data_; }
    void SetData(void* data) { data_ = data; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    int SelectedIndex() const { return selectedIndex_; }
    void SetSelectedIndex(int index);
    // The state image shown before the node (0: none).
    int StateIndex() const { return stateIndex_; }
    void SetStateIndex(int index);
    // Whether the node shows an expand button, children or not.
    bool HasChildren() const { return hasChildren_ || !children_.empty(); }
    void SetHasChildren(bool value);

    int Count() const { return static_cast<int>(children_.size()); }
    TKvTreeNode* Item(int index) const { return children_.at(static_cast<size_t>(index)).get(); }
    // The position among the siblings.
    int Index() const;
    // 0 for a node at the top level.
    int Level() const;
    TKvTreeNode* GetFirstChild() const { return children_.empty() ? nullptr : children_.front().get(); }
    TKvTreeNode* GetLastChild() const { return children_.empty() ? nullptr : children_.back().get(); }
    TKvTreeNode* GetNextSibling() const;
    TKvTreeNode* GetPrevSibling() const;
    // The next node in the order of the whole tree (depth first), or nullptr.
    TKvTreeNode* GetNext() const;
    bool HasAsParent(const TKvTreeNode* node) const;

    bool Expanded() const;
    void SetExpanded(bool value);
    void Expand(bool recurse);
    void Collapse(bool recurse);
    bool Selected() const;
    void SetSelected(bool value);
    // Scrolls and expands the parents so that the node shows.
    void MakeVisible();
    // The node's place in the tree's client area (its label alone when asked); empty when not shown.
    RECT DisplayRect(bool textOnly) const;
    // Opens the label of the node for editing; false when the tree does not allow it.
    bool EditText();

    // Removes the node (and its children) from the tree and frees it.
    void Delete();
    void DeleteChildren();

private:
    friend class TKvCustomTreeView;
    std::vector<std::unique_ptr<TKvTreeNode>>& Siblings() const;
    void UpdateItem(UINT mask);

    TKvCustomTreeView* owner_;
    TKvTreeNode* parent_;
    std::vector<std::unique_ptr<TKvTreeNode>> children_;
    HTREEITEM item_ = nullptr;
    std::string text_;
    void* data_ = nullptr;
    int imageIndex_ = -1;
    int selectedIndex_ = -1;
    int stateIndex_ = 0;
    bool hasChildren_ = false;
    bool expanded_ = false; // kept while the window does not exist
    int sortRank_ = 0;
};
