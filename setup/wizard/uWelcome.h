// TfmWelcome: the first page, greeting the user beside the welcome picture.
#pragma once

#include "uLeftImageDialog.h"

class TPlainLabel;

class TfmWelcome : public TfmLeftImageDialog {
public:
    CLASSLIB_CLASS_NAME(TfmWelcome)
    explicit TfmWelcome(TComponent* owner);
    void FormShow(TObject* sender) override;
    // Reads the record's BITMAP picture; TITLE and TEXT replace the designed texts.
    void LoadPage(TStream* stream, TStrings* record) override;

    TPlainLabel* LabelTitle = nullptr;
    TPlainLabel* LabelText = nullptr;
};
