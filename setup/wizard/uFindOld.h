// TfmFindOld: a previous installation of the product was found; the user
// uninstalls it, repairs it, installs it again, or leaves.
#pragma once

#include "uTopImageDialog.h"

class TKvRadioButton;

class TfmFindOld : public TfmTopImageDialog {
public:
    CLASSLIB_CLASS_NAME(TfmFindOld)
    explicit TfmFindOld(TComponent* owner);
    void FormShow(TObject* sender) override;
    void LoadPage(TStream* stream, TStrings* record) override;
    void Next() override;

    enum TChoice { chNone = 0, chUninstall = 1, chRepair = 2, chReinstall = 3, chExit = 4 };
    TChoice Choice() const;

    TPlainLabel* LabelText = nullptr;
    TKvRadioButton* rbUninstall = nullptr;
    TKvRadioButton* rbRepair = nullptr;
    TKvRadioButton* rbReinstall = nullptr;
    TKvRadioButton* rbExit = nullptr;

private:
    void ChoiceClick(TObject* sender);
    // The install page followed by the FINISH record's page.
    void InstallChain();
};
