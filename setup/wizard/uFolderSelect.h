// TfmFolderSelect: the install folder, with a browse button, and the disk space
// the install needs against what the drives have free.
#pragma once

#include "uTopImageDialog.h"

#include <cstdint>
#include <string>
#include <vector>

class TKvButton;
class TKvSelectFolderDialog;
class TKvEdit;
class TPlainListBox;

class TfmFolderSelect : public TfmTopImageDialog {
public:
    CLASSLIB_CLASS_NAME(TfmFolderSelect)
    explicit TfmFolderSelect(TComponent* owner);
    void FormShow(TObject* sender) override;
    void LoadPage(TStream* stream, TStrings* record) override;
    // Takes the folder into the engine; refuses an empty folder or too little space.
    void Next() override;

    // Per drive: what the space list needs there for `installFolder`.
    struct TDriveNeed {
        std::string Drive; // "C:\"
        std::int64_t Required = 0;
    };
    static std::vector<TDriveNeed> SpaceNeeds(const TStrings& spaceList, const std::string& installFolder);

    TPlainLabel* LabelFolder = nullptr;
    TKvEdit* EditFolder = nullptr;
    TKvButton* btnBrowse = nullptr;
    TPlainListBox* ListDrives = nullptr;
    // Owned by the page; the browse button shows it.
    TKvSelectFolderDialog* FolderDialog = nullptr;

private:
    void BrowseClick(TObject* sender);
    void FolderChange();
    // False (and a message naming the drive, what it needs and has free) when a
    // drive lacks space.
    bool ShowDrives(bool complain);
    // Why `folder` cannot take the install; empty when it can.
    std::string FolderProblem(const std::string& folder) const;
};
