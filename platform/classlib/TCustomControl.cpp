// Windowed controls that paint themselves.
#include "TCustomControl.h"

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner)
{
    SetControlState(ControlState() + csCustomPaint);
}

void TCustomControl::PaintWindow(HDC dc)
{
    // The paint context replaces any context the canvas took before.
    canvas_.FreeHandle();
    canvas_.SetHandle(dc);
    canvas_.Refresh();
    try {
        Paint();
    } catch (...) {
        canvas_.SetHandle(nullptr);
        throw;
    }
    canvas_.SetHandle(nullptr);
}
