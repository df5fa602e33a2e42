// TKvEdit: a one-line edit over the system's edit control.
#pragma once

#include "KvCustomEdit.h"

class TKvEdit : public TKvCustomEdit {
public:
    CLASSLIB_CLASS_NAME(TKvEdit)
    explicit TKvEdit(TComponent* owner) : TKvCustomEdit(owner) {}
};
