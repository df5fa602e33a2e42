// The check tree on a real window: the tri-state rules, clicks on the mark,
// the Space key, and marks that show in the window's pixels.
#include "KvCheckTree.h"
#include "OwnedDC.h"
#include "TForm.h"
#include "VisualFixtures.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using S = TKvCheckState;

class CheckTreeTest : public testing::Test {
protected:
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetBounds(40, 40, 360, 300);
        tree = new TKvCheckTree(form);
        tree->SetBounds(8, 8, 320, 240);
        tree->SetParent(form);
        parent = tree->AddChild(nullptr, "Components");
        for (const char* name : {"Help", "Samples", "Drivers"})
            children.push_back(tree->AddChild(parent, name));
        parent->Expand(false);
        tree->OnStateChange = TKvCheckStateChangeEvent::FromFunction([this](TObject*, TKvTreeNode* node) {
            changed.push_back(node);
        });
        form->Show();
        BringWindowToTop(form->Handle());
    }
    void TearDown() override { delete form; }

    // A client point on the node's check mark, found by asking the window.
    POINT MarkPoint(TKvTreeNode* node)
    {
        RECT text = node->DisplayRect(true);
        int y = (text.top + text.bottom) / 2;
        for (int x = 0; x < text.left; ++x) {
            TVHITTESTINFO hit = {};
            hit.pt = POINT{x, y};
            SendMessageA(tree->Handle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
            if (hit.flags & TVHT_ONITEMSTATEICON)
                return POINT{x + 6, y};
        }
        ADD_FAILURE() << "no check mark beside " << node->Text();
        return POINT{0, y};
    }

    void Click(POINT point)
    {
        LPARAM at = MAKELPARAM(point.x, point.y);
        PostMessageA(tree->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(tree->Handle(), WM_LBUTTONUP, 0, at);
    }

    TForm* form = nullptr;
    TKvCheckTree* tree = nullptr;
    TKvTreeNode* parent = nullptr;
    std::vector<TKvTreeNode*> children;
    std::vector<TKvTreeNode*> changed;
};

TEST_F(CheckTreeTest, ParentFollowsItsChildrenAndChildrenFollowTheirParent)
{
    struct Step {
        int node; // -1: the parent, else a child
        S set;
        S parentAfter;
        std::vector<S> childrenAfter;
    };
    const Step steps[] = {
        {0, S::csChecked, S::csGrayed, {S::csChecked, S::csUnchecked, S::csUnchecked}},
        {1, S::csChecked, S::csGrayed, {S::csChecked, S::csChecked, S::csUnchecked}},
        {2, S::csChecked, S::csChecked, {S::csChecked, S::csChecked, S::csChecked}},
        {-1, S::csUnchecked, S::csUnchecked, {S::csUnchecked, S::csUnchecked, S::csUnchecked}},
        {-1, S::csChecked, S::csChecked, {S::csChecked, S::csChecked, S::csChecked}},
        {1, S::csGrayed, S::csGrayed, {S::csChecked, S::csGrayed, S::csChecked}},
        {1, S::csChecked, S::csChecked, {S::csChecked, S::csChecked, S::csChecked}},
    };
    for (const Step& step : steps) {
        TKvTreeNode* node = step.node < 0 ? parent : children[static_cast<size_t>(step.node)];
        tree->SetCheckState(node, step.set);
        EXPECT_EQ(tree->CheckState(parent), step.parentAfter) << "after setting " << node->Text();
        for (size_t i = 0; i < children.size(); ++i)
            EXPECT_EQ(tree->CheckState(children[i]), step.childrenAfter[i]) << children[i]->Text();
    }
    // One notice per change, naming the node that was set; setting the same state again is no change.
    EXPECT_EQ(changed.size(), std::size(steps));
    tree->SetCheckState(children[0], S::csChecked);
    EXPECT_EQ(changed.size(), std::size(steps));
}

TEST_F(CheckTreeTest, ClickOnTheMarkTogglesAndAClickOnTheTextDoesNot)
{
    POINT mark = MarkPoint(children[0]);
    Click(mark);
    ASSERT_TRUE(RunMessagesUntil([&] { return tree->Checked(children[0]); }));
    EXPECT_EQ(tree->CheckState(parent), S::csGrayed);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0], children[0]);

    // A click on the label selects the node and leaves the mark alone.
    RECT text = children[1]->DisplayRect(true);
    Click(POINT{text.left + 4, (text.top + text.bottom) / 2});
    ASSERT_TRUE(RunMessagesUntil([&] { return tree->Selected() == children[1]; }));
    EXPECT_EQ(tree->CheckState(children[1]), S::csUnchecked);

    Click(mark);
    ASSERT_TRUE(RunMessagesUntil([&] { return !tree->Checked(children[0]); }));
    EXPECT_EQ(tree->CheckState(parent), S::csUnchecked);
}

TEST_F(CheckTreeTest, SpaceTogglesTheSelectedNode)
{
    tree->SetSelected(parent);
    SendMessageA(tree->Handle(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(tree->CheckState(parent), S::csChecked);
    for (TKvTreeNode* child : children)
        EXPECT_TRUE(tree->Checked(child));
    SendMessageA(tree->Handle(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(tree->CheckState(parent), S::csUnchecked);
}

// Dark pixels inside a node's mark: a tick adds some.
int DarkPixelsOfMark(HWND window, POINT mark)
{
    UpdateWindow(window);
    TWindowDC dc(window);
    int dark = 0;
    for (int y = mark.y - 4; y <= mark.y + 4; ++y)
        for (int x = mark.x - 4; x <= mark.x + 4; ++x) {
            COLORREF color = GetPixel(dc, x, y);
            if (GetRValue(color) + GetGValue(color) + GetBValue(color) < 200)
                ++dark;
        }
    return dark;
}

TEST_F(CheckTreeTest, EachStateShowsItsOwnMark)
{
    POINT mark = MarkPoint(children[0]);
    int unchecked = DarkPixelsOfMark(tree->Handle(), mark);
    tree->SetCheckState(children[0], S::csChecked);
    int checked = DarkPixelsOfMark(tree->Handle(), mark);
    EXPECT_GT(checked, unchecked + 4);
    tree->SetCheckState(children[0], S::csGrayed);
    int grayed = DarkPixelsOfMark(tree->Handle(), mark);
    EXPECT_NE(grayed, checked);
}

} // namespace
