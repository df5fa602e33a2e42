// The tree view on a real window: nodes made before the window shows, sorting,
// lazy filling on expansion, label editing and deletion as the window shows them.
#include "KvTreeView.h"
#include "TForm.h"
#include "VisualFixtures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TreeViewTest : public testing::Test {
protected:
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetBounds(40, 40, 360, 300);
        tree = new TKvTreeView(form);
        tree->SetBounds(8, 8, 320, 240);
    }
    void TearDown() override { delete form; }

    void ShowTree()
    {
        tree->SetParent(form);
        form->Show();
    }

    // The labels of the children of an item (TVI_ROOT: the top level) in the window's order.
    std::vector<std::string> WindowLabels(HTREEITEM parent)
    {
        std::vector<std::string> labels;
        HWND window = tree->Handle();
        auto item = reinterpret_cast<HTREEITEM>(
            parent == TVI_ROOT ? SendMessageA(window, TVM_GETNEXTITEM, TVGN_ROOT, 0)
                               : SendMessageA(window, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(parent)));
        while (item != nullptr) {
            char text[128] = {};
            TVITEMA query = {};
            query.mask = TVIF_TEXT | TVIF_HANDLE;
            query.hItem = item;
            query.pszText = text;
            query.cchTextMax = sizeof(text);
            SendMessageA(window, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
            labels.push_back(text);
            item = reinterpret_cast<HTREEITEM>(
                SendMessageA(window, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
        }
        return labels;
    }

    TForm* form = nullptr;
    TKvTreeView* tree = nullptr;
};

TEST_F(TreeViewTest, NodesMadeBeforeTheWindowShowInItWithTheirDataAndSelection)
{
    int data = 7;
    TKvTreeNode* first = tree->AddChild(nullptr, "第一");
    TKvTreeNode* child = tree->AddChild(first, "child", &data);
    tree->AddChild(nullptr, "second");
    first->Expand(false);
    tree->SetSelected(child);
    ShowTree();

    EXPECT_EQ(WindowLabels(TVI_ROOT), (std::vector<std::string>{"第一", "second"}));
    EXPECT_EQ(WindowLabels(first->ItemId()), std::vector<std::string>{"child"});
    EXPECT_TRUE(first->Expanded());
    EXPECT_EQ(tree->Selected(), child);
    EXPECT_EQ(tree->NodeFromItem(child->ItemId())->Data(), &data);
    EXPECT_EQ(child->Parent(), first);
    EXPECT_EQ(first->Parent(), nullptr);
    EXPECT_EQ(child->Level(), 1);
}

TEST_F(TreeViewTest, CustomSortOrdersTheWindowAsTheNodes)
{
    ShowTree();
    for (const char* name : {"delta", "alpha", "charlie", "bravo"})
        tree->AddChild(nullptr, name);
    tree->CustomSort(nullptr, [](TKvTreeNode* a, TKvTreeNode* b) { return a->Text().compare(b->Text()); });
    EXPECT_EQ(WindowLabels(TVI_ROOT), (std::vector<std::string>{"alpha", "bravo", "charlie", "delta"}));
    EXPECT_EQ(tree->RootNode(0)->Text(), "alpha");
    EXPECT_EQ(tree->RootNode(3)->GetPrevSibling()->Text(), "charlie");
}

TEST_F(TreeViewTest, ExpandingFillsANodeLazilyAndCanBeRefused)
{
    ShowTree();
    TKvTreeNode* lazy = tree->AddChild(nullptr, "lazy");
    lazy->SetHasChildren(true);
    TKvTreeNode* locked = tree->AddChild(nullptr, "locked");
    locked->SetHasChildren(true);
    int fills = 0;
    tree->OnExpanding = TKvTVExpandingEvent::FromFunction([&](TObject*, TKvTreeNode* node, bool& allow) {
        if (node == locked) {
            allow = false;
            return;
        }
        if (node->Count() == 0) {
            ++fills;
            tree->AddChild(node, "a");
            tree->AddChild(node, "b");
        }
    });
    lazy->Expand(false);
    locked->Expand(false);
    EXPECT_EQ(fills, 1);
    EXPECT_EQ(WindowLabels(lazy->ItemId()), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(lazy->Expanded());
    EXPECT_FALSE(locked->Expanded());
    lazy->Collapse(false);
    lazy->Expand(false);
    EXPECT_EQ(fills, 1);
}

TEST_F(TreeViewTest, LabelEditGoesThroughOnEditedAndReadOnlyRefusesIt)
{
    ShowTree();
    TKvTreeNode* node = tree->AddChild(nullptr, "old");
    tree->OnEdited = TKvTVEditedEvent::FromFunction([](TObject*, TKvTreeNode*, std::string& text) {
        text += "!";
    });
    ASSERT_TRUE(node->EditText());
    EXPECT_EQ(tree->EditingNode(), node);
    HWND edit = reinterpret_cast<HWND>(SendMessageA(tree->Handle(), TVM_GETEDITCONTROL, 0, 0));
    ASSERT_NE(edit, nullptr);
    SetWindowTextA(edit, "新");
    SendMessageA(tree->Handle(), TVM_ENDEDITLABELNOW, FALSE, 0);
    EXPECT_EQ(node->Text(), "新!");
    EXPECT_EQ(WindowLabels(TVI_ROOT), std::vector<std::string>{"新!"});
    EXPECT_EQ(tree->EditingNode(), nullptr);

    tree->SetReadOnly(true);
    EXPECT_FALSE(node->EditText());
}

TEST_F(TreeViewTest, DeletingANodeTellsOnDeletionForItsWholeSubtree)
{
    ShowTree();
    TKvTreeNode* top = tree->AddChild(nullptr, "top");
    tree->AddChild(tree->AddChild(top, "mid"), "leaf");
    tree->AddChild(nullptr, "other");
    std::vector<std::string> deleted;
    tree->OnDeletion = TKvTVChangedEvent::FromFunction([&](TObject*, TKvTreeNode* node) {
        deleted.push_back(node->Text());
    });
    top->Delete();
    EXPECT_EQ(deleted, (std::vector<std::string>{"leaf", "mid", "top"}));
    EXPECT_EQ(WindowLabels(TVI_ROOT), std::vector<std::string>{"other"});
    EXPECT_EQ(SendMessageA(tree->Handle(), TVM_GETCOUNT, 0, 0), 1);
    tree->ClearNodes();
    EXPECT_EQ(tree->NodeCount(), 0);
    EXPECT_EQ(SendMessageA(tree->Handle(), TVM_GETCOUNT, 0, 0), 0);
}

} // namespace
