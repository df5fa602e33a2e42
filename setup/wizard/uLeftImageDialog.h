// TfmLeftImageDialog: a page with the wizard's left picture down its left side.
#pragma once

#include "uCommonDialog.h"

class TPlainPanel;

class TfmLeftImageDialog : public TfmCommonDialog {
public:
    CLASSLIB_CLASS_NAME(TfmLeftImageDialog)
    explicit TfmLeftImageDialog(TComponent* owner);
    void LoadPage(TStream* stream, TStrings* record) override;

    // Holds the left picture.
    TPlainPanel* ImageDialog = nullptr;
    static constexpr int kImageWidth = 164;
};
