// TKvSelectFolderForm: a resizable folder browser around a shell tree, with
// tool buttons to make and delete folders, OK and Cancel, and a status bar
// that shows the selected folder's path shortened to fit.
#pragma once

#include "KvShellTree.h"
#include "TForm.h"

#include <functional>
#include <string>

class TKvBitBtn;
class TKvPanel;
class TKvStatusBar;
class TKvToolButton;
class TCustomImageList;
class TKvSelectFolderForm;

// A new selection: the form and the selected folder's absolute list.
using TKvSelChangeEvent = TClosure<void(TObject* sender, LPCITEMIDLIST absoluteIdList)>;

class TKvSelectFolderForm : public TForm {
public:
    CLASSLIB_CLASS_NAME(TKvSelectFolderForm)
    explicit TKvSelectFolderForm(TComponent* owner);

    TKvToolButton* btnNewFolder = nullptr;
    TKvToolButton* btnDeleteFolder = nullptr;
    TKvShellTree* ShellTree = nullptr;
    TKvPanel* ButtonPanel = nullptr;
    TKvBitBtn* btnOk = nullptr;
    TKvBitBtn* btnCancel = nullptr;
    TKvStatusBar* KvStatusBar1 = nullptr;
    TCustomImageList* ImageList1 = nullptr;

    const std::string& StatusText() const { return statusText_; }
    // The text the status bar shows (shortened to fit when it is a path).
    void SetStatusText(const std::string& text);
    // Shows or hides both tool buttons and lays the form out again.
    void SetToolButtonsVisible(bool visible);

    TKvSelChangeEvent OnSelChange;

    void FormCreate(TObject* sender);
    void FormResize(TObject* sender);
    void ShellTreeChange(TObject* sender, TKvTreeNode* node);
    void CreateBtnClick(TObject* sender);
    void DeleteBtnClick(TObject* sender);

    // A path made to fit a width: the drive kept, leading folders replaced by "...\".
    static std::string ShortenPath(const std::string& path, int width, const std::function<int(const std::string&)>& measure);

private:
    void BuildImages();
    void ShowStatusText();

    std::string statusText_;
};
