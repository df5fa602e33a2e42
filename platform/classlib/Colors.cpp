// Resolving system colours.
#include "Colors.h"

#include "Exception.h"
#include "SysUtils.h"

#include <windows.h>

TColor ColorToRGB(TColor color)
{
    if ((color & clSystemColor) != 0)
        return static_cast<TColor>(GetSysColor(static_cast<int>(color & 0xFF)));
    return color;
}

TColor StringToColor(const std::string& text)
{
    static const struct {
        const char* name;
        TColor color;
    } names[] = {
        {"clScrollBar", clScrollBar}, {"clBackground", clBackground}, {"clActiveCaption", clActiveCaption},
        {"clInactiveCaption", clInactiveCaption}, {"clMenu", clMenu}, {"clWindow", clWindow},
        {"clWindowFrame", clWindowFrame}, {"clMenuText", clMenuText}, {"clWindowText", clWindowText},
        {"clCaptionText", clCaptionText}, {"clActiveBorder", clActiveBorder}, {"clInactiveBorder", clInactiveBorder},
        {"clAppWorkSpace", clAppWorkSpace}, {"clHighlight", clHighlight}, {"clHighlightText", clHighlightText},
        {"clBtnFace", clBtnFace}, {"clBtnShadow", clBtnShadow}, {"clGrayText", clGrayText},
        {"clBtnText", clBtnText}, {"clInactiveCaptionText", clInactiveCaptionText},
        {"clBtnHighlight", clBtnHighlight}, {"cl3DDkShadow", cl3DDkShadow}, {"cl3DLight", cl3DLight},
        {"clInfoText", clInfoText}, {"clInfoBk", clInfoBk}, {"clBlack", clBlack}, {"clMaroon", clMaroon},
        {"clGreen", clGreen}, {"clOlive", clOlive}, {"clNavy", clNavy}, {"clPurple", clPurple}, {"clTeal", clTeal},
        {"clGray", clGray}, {"clSilver", clSilver}, {"clRed", clRed}, {"clLime", clLime}, {"clYellow", clYellow},
        {"clBlue", clBlue}, {"clFuchsia", clFuchsia}, {"clAqua", clAqua}, {"clWhite", clWhite},
        {"clNone", clNone}, {"clDefault", clDefault},
    };
    for (const auto& entry : names)
        if (SysUtils::SameText(text, entry.name))
            return entry.color;
    std::int64_t value = 0;
    if (!SysUtils::TryStrToInt64(text, value) || value < -0x80000000LL || value > 0xFFFFFFFFLL)
        throw EConvertError("'" + text + "' is not a valid colour");
    return static_cast<TColor>(value);
}
