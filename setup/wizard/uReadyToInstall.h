// TfmReadyToInstall: the summary before the install starts.
#pragma once

#include "uTopImageDialog.h"

class TfmReadyToInstall : public TfmTopImageDialog {
public:
    CLASSLIB_CLASS_NAME(TfmReadyToInstall)
    explicit TfmReadyToInstall(TComponent* owner);
    void FormShow(TObject* sender) override;

    TPlainLabel* LabelText = nullptr;
    TPlainLabel* LabelFolder = nullptr;
};
