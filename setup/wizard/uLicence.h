// TfmLicence: the licence agreement; Next is allowed only once the user accepts.
#pragma once

#include "uTextPage.h"

class TPlainRadioButton;

class TfmLicence : public TfmTextPage {
public:
    CLASSLIB_CLASS_NAME(TfmLicence)
    explicit TfmLicence(TComponent* owner);
    void FormShow(TObject* sender) override;

    TPlainRadioButton* rbAccept = nullptr;
    TPlainRadioButton* rbDecline = nullptr;

private:
    void ChoiceClick(TObject* sender);
};
