// TCustomControl: a windowed control that paints itself through its canvas.
#pragma once

#include "TControlCanvas.h"
#include "TWinControl.h"

class TCustomControl : public TWinControl {
public:
    CLASSLIB_CLASS_NAME(TCustomControl)
    explicit TCustomControl(TComponent* owner);

    TCanvas* Canvas() { return &canvas_; }

protected:
    // Draws the control; the canvas is set to the paint context meanwhile.
    virtual void Paint() {}
    void PaintWindow(HDC dc) override;

private:
    TControlCanvas canvas_{this};
};
