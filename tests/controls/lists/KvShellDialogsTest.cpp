// The select-folder dialog over real folders: OK takes the chosen folder,
// Cancel keeps the old one but still stores the placement, and a virtual folder
// disables both tool buttons. The dialog is modal: a timer plays the user.
#include "KvBitBtn.h"
#include "KvShellDialogs.h"
#include "KvShellUtils.h"
#include "KvStatusBar.h"
#include "KvToolButton.h"
#include "ModalPlayer.h"
#include "TempFolder.h"
#include "VisualFixtures.h"

#include <gtest/gtest.h>

namespace {

class SelectFolderDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"甲", "乙"})
            CreateDirectoryA((temp / name).c_str(), nullptr);
        dialog.BaseFolder()->SetPath(temp.Path());
        dialog.OnInitialized = TKvFormEvent::FromFunction([this](TObject*, TKvSelectFolderForm* made) {
            form = made;
        });
    }

    // The form shows and its tree has filled itself.
    bool Ready() const { return form != nullptr && IsWindowVisible(form->Handle()) && form->ShellTree->RootCount() > 0; }

    TempFolder temp;
    TKvSelectFolderDialog dialog{nullptr};
    TKvSelectFolderForm* form = nullptr;
};

TEST_F(SelectFolderDialogTest, OkChoosesTheSelectedFolder)
{
    int phase = 0;
    TModalPlayer player([&] {
        if (!Ready())
            return false;
        if (phase++ == 0) {
            form->ShellTree->SetSelectedPathName(temp / "乙");
            return false;
        }
        form->btnOk->Click();
        return true;
    });
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.SelectedFolder()->Path(), temp / "乙");
    EXPECT_GT(dialog.FormWidth(), 0);
    EXPECT_EQ(dialog.FormWindowState(), TWindowState::wsNormal);
}

TEST_F(SelectFolderDialogTest, CancelKeepsTheSelectionButStoresThePlacement)
{
    dialog.SelectedFolder()->SetPath(temp / "甲");
    dialog.SetFormPosition(TPosition::poDesigned);
    dialog.SetFormLeft(30);
    dialog.SetFormTop(40);
    dialog.SetFormWidth(400);
    std::string shownFirst;
    TModalPlayer player([&] {
        if (!Ready())
            return false;
        shownFirst = form->ShellTree->GetSelectedPathName();
        form->ShellTree->SetSelectedPathName(temp / "乙");
        MoveWindow(form->Handle(), 60, 70, 420, 380, TRUE);
        form->btnCancel->Click();
        return true;
    });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(shownFirst, temp / "甲");
    EXPECT_EQ(dialog.SelectedFolder()->Path(), temp / "甲");
    EXPECT_EQ(dialog.FormLeft(), 60);
    EXPECT_EQ(dialog.FormTop(), 70);
    EXPECT_EQ(dialog.FormWidth(), 420);
    EXPECT_EQ(dialog.FormHeight(), 380);
}

TEST_F(SelectFolderDialogTest, AVirtualFolderDisablesBothToolButtons)
{
    dialog.BaseFolder()->Clear(); // the desktop
    dialog.SetOptions(dialog.Options() + sfdoCreateDeleteButtons);
    bool newOnVirtual = true, deleteOnVirtual = true, newOnFolder = false, deleteOnFolder = false;
    bool visible = false;
    TModalPlayer player([&] {
        if (!Ready())
            return false;
        visible = form->btnNewFolder->Visible() && form->btnDeleteFolder->Visible();
        TKvShellTree* tree = form->ShellTree;
        tree->SetSelectedPathName(temp / "甲");
        newOnFolder = form->btnNewFolder->Enabled();
        deleteOnFolder = form->btnDeleteFolder->Enabled();
        // "My Computer", among the desktop's children, is virtual.
        TOwnedIdList drives;
        KvShellUtils::SpecialFolderIdList(nullptr, CSIDL_DRIVES, drives);
        TKvTreeNode* desktop = tree->GetFirstNode();
        for (int i = 0; i < desktop->Count(); ++i)
            if (KvShellUtils::CompareIdLists(tree->NodeData(desktop->Item(i))->GetAbsoluteIdList(), drives.Get()) == 0)
                tree->SetSelected(desktop->Item(i));
        newOnVirtual = form->btnNewFolder->Enabled();
        deleteOnVirtual = form->btnDeleteFolder->Enabled();
        form->btnCancel->Click();
        return true;
    });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_TRUE(visible);
    EXPECT_FALSE(newOnVirtual);
    EXPECT_FALSE(deleteOnVirtual);
    EXPECT_TRUE(newOnFolder);
    EXPECT_TRUE(deleteOnFolder);
}

TEST(SelectFolderForm, ShortenPathKeepsTheDriveAndTheLastFolders)
{
    auto byChars = [](const std::string& text) { return static_cast<int>(text.size()); };
    EXPECT_EQ(TKvSelectFolderForm::ShortenPath("C:\\a\\b", 20, byChars), "C:\\a\\b");
    EXPECT_EQ(TKvSelectFolderForm::ShortenPath("C:\\one\\two\\three\\four", 17, byChars), "C:\\...\\three\\four");
    EXPECT_EQ(TKvSelectFolderForm::ShortenPath("C:\\one\\two\\three\\four", 4, byChars), "C:\\...\\four");
    // The second byte of this GBK character looks like a backslash and splits nothing.
    EXPECT_EQ(TKvSelectFolderForm::ShortenPath("C:\\aaaa\\\x81\x5C\\bb", 12, byChars), "C:\\...\\\x81\x5C\\bb");
}

TEST(SelectFolderForm, LayoutFollowsTheButtonsAndTheFormsSize)
{
    TKvSelectFolderForm form(nullptr);
    form.Show();
    form.SetToolButtonsVisible(true);
    EXPECT_EQ(form.ShellTree->Top(), form.btnNewFolder->Top() + form.btnNewFolder->Height() + 4);
    form.SetToolButtonsVisible(false);
    EXPECT_EQ(form.ShellTree->Top(), 8);
    form.SetBounds(form.Left(), form.Top(), 500, 420);
    EXPECT_EQ(form.ShellTree->Width(), 500 - 24);
    EXPECT_EQ(form.ShellTree->Top() + form.ShellTree->Height(), form.ButtonPanel->Top() - 4);
    EXPECT_EQ(form.btnCancel->Left() + form.btnCancel->Width(), form.ButtonPanel->ClientWidth() - 8);
    EXPECT_EQ(form.btnOk->Left() + form.btnOk->Width(), form.btnCancel->Left() - 8);
    EXPECT_GT(form.KvStatusBar1->Top(), form.ButtonPanel->Top());
}

} // namespace
