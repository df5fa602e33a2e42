// TKvEditButton: the small push button inside a button edit, drawn as the
// system's push button with an ellipsis.
#pragma once

#include "TCustomControl.h"

class TKvEditButton : public TCustomControl {
public:
    CLASSLIB_CLASS_NAME(TKvEditButton)
    explicit TKvEditButton(TComponent* owner);

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    bool pressed_ = false;
};
