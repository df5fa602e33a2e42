// TfmReadme: the readme text.
#pragma once

#include "uTextPage.h"

class TfmReadme : public TfmTextPage {
public:
    CLASSLIB_CLASS_NAME(TfmReadme)
    explicit TfmReadme(TComponent* owner);
};
