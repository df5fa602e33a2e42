// TfmLicence: the licence agreement; Next is allowed only once the user accepts.
#pragma once

#include "uTextPage.h"

class TKvRadioButton;

class TfmLicence : public TfmTextPage {
public:
    CLASSLIB_CLASS_NAME(TfmLicence)
    explicit TfmLicence(TComponent* owner);
    void FormShow(TObject* sender) override;

    TKvRadioButton* rbAccept = nullptr;
    TKvRadioButton* rbDecline = nullptr;

private:
    void ChoiceClick(TObject* sender);
};
