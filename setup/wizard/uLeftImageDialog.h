// TfmLeftImageDialog: a page with the wizard's left picture down its left side.
#pragma once

#include "uCommonDialog.h"

class TImage;

class TfmLeftImageDialog : public TfmCommonDialog {
public:
    CLASSLIB_CLASS_NAME(TfmLeftImageDialog)
    explicit TfmLeftImageDialog(TComponent* owner);
    void LoadPage(TStream* stream, TStrings* record) override;

    // Shows the wizard's left picture.
    TImage* ImageDialog = nullptr;
    static constexpr int kImageWidth = 164;
};
