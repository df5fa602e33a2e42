// Windowed controls that paint themselves.
#include "TCustomControl.h"

#include "TCanvasHandleScope.h"

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner)
{
    SetControlState(ControlState() + csCustomPaint);
}

void TCustomControl::PaintWindow(HDC dc)
{
    TCanvasHandleScope painting(canvas_, dc);
    Paint();
}
