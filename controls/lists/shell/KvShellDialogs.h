// TKvSelectFolderDialog: shows the select-folder form modally, with the
// dialog's options, placement and colours, and returns the chosen folder. The
// form's placement is written back after it closes, whatever the answer.
#pragma once

#include "KvCustomButton.h"
#include "KvPanel.h"
#include "KvShellFolderForm.h"
#include "KvShellLocator.h"
#include "TComponent.h"
#include "TForm.h"
#include "TSet.h"

#include <memory>

enum TKvSelectFolderDialogOption {
    sfdoContextMenus, sfdoCreateDeleteButtons, sfdoCreateFolderIcon, sfdoDeleteFolderIcon, sfdoIncludeNonFolders,
    sfdoOleDrag, sfdoOleDrop, sfdoReadOnly, sfdoShowHidden, sfdoVirtualFolders
};
using TKvSelectFolderDialogOptions = TSet<TKvSelectFolderDialogOption>;

enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

// Told once the form is made and filled in, before it shows.
using TKvFormEvent = TClosure<void(TObject* sender, TKvSelectFolderForm* form)>;

class TKvShellDialog : public TComponent {
public:
    CLASSLIB_CLASS_NAME(TKvShellDialog)
    explicit TKvShellDialog(TComponent* owner) : TComponent(owner) {}
};

class TKvCustomSelectFolderDialog : public TKvShellDialog {
public:
    CLASSLIB_CLASS_NAME(TKvCustomSelectFolderDialog)
    explicit TKvCustomSelectFolderDialog(TComponent* owner);
    ~TKvCustomSelectFolderDialog() override;

    // Shows the form; true exactly when the user chose OK.
    bool Execute();

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value) { title_ = value; }
    TPosition FormPosition() const { return formPosition_; }
    void SetFormPosition(TPosition value) { formPosition_ = value; }
    int FormLeft() const { return formLeft_; }
    void SetFormLeft(int value) { formLeft_ = value; }
    int FormTop() const { return formTop_; }
    void SetFormTop(int value) { formTop_ = value; }
    int FormWidth() const { return formWidth_; }
    void SetFormWidth(int value) { formWidth_ = value; }
    int FormHeight() const { return formHeight_; }
    void SetFormHeight(int value) { formHeight_ = value; }
    TWindowState FormWindowState() const { return formWindowState_; }
    void SetFormWindowState(TWindowState value) { formWindowState_ = value; }
    TKvShellLocator* BaseFolder() { return baseFolder_.get(); }
    void SetBaseFolder(TKvShellLocator* value) { baseFolder_->Assign(value); }
    // The chosen folder (also the one the form starts on).
    TKvShellLocator* SelectedFolder() { return selectedFolder_.get(); }
    void SetSelectedFolder(TKvShellLocator* value) { selectedFolder_->Assign(value); }
    TKvSelectFolderDialogOptions Options() const { return options_; }
    void SetOptions(TKvSelectFolderDialogOptions value) { options_ = value; }
    // The status bar's text until a folder is selected.
    const std::string& StatusText() const { return statusText_; }
    void SetStatusText(const std::string& value) { statusText_ = value; }

    TColor ButtonColor() const { return buttonColor_; }
    void SetButtonColor(TColor value) { buttonColor_ = value; }
    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool value) { hotTrack_ = value; }
    TColor HighlightColor() const { return highlightColor_; }
    void SetHighlightColor(TColor value) { highlightColor_ = value; }
    TColor HotTrackColor() const { return hotTrackColor_; }
    void SetHotTrackColor(TColor value) { hotTrackColor_ = value; }
    TKvHotTrackColorType HotTrackColorType() const { return hotTrackColorType_; }
    void SetHotTrackColorType(TKvHotTrackColorType value) { hotTrackColorType_ = value; }
    // The tool buttons' selection colours: the system's, or the theme scheme's for the other styles.
    TKvGradientColorStyle ToolBtnGradientColorStyle() const { return toolBtnGradientColorStyle_; }
    void SetToolBtnGradientColorStyle(TKvGradientColorStyle value) { toolBtnGradientColorStyle_ = value; }

    TKvShAddItemEvent OnAddItem;
    TKvSelChangeEvent OnSelChange;
    TNotifyEvent OnFormShow;
    TCloseEvent OnFormClose;
    TKvFormEvent OnInitialized;

private:
    void PrepareForm(TKvSelectFolderForm* form);
    void StorePlacement(TKvSelectFolderForm* form);

    std::string title_;
    TPosition formPosition_ = TPosition::poScreenCenter;
    int formLeft_ = -1, formTop_ = -1, formWidth_ = -1, formHeight_ = -1;
    TWindowState formWindowState_ = TWindowState::wsNormal;
    std::unique_ptr<TKvShellLocator> baseFolder_;
    std::unique_ptr<TKvShellLocator> selectedFolder_;
    TKvSelectFolderDialogOptions options_ = {sfdoContextMenus, sfdoCreateFolderIcon, sfdoDeleteFolderIcon,
                                             sfdoShowHidden};
    std::string statusText_;
    TColor buttonColor_ = clBtnFace;
    bool hotTrack_ = false;
    TColor highlightColor_ = clHighlight;
    TColor hotTrackColor_ = static_cast<TColor>(0x149BF0);
    TKvHotTrackColorType hotTrackColorType_ = TKvHotTrackColorType::htctActual;
    TKvGradientColorStyle toolBtnGradientColorStyle_ = gcsSystem;
};

class TKvSelectFolderDialog : public TKvCustomSelectFolderDialog {
public:
    CLASSLIB_CLASS_NAME(TKvSelectFolderDialog)
    explicit TKvSelectFolderDialog(TComponent* owner) : TKvCustomSelectFolderDialog(owner) {}
};
