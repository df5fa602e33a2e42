// Snapshots of controls painted into bitmaps.
#include "ControlSnapshot.h"

#include "TApplication.h"
#include "TForm.h"

void ShowInactive(TCustomForm* form)
{
    ShowWindow(form->Handle(), SW_SHOWNOACTIVATE);
    Application()->ProcessMessages();
}

ControlSnapshot::ControlSnapshot(TWinControl* control) : bitmap_(control->Width(), control->Height())
{
    bitmap_.Canvas()->Brush()->SetColor(RGB(1, 2, 3));
    bitmap_.Canvas()->FillRect(RECT{0, 0, control->Width(), control->Height()});
    HDC dc = bitmap_.Canvas()->Handle();
    control->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    bitmap_.Canvas()->Refresh();
}

TColor ControlSnapshot::At(int x, int y) { return bitmap_.Canvas()->Pixel(x, y); }

bool ControlSnapshot::HasColorIn(const RECT& rect, TColor color) { return CountIn(rect, color) > 0; }

int ControlSnapshot::CountIn(const RECT& rect, TColor color)
{
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (At(x, y) == ColorToRGB(color))
                ++count;
    return count;
}
