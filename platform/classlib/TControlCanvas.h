// TControlCanvas: a canvas over a control's window (or, for a windowless control,
// over its part of the parent's window), whose context is taken on first use and
// let go when the message being handled is done.
#pragma once

#include "OwnedDC.h"
#include "TCanvas.h"

#include <optional>

class TControl;

class TControlCanvas : public TCanvas {
public:
    CLASSLIB_CLASS_NAME(TControlCanvas)
    explicit TControlCanvas(TControl* control) : control_(control) {}
    ~TControlCanvas() override;

    TControl* Control() const { return control_; }
    // Lets the context go (a paint context set with SetHandle is only forgotten).
    void FreeHandle();
    // Lets every context taken by a control canvas go.
    static void FreeDeviceContexts();

protected:
    void CreateHandle() override;

private:
    TControl* control_;
    // The context CreateHandle took: a cache context clipped to the siblings,
    // held from one message to the next.
    std::optional<TWindowDC> context_;
};
