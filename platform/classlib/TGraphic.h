// TGraphic: the common base of pictures that a canvas can draw (bitmaps and the
// picture kinds that come later).
#pragma once

#include "Closure.h"
#include "Exception.h"
#include "TComponent.h"

#include <windows.h>

class TCanvas;

CLASSLIB_EXCEPTION(EInvalidGraphic, Exception);

class TGraphic : public TPersistent {
public:
    CLASSLIB_CLASS_NAME(TGraphic)

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const { return Width() == 0 || Height() == 0; }
    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value)
    {
        if (value == transparent_)
            return;
        transparent_ = value;
        Changed();
    }

    TNotifyEvent OnChange;

protected:
    friend class TCanvas;
    // Draws the picture stretched into the rectangle of the canvas.
    virtual void Draw(TCanvas* canvas, const RECT& rect) = 0;
    virtual void Changed()
    {
        if (OnChange)
            OnChange(this);
    }

private:
    bool transparent_ = false;
};
