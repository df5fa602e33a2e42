// Switching a window between the sunken edge and the flat frame.
#include "KvFrameStyle.h"

namespace KvFrameStyle {

void Apply(TCreateParams& params, bool flat)
{
    if (flat) {
        params.Style |= WS_BORDER;
        params.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    } else {
        params.Style &= ~static_cast<DWORD>(WS_BORDER);
        params.ExStyle |= WS_EX_CLIENTEDGE;
    }
}

void Update(TWinControl* control, bool flat)
{
    if (!control->HandleAllocated())
        return;
    HWND window = control->Handle();
    LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    LONG_PTR exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
    if (flat) {
        style |= WS_BORDER;
        exStyle &= ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE);
    } else {
        style &= ~static_cast<LONG_PTR>(WS_BORDER);
        exStyle |= WS_EX_CLIENTEDGE;
    }
    SetWindowLongPtrA(window, GWL_STYLE, style);
    SetWindowLongPtrA(window, GWL_EXSTYLE, exStyle);
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
}

} // namespace KvFrameStyle
