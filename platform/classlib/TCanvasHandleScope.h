// TCanvasHandleScope: a control's canvas draws on a given paint context for the
// scope's lifetime and forgets it when the scope ends, however painting ends.
#pragma once

#include "TControlCanvas.h"

class TCanvasHandleScope {
public:
    TCanvasHandleScope(TControlCanvas& canvas, HDC dc) : canvas_(canvas)
    {
        // The paint context replaces any context the canvas took before.
        canvas_.FreeHandle();
        canvas_.SetHandle(dc);
        canvas_.Refresh();
    }
    TCanvasHandleScope(const TCanvasHandleScope&) = delete;
    TCanvasHandleScope& operator=(const TCanvasHandleScope&) = delete;
    ~TCanvasHandleScope() { canvas_.SetHandle(nullptr); }

private:
    TControlCanvas& canvas_;
};
