// TPanel: the class library's plain panel, as forms place it.
#pragma once

#include "TCustomPanel.h"

class TPanel : public TCustomPanel {
public:
    CLASSLIB_CLASS_NAME(TPanel)
    explicit TPanel(TComponent* owner) : TCustomPanel(owner) {}
};
