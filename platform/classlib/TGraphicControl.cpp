// Windowless controls painted by their parent.
#include "TGraphicControl.h"

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
    canvas_.FreeHandle();
    canvas_.SetHandle(MessageParams::PaintDC(message));
    canvas_.Refresh();
    try {
        Paint();
    } catch (...) {
        canvas_.SetHandle(nullptr);
        throw;
    }
    canvas_.SetHandle(nullptr);
}
