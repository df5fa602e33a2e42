// TGraphicControl: a control without a window of its own, painted by its parent
// into the parent's window through the control's canvas.
#pragma once

#include "TControl.h"
#include "TControlCanvas.h"

class TGraphicControl : public TControl {
public:
    CLASSLIB_CLASS_NAME(TGraphicControl)
    explicit TGraphicControl(TComponent* owner) : TControl(owner) {}

    TCanvas* Canvas() { return &canvas_; }

protected:
    virtual void Paint() {}
    void Dispatch(TMessage& message) override;
    virtual void WMPaint(TMessage& message);

private:
    TControlCanvas canvas_{this};
};
