// TfmTextPage: a banner page that shows a text carried after its record (the
// readme and the licence agreement).
#pragma once

#include "uTopImageDialog.h"

#include <string>

class TKvRichEdit;

class TfmTextPage : public TfmTopImageDialog {
public:
    CLASSLIB_CLASS_NAME(TfmTextPage)
    TfmTextPage(TComponent* owner, const std::string& textKey, int textHeight);
    // Reads the BANNER_IMAGE picture, then the text named by the page's key.
    void LoadPage(TStream* stream, TStrings* record) override;

    TKvRichEdit* MemoText = nullptr;

private:
    std::string textKey_;
};
