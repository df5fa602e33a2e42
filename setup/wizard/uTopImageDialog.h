// TfmTopImageDialog: a page with a banner across its top (titles, the top
// picture) and the logo string above the buttons.
#pragma once

#include "uCommonDialog.h"

class TBevel;
class TPlainLabel;
class TImage;
class TPanel;

class TfmTopImageDialog : public TfmCommonDialog {
public:
    CLASSLIB_CLASS_NAME(TfmTopImageDialog)
    explicit TfmTopImageDialog(TComponent* owner);
    void FormCreate() override;
    void LoadPage(TStream* stream, TStrings* record) override;

    TPanel* PanelTop = nullptr;
    TImage* ImageBanner = nullptr;
    TPlainLabel* LabelMainTitle = nullptr;
    TPlainLabel* LabelSubTitle = nullptr;
    TPlainLabel* LabelLogoTop = nullptr;
    TPlainLabel* LabelLogoDown = nullptr;
    TBevel* Bevel1 = nullptr;

    static constexpr int kBannerHeight = 58;

protected:
    // 0 left, 1 right, 2 no alignment and centred in the banner, 3 the whole
    // banner; any other value leaves the alignment as it is.
    void AlignBanner(int alignment);
    // The record's BANNER_IMAGE picture, when it has one, aligned by its
    // BANNER_ALIGNMENT (1 when empty, written back so).
    void LoadBanner(TStream* stream, TStrings& record);
};
