// TKvCheckTree: a tree view whose nodes carry a tri-state check mark. A click on
// the mark (or Space on the selected node) toggles it; a node's children follow
// it, and a parent shows checked, unchecked or grayed as its children are.
#pragma once

#include "KvTreeView.h"
#include "GdiHandles.h"

enum class TKvCheckState { csUnchecked, csChecked, csGrayed };

using TKvCheckStateChangeEvent = TClosure<void(TObject* sender, TKvTreeNode* node)>;

class TKvCheckTree : public TKvCustomTreeView {
public:
    CLASSLIB_CLASS_NAME(TKvCheckTree)
    explicit TKvCheckTree(TComponent* owner);

    TKvCheckState CheckState(const TKvTreeNode* node) const;
    // Sets a node's mark: checked and unchecked pass to all its children, and the
    // parents follow. Grayed is set on that node alone.
    void SetCheckState(TKvTreeNode* node, TKvCheckState state);
    bool Checked(const TKvTreeNode* node) const { return CheckState(node) == TKvCheckState::csChecked; }
    void SetChecked(TKvTreeNode* node, bool checked);
    // What a click on the mark does: checked becomes unchecked, anything else checked.
    void ToggleCheckState(TKvTreeNode* node);

    // A flat one-pixel frame in place of the sunken edge.
    bool FrameVisible() const { return frameVisible_; }
    void SetFrameVisible(bool value);

    // After a node's mark changed by a click, a key or from code (the node that was set).
    TKvCheckStateChangeEvent OnStateChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Added(TKvTreeNode* node) override;
    void ItemClick(POINT point) override;
    bool ItemKeyDown(WORD key) override;

private:
    static int StateIndexOf(TKvCheckState state);
    // Sets the mark of the node and every node under it; true when any changed.
    bool SetSubtree(TKvTreeNode* node, TKvCheckState state);
    // Recomputes the marks of the node's parents from their children; true when any changed.
    bool UpdateParents(TKvTreeNode* node);
    void BuildStateImages();

    TOwnedImageList checkImages_;
    bool frameVisible_ = false;
};
