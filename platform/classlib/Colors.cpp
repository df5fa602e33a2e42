// Resolving system colours.
#include "Colors.h"

#include <windows.h>

TColor ColorToRGB(TColor color)
{
    if ((color & clSystemColor) != 0)
        return static_cast<TColor>(GetSysColor(static_cast<int>(color & 0xFF)));
    return color;
}
