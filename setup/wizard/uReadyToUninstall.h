// TfmReadyToUninstall: the uninstaller's first page; Next removes the product.
#pragma once

#include "uTopImageDialog.h"

class TfmReadyToUninstall : public TfmTopImageDialog {
public:
    CLASSLIB_CLASS_NAME(TfmReadyToUninstall)
    explicit TfmReadyToUninstall(TComponent* owner);
    void FormShow(TObject* sender) override;
    // Moves to the uninstall page, which removes the product.
    void Next() override;

    TPlainLabel* LabelText = nullptr;
};
