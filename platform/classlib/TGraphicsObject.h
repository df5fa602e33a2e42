// The common base of fonts, pens and brushes: a persistent object that tells its
// owner (usually a canvas or a control) when it changed.
#pragma once

#include "Closure.h"
#include "TComponent.h"

class TGraphicsObject : public TPersistent {
public:
    CLASSLIB_CLASS_NAME(TGraphicsObject)

    TNotifyEvent OnChange;

protected:
    // Every setter that stores a new value calls this once.
    virtual void Changed()
    {
        if (OnChange)
            OnChange(this);
    }
};
