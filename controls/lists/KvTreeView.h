// TKvCustomTreeView and TKvTreeView: the library's tree view over the system
// tree-view control. Nodes (TKvTreeNode) hold the tree; the control shows them,
// reports selection, expansion, label editing and clicks through events, and
// lets subclasses fill nodes lazily and sort them with their own comparison.
#pragma once

#include "KvTreeNode.h"
#include "TWinControl.h"

#include <commctrl.h>

#include <functional>

class TKvCustomTreeView;

using TKvTVChangedEvent = TClosure<void(TObject* sender, TKvTreeNode* node)>;
using TKvTVChangingEvent = TClosure<void(TObject* sender, TKvTreeNode* node, bool& allowChange)>;
using TKvTVExpandingEvent = TClosure<void(TObject* sender, TKvTreeNode* node, bool& allowExpansion)>;
using TKvTVExpandedEvent = TClosure<void(TObject* sender, TKvTreeNode* node)>;
using TKvTVEditingEvent = TClosure<void(TObject* sender, TKvTreeNode* node, bool& allowEdit)>;
using TKvTVEditedEvent = TClosure<void(TObject* sender, TKvTreeNode* node, std::string& text)>;

// <0, 0, >0: the order of two sibling nodes.
using TKvTreeNodeCompare = std::function<int(TKvTreeNode* a, TKvTreeNode* b)>;

enum class TKvDragMode { dmManual, dmAutomatic };

class TKvCustomTreeView : public TWinControl {
public:
    CLASSLIB_CLASS_NAME(TKvCustomTreeView)
    explicit TKvCustomTreeView(TComponent* owner);
    ~TKvCustomTreeView() override;

    // ---- nodes ----
    // Adds a node as the last child of `parent` (the top level for nullptr).
    TKvTreeNode* AddChild(TKvTreeNode* parent, const std::string& text, void* data = nullptr);
    // Adds a node before `sibling` among its siblings.
    TKvTreeNode* InsertBefore(TKvTreeNode* sibling, const std::string& text, void* data = nullptr);
    void DeleteNode(TKvTreeNode* node);
    void ClearNodes();
    // The nodes at the top level.
    int RootCount() const { return root_->Count(); }
    TKvTreeNode* RootNode(int index) const { return root_->Item(index); }
    TKvTreeNode* GetFirstNode() const { return root_->GetFirstChild(); }
    // Every node, depth first.
    int NodeCount() const;
    TKvTreeNode* NodeFromItem(HTREEITEM item) const;
    // The node at a client point, or nullptr.
    TKvTreeNode* GetNodeAt(int x, int y);
    // Sorts the children of `parent` (the top level for nullptr), recursively when asked.
    void CustomSort(TKvTreeNode* parent, const TKvTreeNodeCompare& compare, bool recurse = false);
    void FullExpand();
    void FullCollapse();
    // Holds painting back while many nodes change; nests.
    void BeginUpdate();
    void EndUpdate();

    TKvTreeNode* Selected() const;
    void SetSelected(TKvTreeNode* node);
    bool IsEditing() const;
    // The node whose label is being edited, or nullptr.
    TKvTreeNode* EditingNode() const { return editingNode_; }

    // ---- properties ----
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value);
    bool ShowButtons() const { return showButtons_; }
    void SetShowButtons(bool value);
    bool ShowLines() const { return showLines_; }
    void SetShowLines(bool value);
    bool ShowRoot() const { return showRoot_; }
    void SetShowRoot(bool value);
    bool RowSelect() const { return rowSelect_; }
    void SetRowSelect(bool value);
    int Indent() const { return indent_; }
    void SetIndent(int value);
    TKvDragMode DragMode() const { return dragMode_; }
    void SetDragMode(TKvDragMode mode);
    // The images of the nodes (the tree does not own the list).
    HIMAGELIST Images() const { return images_; }
    void SetImages(HIMAGELIST images);
    HIMAGELIST StateImages() const { return stateImages_; }
    void SetStateImages(HIMAGELIST images);

    TKvTVChangedEvent OnChange;
    TKvTVChangingEvent OnChanging;
    TKvTVExpandingEvent OnExpanding;
    TKvTVExpandedEvent OnExpanded;
    TKvTVExpandingEvent OnCollapsing;
    TKvTVExpandedEvent OnCollapsed;
    TKvTVEditingEvent OnEditing;
    TKvTVEditedEvent OnEdited;
    TKvTVChangedEvent OnDeletion;

protected:
    friend class TKvTreeNode;
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& message) override;

    // A new node has joined the tree (the check tree gives it a mark).
    virtual void Added(TKvTreeNode* node);
    // A node is about to go: its data can be freed here.
    virtual void Delete(TKvTreeNode* node);
    virtual void Change(TKvTreeNode* node);
    virtual bool CanChange(TKvTreeNode* node);
    virtual bool CanExpand(TKvTreeNode* node);
    virtual void Expand(TKvTreeNode* node);
    virtual bool CanCollapse(TKvTreeNode* node);
    virtual void Collapse(TKvTreeNode* node);
    virtual bool CanEdit(TKvTreeNode* node);
    // The label edit ended with new text; false keeps the old label.
    virtual bool Edit(TKvTreeNode* node, std::string& text);
    // A drag of a node with the left (or right) button began in the tree.
    virtual void BeginItemDrag(TKvTreeNode* node, bool rightButton);
    // The left button was clicked at a client point.
    virtual void ItemClick(POINT point);
    // The right button was clicked at a client point (screen point given too).
    virtual void ItemRightClick(POINT clientPoint, POINT screenPoint);
    // A key went down in the tree; true when it was used.
    virtual bool ItemKeyDown(WORD key);
    // Sets or clears a style bit of the window (and remembers nothing: callers keep the property).
    void UpdateStyle(DWORD bit, bool set);

private:
    void InsertItems(TKvTreeNode* parent);
    void InsertItem(TKvTreeNode* node);
    void RemoveItem(TKvTreeNode* node);
    void DeleteNodeData(TKvTreeNode* node);
    void HandleNotify(TMessage& message);
    void ForEachNode(TKvTreeNode* parent, const std::function<void(TKvTreeNode*)>& action) const;
    static int CALLBACK CompareByRank(LPARAM a, LPARAM b, LPARAM);
    void ReorderItems(TKvTreeNode* parent);

    std::unique_ptr<TKvTreeNode> root_; // hidden: its children are the top-level nodes
    TKvTreeNode* editingNode_ = nullptr;
    TKvTreeNode* selectedWhileNoWindow_ = nullptr;
    bool readOnly_ = false;
    bool hideSelection_ = true;
    bool showButtons_ = true;
    bool showLines_ = true;
    bool showRoot_ = true;
    bool rowSelect_ = false;
    int indent_ = 19;
    TKvDragMode dragMode_ = TKvDragMode::dmManual;
    HIMAGELIST images_ = nullptr;
    HIMAGELIST stateImages_ = nullptr;
    int updateCount_ = 0;
    bool clearing_ = false;
    POINT pressPoint_ = {0, 0}; // where the last mouse button went down, in client coordinates
};

class TKvTreeView : public TKvCustomTreeView {
public:
    CLASSLIB_CLASS_NAME(TKvTreeView)
    explicit TKvTreeView(TComponent* owner) : TKvCustomTreeView(owner) {}
};
