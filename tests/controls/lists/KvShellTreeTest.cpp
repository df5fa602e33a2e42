// The shell tree on a real window over Wine's shell: rooted at the desktop and
// at a base folder of real folders, the shell's order, hidden folders and files
// by option, selection by path, change notices from the change thread, new
// folders with their label edit, renaming, and verbs on roots.
#include "KvDeviceChangeHandler.h"
#include "KvIdListArray.h"
#include "KvShellDragDrop.h"
#include "KvShellTree.h"
#include "KvShellUtils.h"
#include "SysUtils.h"
#include "TApplication.h"
#include "TForm.h"
#include "TempFolder.h"
#include "VisualFixtures.h"

#include <gtest/gtest.h>

#include <dbt.h>

#include <string>
#include <vector>

namespace {

// The shell tree with a look at how it redraws, and its drag start in reach.
class ProbedShellTree : public TKvShellTree {
public:
    using TKvShellTree::TKvShellTree;
    using TKvShellTree::BeginItemDrag;
    using TKvShellTree::RecreateWnd;
    // The last WM_SETREDRAW the window was sent (TRUE: painting).
    WPARAM redraw = TRUE;

protected:
    void Dispatch(TMessage& message) override
    {
        if (message.Msg == WM_SETREDRAW)
            redraw = message.WParam;
        TKvShellTree::Dispatch(message);
    }
};

// Hears device changes after the trees do.
class DeviceChangeListener : public TObject {
public:
    DeviceChangeListener() { SharedDeviceChangeHandler()->AddNotify(Notify()); }
    ~DeviceChangeListener() override { SharedDeviceChangeHandler()->RemoveNotify(Notify()); }
    void Heard(TObject*, TMessage&) { ++heard; }
    // Sends a device change as the system broadcasts it, and runs messages until it was handed out.
    bool Broadcast()
    {
        int before = heard;
        PostMessageA(SharedDeviceChangeHandler()->Window(), WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
        return RunMessagesUntil([&] { return heard > before; });
    }
    int heard = 0;

private:
    static TKvDeviceChangeHandler* SharedDeviceChangeHandler() { return KvShellUtils::SharedDeviceChangeHandler(); }
    TKvDeviceChangeNotify Notify() { return TKvDeviceChangeNotify(this, &DeviceChangeListener::Heard); }
};

class ShellTreeTest : public testing::Test {
protected:
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetBounds(40, 40, 420, 460);
        tree = new ProbedShellTree(form);
        tree->SetBounds(8, 8, 380, 400);
        tree->SetHideSelection(false);
    }
    void TearDown() override { delete form; }

    // Shows the tree rooted at `base` (the desktop when empty) and waits for it to fill itself.
    void ShowTree(const std::string& base = std::string())
    {
        if (!base.empty())
            tree->BaseFolder()->SetPath(base);
        tree->SetParent(form);
        form->Show();
        ASSERT_TRUE(RunMessagesUntil([&] { return tree->RootCount() > 0; }));
    }

    void MakeFolders(const std::vector<std::string>& names)
    {
        for (const std::string& name : names)
            ASSERT_TRUE(CreateDirectoryA((temp / name).c_str(), nullptr)) << name;
    }

    static std::vector<std::string> Labels(TKvTreeNode* node)
    {
        std::vector<std::string> labels;
        for (int i = 0; i < node->Count(); ++i)
            labels.push_back(node->Item(i)->Text());
        return labels;
    }

    static TKvTreeNode* ChildNamed(TKvTreeNode* node, const std::string& name)
    {
        for (int i = 0; i < node->Count(); ++i)
            if (node->Item(i)->Text() == name)
                return node->Item(i);
        return nullptr;
    }

    TempFolder temp;
    TForm* form = nullptr;
    ProbedShellTree* tree = nullptr;
};

TEST_F(ShellTreeTest, AnEmptyBaseFolderRootsTheTreeAtTheDesktop)
{
    ShowTree();
    ASSERT_EQ(tree->RootCount(), 1);
    TKvTreeNode* root = tree->GetFirstNode();
    EXPECT_EQ(root->Text(), KvShellUtils::IdListDisplayName(nullptr));
    EXPECT_TRUE(root->Expanded());
    EXPECT_EQ(tree->Selected(), root);
    EXPECT_EQ(tree->GetSelectedPathName(), ""); // the desktop is a virtual folder

    // "My Computer" is among the desktop's children, and it has no path either.
    TOwnedIdList drives;
    ASSERT_EQ(KvShellUtils::SpecialFolderIdList(nullptr, CSIDL_DRIVES, drives), S_OK);
    TKvTreeNode* computer = nullptr;
    for (int i = 0; i < root->Count(); ++i)
        if (KvShellUtils::CompareIdLists(tree->NodeData(root->Item(i))->GetAbsoluteIdList(), drives.Get()) == 0)
            computer = root->Item(i);
    ASSERT_NE(computer, nullptr);
    EXPECT_EQ(computer->Text(), KvShellUtils::IdListDisplayName(drives.Get()));
    tree->SetSelected(computer);
    EXPECT_EQ(tree->GetSelectedPathName(), "");
    EXPECT_EQ(tree->InvokeVerb(computer, "delete"), 1); // not a file-system object
}

TEST_F(ShellTreeTest, ABaseFolderListsItsSubfoldersInTheShellsOrder)
{
    MakeFolders({"b", "a", "C", "a\\a2", "a\\a1", "隐藏"});
    SetFileAttributesA((temp / "隐藏").c_str(), FILE_ATTRIBUTE_HIDDEN);
    WriteWholeFile(temp / "file.txt", "x");
    ShowTree(temp.Path());

    TKvTreeNode* root = tree->GetFirstNode();
    EXPECT_EQ(SysUtils::CompareText(tree->NodeData(root)->GetPathName(), temp.Path()), 0);
    EXPECT_EQ(tree->InvokeVerb(root, "delete"), 1); // a root is never deleted
    EXPECT_TRUE(FolderExists(temp.Path()));
    // Hidden folders show by default; files do not.
    EXPECT_EQ(Labels(root), (std::vector<std::string>{"a", "b", "C", "隐藏"}));
    TKvTreeNode* a = ChildNamed(root, "a");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->Count(), 0); // filled only when opened
    a->Expand(false);
    EXPECT_EQ(Labels(a), (std::vector<std::string>{"a1", "a2"}));
    TKvTreeNode* b = ChildNamed(root, "b");
    b->Expand(false);
    EXPECT_FALSE(b->HasChildren()); // an empty folder loses its button

    tree->SetOptions(tree->Options() - stoShowHidden + stoIncludeNonFolders);
    tree->RefreshAll();
    EXPECT_EQ(Labels(tree->GetFirstNode()), (std::vector<std::string>{"a", "b", "C", "file.txt"}));
}

TEST_F(ShellTreeTest, SelectedPathNameOpensThePathAndTheLocatorFollowsTheSelection)
{
    MakeFolders({"x", "x\\深", "x\\深\\层"});
    ShowTree(temp.Path());
    std::string deep = temp / "x\\深\\层";
    tree->SetSelectedPathName(deep);
    ASSERT_NE(tree->Selected(), nullptr);
    EXPECT_EQ(tree->Selected()->Text(), "层");
    EXPECT_EQ(tree->GetSelectedPathName(), deep);
    EXPECT_EQ(tree->SelectedFolder()->Path(), deep);

    // Selecting by hand: the locator takes the node's list once the selection settles.
    TKvTreeNode* x = ChildNamed(tree->GetFirstNode(), "x");
    tree->SetSelected(x);
    ASSERT_TRUE(RunMessagesUntil([&] { return tree->SelectedFolder()->Path() == temp / "x"; }));

    // RefreshNodes keeps the selection.
    tree->RefreshNodes();
    EXPECT_EQ(tree->Selected()->Text(), "x");
}

TEST_F(ShellTreeTest, RefreshNodesAddsAndRemovesFoldersInPlace)
{
    MakeFolders({"keep", "gone"});
    ShowTree(temp.Path());
    TKvTreeNode* keep = ChildNamed(tree->GetFirstNode(), "keep");
    MakeFolders({"new"});
    RemoveDirectoryA((temp / "gone").c_str());
    int fills = 0;
    tree->OnFillComplete = TNotifyEvent::FromFunction([&](TObject*) { ++fills; });
    tree->RefreshNodes();
    EXPECT_EQ(Labels(tree->GetFirstNode()), (std::vector<std::string>{"keep", "new"}));
    EXPECT_EQ(ChildNamed(tree->GetFirstNode(), "keep"), keep); // the same node, not rebuilt
    EXPECT_EQ(fills, 1);
}

TEST_F(ShellTreeTest, AFolderMadeOnDiskAppearsAfterTheChangeNotice)
{
    // Wine reports changes only in the watched folder itself, and the tree watches
    // drive roots: the folder is made in the root of C:.
    std::string made = "C:\\kvshell-" + std::to_string(GetCurrentProcessId());
    ShowTree("C:\\");
    ASSERT_GT(tree->WatchCount(), 0);
    ASSERT_TRUE(CreateDirectoryA(made.c_str(), nullptr));
    // Without the focus the refresh waits 2000 ms.
    ASSERT_TRUE(RunMessagesUntil([&] { return tree->PendingRefreshInterval() != 0; }));
    EXPECT_EQ(tree->PendingRefreshInterval(), 2000u);
    // With the focus it waits 400 ms (other programs changing the drive meanwhile
    // restart the wait, and the shorter one lets the refresh come through sooner).
    SetForegroundWindow(form->Handle());
    SetFocus(tree->Handle());
    ASSERT_TRUE(RunMessagesUntil([&] { return tree->Focused(); }));
    SendMessageA(tree->Handle(), KVM_FOLDERCHANGED, 0, 0);
    EXPECT_EQ(tree->PendingRefreshInterval(), 400u);
    bool shown = RunMessagesUntil([&] { return ChildNamed(tree->GetFirstNode(), made.substr(3)) != nullptr; });
    RemoveDirectoryA(made.c_str());
    EXPECT_TRUE(shown);
    EXPECT_TRUE(RunMessagesUntil([&] { return ChildNamed(tree->GetFirstNode(), made.substr(3)) == nullptr; }));
}

TEST_F(ShellTreeTest, CreateNewFolderMakesItOpensItsLabelAndTheLabelRenamesIt)
{
    ShowTree(temp.Path());
    SetForegroundWindow(form->Handle());
    ASSERT_TRUE(tree->CreateNewFolder());
    EXPECT_TRUE(FolderExists(temp / "New Folder"));
    ASSERT_TRUE(tree->IsEditing());
    ASSERT_NE(tree->EditingNode(), nullptr);
    EXPECT_EQ(tree->EditingNode()->Text(), "New Folder");
    // The tree's own notice is swallowed: no refresh is waiting for it.
    SendMessageA(tree->Handle(), KVM_FOLDERCHANGED, 0, 0);
    EXPECT_EQ(tree->PendingRefreshInterval(), 0u);

    HWND edit = reinterpret_cast<HWND>(SendMessageA(tree->Handle(), TVM_GETEDITCONTROL, 0, 0));
    SetWindowTextA(edit, "我的文件夹");
    SendMessageA(tree->Handle(), TVM_ENDEDITLABELNOW, FALSE, 0);
    EXPECT_TRUE(FolderExists(temp / "我的文件夹"));
    EXPECT_FALSE(FolderExists(temp / "New Folder"));
    EXPECT_NE(ChildNamed(tree->GetFirstNode(), "我的文件夹"), nullptr);

    // A second one in the same folder takes the next free name (the new folder was selected).
    EXPECT_EQ(tree->Selected()->Text(), "我的文件夹");
    tree->SetSelected(tree->GetFirstNode());
    MakeFolders({"New Folder"});
    ASSERT_TRUE(tree->CreateNewFolder());
    EXPECT_TRUE(FolderExists(temp / "New Folder (2)"));
    SendMessageA(tree->Handle(), TVM_ENDEDITLABELNOW, TRUE, 0);
}

TEST_F(ShellTreeTest, CreateNewFolderWarnsWhenNoNameIsFree)
{
    ShowTree(temp.Path());
    WriteWholeFile(temp / "New Folder", "");
    for (int i = 2; i <= 100; ++i)
        WriteWholeFile(temp / ("New Folder (" + std::to_string(i) + ")"), "");
    Application()->SetTitle("Shell tree test");
    MessageBoxAnswerer answerer("Shell tree test", IDOK);
    EXPECT_FALSE(tree->CreateNewFolder());
    EXPECT_TRUE(answerer.Answered());
    EXPECT_EQ(answerer.Text().find("Unable to create the folder 'New Folder'"), 0u) << answerer.Text();
    EXPECT_NE(answerer.Text().find(SysUtils::SysErrorMessage(ERROR_ALREADY_EXISTS)), std::string::npos)
        << answerer.Text();
    EXPECT_FALSE(tree->IsEditing());
}

// Wine's folder drop targets answer with no effect here and copy nothing, so
// this checks the tree's part: the node under the pointer is highlighted, the
// refresh waits for the drag's end and runs after the drop.
TEST_F(ShellTreeTest, ADragOverTheTreeIsHandedToTheFolderUnderThePointer)
{
    MakeFolders({"target"});
    WriteWholeFile(temp / "dropped.txt", "x");
    ShowTree(temp.Path());
    TKvTreeNode* node = ChildNamed(tree->GetFirstNode(), "target");
    ASSERT_NE(node, nullptr);

    // The shell's own data object of the file, as a drag from another program would bring it.
    TOwnedIdList file;
    ASSERT_EQ(KvShellUtils::PathToIdList(temp / "dropped.txt", file), S_OK);
    ComPtr<IShellFolder> parent;
    LPCITEMIDLIST last = nullptr;
    ASSERT_EQ(SHBindToParent(file.Get(), IID_IShellFolder, parent.ReceiveVoid(), &last), S_OK);
    ComPtr<IDataObject> data;
    ASSERT_EQ(parent->GetUIObjectOf(nullptr, 1, &last, IID_IDataObject, nullptr, data.ReceiveVoid()), S_OK);

    RECT label = node->DisplayRect(true);
    POINT screen = tree->ClientToScreen(POINT{(label.left + label.right) / 2, (label.top + label.bottom) / 2});
    POINTL at = {screen.x, screen.y};
    ComPtr<IDropTarget> target;
    target.Reset(new TDropTarget_shtv(tree));
    int fills = 0;
    tree->OnFillComplete = TNotifyEvent::FromFunction([&](TObject*) { ++fills; });
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(target->DragEnter(data.Get(), MK_LBUTTON, at, &effect), S_OK);
    auto highlighted = reinterpret_cast<HTREEITEM>(SendMessageA(tree->Handle(), TVM_GETNEXTITEM, TVGN_DROPHILITE, 0));
    EXPECT_EQ(highlighted, node->ItemId());
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(target->DragOver(MK_LBUTTON, at, &effect), S_OK);
    // A change notice during the drag waits for its end.
    tree->RefreshNodes();
    EXPECT_EQ(fills, 0);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(target->Drop(data.Get(), 0, at, &effect), S_OK);
    EXPECT_EQ(SendMessageA(tree->Handle(), TVM_GETNEXTITEM, TVGN_DROPHILITE, 0), 0);
    EXPECT_EQ(fills, 1); // the refresh runs once the drop is done
}

// Presses Yes on the shell's confirmation box (whatever its caption) once it shows.
BOOL CALLBACK ConfirmBox(HWND window, LPARAM answered)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof(className));
    if (std::string(className) == "#32770" && IsWindowVisible(window)) {
        PostMessageA(window, WM_COMMAND, IDYES, 0);
        *reinterpret_cast<bool*>(answered) = true;
    }
    return TRUE;
}

bool confirmed = false;
void CALLBACK LookForConfirmation(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), &ConfirmBox, reinterpret_cast<LPARAM>(&confirmed));
}

TEST_F(ShellTreeTest, TheDeleteVerbRemovesTheFolderAndItsNode)
{
    MakeFolders({"victim", "stays"});
    ShowTree(temp.Path());
    TKvTreeNode* victim = ChildNamed(tree->GetFirstNode(), "victim");
    ASSERT_NE(victim, nullptr);
    confirmed = false;
    UINT_PTR timer = SetTimer(nullptr, 0, 100, &LookForConfirmation);
    HRESULT result = tree->InvokeVerb(victim, "delete");
    KillTimer(nullptr, timer);
    EXPECT_EQ(result, S_OK);
    EXPECT_TRUE(confirmed); // the shell asked first
    EXPECT_FALSE(FolderExists(temp / "victim"));
    EXPECT_EQ(Labels(tree->GetFirstNode()), std::vector<std::string>{"stays"});
}

TEST_F(ShellTreeTest, ARefreshAskedForWhileTheTreeIsBusyRunsWhenItEnds)
{
    MakeFolders({"a", "a\\a1", "a\\a2", "b"});
    ShowTree(temp.Path());
    SetForegroundWindow(form->Handle());
    DeviceChangeListener devices;
    // A rebuild shows as its root going (a new root may come at the old one's address).
    int rebuilds = 0;
    tree->OnDeleteItem = TKvShTreeDeleteItemEvent::FromFunction([&](TObject*, TKvTreeNode* node) {
        if (node->Parent() == nullptr)
            ++rebuilds;
    });
    TKvTreeNode* a = ChildNamed(tree->GetFirstNode(), "a");
    ASSERT_NE(a, nullptr);

    // A message loop inside the listing (the shell's "insert a disc" prompt runs
    // one) hands out a device change: the rebuild waits for the fill.
    bool pumped = false, rootKeptDuringFill = false;
    tree->OnAddItem = TKvShAddItemEvent::FromFunction([&](TObject*, IShellFolder*, LPCITEMIDLIST, ULONG, bool&) {
        if (pumped)
            return;
        pumped = true;
        EXPECT_TRUE(devices.Broadcast());
        rootKeptDuringFill = rebuilds == 0;
    });
    a->Expand(false);
    ASSERT_TRUE(pumped);
    EXPECT_TRUE(rootKeptDuringFill);
    EXPECT_EQ(Labels(a), (std::vector<std::string>{"a1", "a2"})) << "the node being filled is whole";
    ASSERT_TRUE(RunMessagesUntil([&] { return rebuilds == 1; })) << "the rebuild came after the fill";
    TKvTreeNode* root = tree->GetFirstNode();
    EXPECT_EQ(Labels(root), (std::vector<std::string>{"a", "b"}));

    // While a label is edited the rebuild waits too, and runs once the edit ends.
    ChildNamed(root, "b")->EditText();
    ASSERT_TRUE(tree->IsEditing());
    ASSERT_TRUE(devices.Broadcast());
    EXPECT_EQ(rebuilds, 1);
    SendMessageA(tree->Handle(), TVM_ENDEDITLABELNOW, TRUE, 0);
    EXPECT_TRUE(RunMessagesUntil([&] { return rebuilds == 2; })) << "the waiting rebuild was not dropped";
}

TEST_F(ShellTreeTest, ANewFolderInAClosedFolderShowsSelectedWithItsLabelOpen)
{
    MakeFolders({"opened", "opened\\old", "empty"});
    ShowTree(temp.Path());
    SetForegroundWindow(form->Handle());
    TKvTreeNode* opened = ChildNamed(tree->GetFirstNode(), "opened");
    opened->Expand(false);
    opened->Collapse(false);
    // A folder that was opened before and closed again, and one that reported no subfolders.
    for (const char* name : {"opened", "empty"}) {
        SCOPED_TRACE(name);
        TKvTreeNode* parent = ChildNamed(tree->GetFirstNode(), name);
        ASSERT_NE(parent, nullptr);
        tree->SetSelected(parent);
        ASSERT_TRUE(tree->CreateNewFolder());
        EXPECT_TRUE(FolderExists(temp / (std::string(name) + "\\New Folder")));
        ASSERT_TRUE(tree->IsEditing());
        ASSERT_NE(tree->EditingNode(), nullptr);
        EXPECT_EQ(tree->EditingNode()->Text(), "New Folder");
        EXPECT_EQ(tree->EditingNode()->Parent(), parent);
        EXPECT_EQ(tree->Selected(), tree->EditingNode());
        SendMessageA(tree->Handle(), TVM_ENDEDITLABELNOW, TRUE, 0);
    }
}

TEST_F(ShellTreeTest, AThrowingOnAddItemLeavesTheTreePaintingAndFollowingTheSelection)
{
    MakeFolders({"a", "b"});
    ShowTree(temp.Path());
    MakeFolders({"new"});
    tree->OnAddItem = TKvShAddItemEvent::FromFunction(
        [](TObject*, IShellFolder*, LPCITEMIDLIST, ULONG, bool&) { throw Exception("refused"); });
    EXPECT_THROW(tree->RefreshNodes(), Exception);
    tree->OnAddItem = TKvShAddItemEvent();
    EXPECT_EQ(tree->redraw, static_cast<WPARAM>(TRUE)) << "painting is back on";

    tree->SetSelected(ChildNamed(tree->GetFirstNode(), "b"));
    EXPECT_EQ(tree->SelectedFolder()->Path(), temp / "b") << "the selection is heard again";
    tree->RefreshNodes();
    EXPECT_EQ(Labels(tree->GetFirstNode()), (std::vector<std::string>{"a", "b", "new"}));
}

TEST_F(ShellTreeTest, AChangeNoticeAndASelectionBothKeepTheirWait)
{
    MakeFolders({"x", "y"});
    ShowTree(temp.Path());
    int fills = 0;
    tree->OnFillComplete = TNotifyEvent::FromFunction([&](TObject*) { ++fills; });

    // A notice right after a selection: the selection still reaches the locator.
    tree->SetSelected(ChildNamed(tree->GetFirstNode(), "x"));
    SendMessageA(tree->Handle(), KVM_FOLDERCHANGED, 0, 0);
    EXPECT_NE(tree->PendingRefreshInterval(), 0u);
    EXPECT_TRUE(RunMessagesUntil([&] { return tree->SelectedFolder()->Path() == temp / "x"; }));

    // A selection right after a notice: the refresh still comes.
    SendMessageA(tree->Handle(), KVM_FOLDERCHANGED, 0, 0);
    tree->SetSelected(ChildNamed(tree->GetFirstNode(), "y"));
    EXPECT_NE(tree->PendingRefreshInterval(), 0u) << "the selection does not drop the refresh";
    EXPECT_TRUE(RunMessagesUntil([&] { return fills > 0; }));
    EXPECT_EQ(tree->SelectedFolder()->Path(), temp / "y");
}

TEST_F(ShellTreeTest, WatchingGoesOnWhenTheWindowIsMadeAgain)
{
    std::string made = "C:\\kvshell-again-" + std::to_string(GetCurrentProcessId());
    ShowTree("C:\\");
    ASSERT_GT(tree->WatchCount(), 0);
    tree->RecreateWnd();
    ASSERT_TRUE(RunMessagesUntil([&] { return tree->HandleAllocated(); }));
    EXPECT_GT(tree->WatchCount(), 0);
    // The notices reach the new window.
    ASSERT_TRUE(CreateDirectoryA(made.c_str(), nullptr));
    bool noticed = RunMessagesUntil([&] { return tree->PendingRefreshInterval() != 0; });
    RemoveDirectoryA(made.c_str());
    EXPECT_TRUE(noticed);
}

// Holds the left button down until a timer, run from the drag's own message
// loop, has asked for a refresh (which the drag holds back) and let it go.
ProbedShellTree* draggedTree = nullptr;
bool refreshAskedDuringDrag = false;
void CALLBACK AskAndDrop(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    refreshAskedDuringDrag = true;
    draggedTree->RefreshNodes();
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

TEST_F(ShellTreeTest, DraggingANodeOutStartsOleWithoutTheDropTarget)
{
    MakeFolders({"dragged"});
    tree->SetOptions(tree->Options() - stoOleDrop);
    ShowTree(temp.Path());
    TKvTreeNode* node = ChildNamed(tree->GetFirstNode(), "dragged");
    ASSERT_NE(node, nullptr);
    int fills = 0;
    tree->OnFillComplete = TNotifyEvent::FromFunction([&](TObject*) { ++fills; });

    // The pointer rests on the form beside the tree, where nothing takes drops.
    POINT beside = form->ClientToScreen(POINT{400, 430});
    SetCursorPos(beside.x, beside.y);
    draggedTree = tree;
    refreshAskedDuringDrag = false;
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    // The drag reads the button from this thread's key state, which follows the messages.
    ASSERT_TRUE(RunMessagesUntil([] { return GetKeyState(VK_LBUTTON) < 0; }));
    UINT_PTR timer = SetTimer(nullptr, 0, 200, &AskAndDrop);
    tree->BeginItemDrag(node, false);
    bool dragged = refreshAskedDuringDrag;
    KillTimer(nullptr, timer);
    if (!refreshAskedDuringDrag)
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    EXPECT_TRUE(dragged) << "the drag ran its loop";
    EXPECT_EQ(fills, 1) << "the refresh asked for during the drag ran at its end";
}

} // namespace

