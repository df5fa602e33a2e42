// TfmTopImageDialog: a page with a banner across its top (titles, the top
// picture) and the logo string above the buttons.
#pragma once

#include "uCommonDialog.h"

class TPlainLabel;
class TPlainPanel;

class TfmTopImageDialog : public TfmCommonDialog {
public:
    CLASSLIB_CLASS_NAME(TfmTopImageDialog)
    explicit TfmTopImageDialog(TComponent* owner);
    void FormCreate() override;
    void LoadPage(TStream* stream, TStrings* record) override;

    TPlainPanel* PanelTop = nullptr;
    TPlainLabel* LabelMainTitle = nullptr;
    TPlainLabel* LabelSubTitle = nullptr;
    TPlainLabel* LabelLogoTop = nullptr;
    TPlainLabel* LabelLogoDown = nullptr;

    static constexpr int kBannerHeight = 58;
};
