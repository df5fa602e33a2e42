// The select-folder dialog: the form made, filled in, shown and read back.
#include "KvShellDialogs.h"

#include "KvBitBtn.h"
#include "KvToolButton.h"
#include "TWaitCursor.h"

namespace {
const char* const kDefaultTitle = "Browse for Folder";

TKvShellTreeOptions TreeOptionsOf(TKvSelectFolderDialogOptions options)
{
    const std::pair<TKvSelectFolderDialogOption, TKvShellTreeOption> mapping[] = {
        {sfdoContextMenus, stoContextMenus}, {sfdoIncludeNonFolders, stoIncludeNonFolders},
        {sfdoOleDrag, stoOleDrag},           {sfdoOleDrop, stoOleDrop},
        {sfdoVirtualFolders, stoVirtualFolders}, {sfdoShowHidden, stoShowHidden},
    };
    TKvShellTreeOptions tree;
    for (const auto& entry : mapping)
        if (options.Contains(entry.first))
            tree += entry.second;
    return tree;
}
} // namespace

TKvCustomSelectFolderDialog::TKvCustomSelectFolderDialog(TComponent* owner)
    : TKvShellDialog(owner), baseFolder_(std::make_unique<TKvShellLocator>()),
      selectedFolder_(std::make_unique<TKvShellLocator>())
{
}

TKvCustomSelectFolderDialog::~TKvCustomSelectFolderDialog() = default;

void TKvCustomSelectFolderDialog::PrepareForm(TKvSelectFolderForm* form)
{
    form->OnSelChange = OnSelChange;
    form->OnShow = OnFormShow;
    if (formWindowState_ == TWindowState::wsMaximized) {
        TNotifyEvent shown = OnFormShow;
        form->OnShow = TNotifyEvent::FromFunction([form, shown](TObject* sender) {
            ShowWindow(form->Handle(), SW_MAXIMIZE);
            if (shown)
                shown(sender);
        });
    }
    form->OnClose = OnFormClose;
    form->ShellTree->OnAddItem = OnAddItem;
    form->SetStatusText(statusText_);
    form->SetPosition(formPosition_);
    if (formPosition_ == TPosition::poDesigned) {
        if (formLeft_ != -1)
            form->SetLeft(formLeft_);
        if (formTop_ != -1)
            form->SetTop(formTop_);
    }
    if (formWidth_ > 0)
        form->SetWidth(formWidth_);
    if (formHeight_ > 0)
        form->SetHeight(formHeight_);
    form->SetCaption(title_.empty() ? kDefaultTitle : title_);

    form->SetToolButtonsVisible(options_.Contains(sfdoCreateDeleteButtons));
    form->btnNewFolder->SetImageIndex(options_.Contains(sfdoCreateFolderIcon) ? 0 : -1);
    form->btnNewFolder->SetDisabledIndex(options_.Contains(sfdoCreateFolderIcon) ? 1 : -1);
    form->btnDeleteFolder->SetImageIndex(options_.Contains(sfdoDeleteFolderIcon) ? 2 : -1);
    form->btnDeleteFolder->SetDisabledIndex(options_.Contains(sfdoDeleteFolderIcon) ? 3 : -1);
    for (TKvToolButton* button : {form->btnNewFolder, form->btnDeleteFolder})
        button->SetSelectionColorStyle(toolBtnGradientColorStyle_ == gcsSystem ? 0 : 1);
    for (TKvBitBtn* button : {form->btnOk, form->btnCancel}) {
        button->SetColor(buttonColor_);
        button->SetHotTrack(hotTrack_);
        button->SetHighlightColor(highlightColor_);
        button->SetHotTrackColor(hotTrackColor_);
        button->SetHotTrackColorType(hotTrackColorType_);
    }

    TKvShellTree* tree = form->ShellTree;
    tree->SetOptions(TreeOptionsOf(options_) + stoAutoFill);
    tree->SetReadOnly(options_.Contains(sfdoReadOnly));
    tree->BaseFolder()->Assign(baseFolder_.get());
    tree->SelectedFolder()->Assign(selectedFolder_.get());
}

void TKvCustomSelectFolderDialog::StorePlacement(TKvSelectFolderForm* form)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    if (form->HandleAllocated() && GetWindowPlacement(form->Handle(), &placement)) {
        const RECT& normal = placement.rcNormalPosition;
        formLeft_ = normal.left;
        formTop_ = normal.top;
        formWidth_ = normal.right - normal.left;
        formHeight_ = normal.bottom - normal.top;
        formWindowState_ = placement.showCmd == SW_SHOWMAXIMIZED   ? TWindowState::wsMaximized
                           : placement.showCmd == SW_SHOWMINIMIZED ? TWindowState::wsMinimized
                                                                   : TWindowState::wsNormal;
    }
    formPosition_ = form->Position();
}

bool TKvCustomSelectFolderDialog::Execute()
{
    auto form = std::make_unique<TKvSelectFolderForm>(nullptr);
    TModalResult result = mrNone;
    {
        TWaitCursor wait;
        PrepareForm(form.get());
        if (OnInitialized)
            OnInitialized(this, form.get());
    }
    result = form->ShowModal();
    StorePlacement(form.get());
    if (result == mrOk)
        selectedFolder_->Assign(form->ShellTree->SelectedFolder());
    return result == mrOk;
}
