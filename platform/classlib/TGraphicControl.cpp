// Windowless controls painted by their parent.
#include "TGraphicControl.h"

#include "TCanvasHandleScope.h"

void TGraphicControl::Dispatch(TMessage& message)
{
    if (message.Msg == WM_PAINT) {
        WMPaint(message);
        return;
    }
    TControl::Dispatch(message);
}

void TGraphicControl::WMPaint(TMessage& message)
{
    // The parent passes its paint context with the origin moved to this control.
    if (message.WParam == 0)
        return;
    TCanvasHandleScope painting(canvas_, MessageParams::PaintDC(message));
    Paint();
}
