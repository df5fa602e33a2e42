// Colour arithmetic, theme colours and the colour scheme.
#include "KvCommon.h"

#include "KvThemeSrv.h"
#include "KvUxTheme.h"
#include "OwnedHandles.h"
#include "SysUtils.h"
#include "TCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace KvCommon {
namespace {

// Frame, gradient start, gradient stop, and the three panel and bar colours.
const TColor kSchemeColors[3][6] = {
    {0x800000, 0xC2EEFF, 0xA0D9FF, 0xFFEFE3, 0xEABB99, 0xBF7F57},
    {0x385D3F, 0xC2EEFF, 0xA0D9FF, 0xEDFFFF, 0x92C7B8, 0x77A17F},
    {0x6F4B4B, 0xC2EEFF, 0xA0D9FF, 0xFFF9F9, 0xD0BCBD, 0xB19F9F},
};

// Process-wide: the scheme as last read, and the two-colour selection switch.
bool schemeRead = false;
TKvColorScheme scheme = TKvColorScheme::csBlue;
bool selectionGradients = true;
bool faceGradients = true;

BYTE RoundToByte(double value)
{
    // Halves go to the even neighbour.
    double rounded = std::nearbyint(value);
    return static_cast<BYTE>(std::clamp(rounded, 0.0, 255.0));
}

int ChannelByte(double value)
{
    value = std::clamp(value, 0.0, 1.0);
    return static_cast<int>(std::nearbyint(value * 255.0));
}

} // namespace

RECT RectCenteredIn(const RECT& rect, int width, int height)
{
    RECT result;
    result.left = (rect.left + rect.right - width) / 2;
    result.top = (rect.top + rect.bottom - height) / 2;
    result.right = result.left + width;
    result.bottom = result.top + height;
    return result;
}

UINT AlignmentFlag(TAlignment alignment)
{
    switch (alignment) {
    case TAlignment::taRightJustify: return DT_RIGHT;
    case TAlignment::taCenter: return DT_CENTER;
    default: return DT_LEFT;
    }
}

THueSatLum RGBToHueSatLum(TColor color)
{
    TColor rgb = ColorToRGB(color);
    double r = GetRValue(rgb) / 255.0, g = GetGValue(rgb) / 255.0, b = GetBValue(rgb) / 255.0;
    double maximum = std::max({r, g, b}), minimum = std::min({r, g, b});
    double l = (maximum + minimum) / 2, s = 0, h = 0;
    if (maximum != minimum) {
        double d = maximum - minimum;
        s = l < 0.5 ? d / (maximum + minimum) : d / (2 - maximum - minimum);
        if (r == maximum)
            h = (g - b) / d;
        else if (g == maximum)
            h = (b - r) / d + 2;
        else
            h = (r - g) / d + 4;
        h /= 6;
        if (h < 0)
            h += 1;
    }
    THueSatLum hsl;
    hsl.Hue = RoundToByte(h * 240);
    hsl.Saturation = RoundToByte(s * 240);
    hsl.Luminance = RoundToByte(l * 240);
    return hsl;
}

BYTE HueOf(TColor color) { return RGBToHueSatLum(color).Hue; }

TColor HueSatLumToRGB(int hue, int saturation, int luminance)
{
    double l = luminance / 240.0, s = saturation / 240.0;
    double m2 = l >= 0.5 ? l + s - l * s : l * (1 + s);
    if (m2 <= 0)
        return clBlack;
    double m1 = 2 * l - m2;
    // The hue scale runs to 239 here.
    double h6 = hue / 239.0 * 6;
    int sector = static_cast<int>(h6);
    double f = h6 - sector;
    double rising = m1 + (m2 - m1) * f, falling = m2 - (m2 - m1) * f;
    double r, g, b;
    switch (sector % 6) {
    case 0: r = m2; g = rising; b = m1; break;
    case 1: r = falling; g = m2; b = m1; break;
    case 2: r = m1; g = m2; b = rising; break;
    case 3: r = m1; g = falling; b = m2; break;
    case 4: r = rising; g = m1; b = m2; break;
    default: r = m2; g = m1; b = falling; break;
    }
    return RGB(ChannelByte(r), ChannelByte(g), ChannelByte(b));
}

TColor DarkenColor(TColor color, int amount)
{
    THueSatLum hsl = RGBToHueSatLum(color);
    return HueSatLumToRGB(hsl.Hue, hsl.Saturation, std::max(hsl.Luminance - amount, 0));
}

TColor LightenColor(TColor color, int amount)
{
    THueSatLum hsl = RGBToHueSatLum(color);
    return HueSatLumToRGB(hsl.Hue, hsl.Saturation, std::min(hsl.Luminance + amount, 255));
}

TColor ShiftColor(TColor color, int amount)
{
    if (amount < 0)
        return DarkenColor(color, -amount);
    if (amount > 0)
        return LightenColor(color, amount);
    return color;
}

TColor MixColors(TColor color1, TColor color2, int weight)
{
    TColor a = ColorToRGB(color1), b = ColorToRGB(color2);
    float w = static_cast<float>(weight) / 255.0f;
    auto mix = [w](int channel1, int channel2) {
        float value = w * static_cast<float>(channel1) + (1.0f - w) * static_cast<float>(channel2);
        return static_cast<int>(std::clamp(std::nearbyint(value), 0.0f, 255.0f));
    };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

bool ColorsHardToTell(TColor color1, TColor color2)
{
    THueSatLum a = RGBToHueSatLum(color1), b = RGBToHueSatLum(color2);
    return std::abs(a.Hue - b.Hue) < 20 && std::abs(a.Luminance - b.Luminance) < 60;
}

TColor OppositeHueColor(TColor color, int luminance)
{
    int hue = HueOf(color);
    hue = hue < 120 ? hue + 120 : hue - 120;
    return HueSatLumToRGB(hue, 240, luminance);
}

TColor ThemeColorOf(int use)
{
    using namespace KvThemeSrv;
    TThemeServices* services = SharedThemeServices();
    if (!services->PaintsThemed())
        return clBtnFace;
    TThemedElementDetails details;
    int property = 0;
    switch (use) {
    case tcuEditBorder: details = TThemeServices::EditPart(1); property = 3801; break;
    case tcuExplorerBarHeaderText: details = TThemeServices::ExplorerBarPart(17); property = 3803; break;
    case tcuExplorerBarItemText: details = TThemeServices::ExplorerBarPart(25); property = 3803; break;
    case tcuExplorerBarHeaderFill: details = TThemeServices::ExplorerBarPart(17); property = 3802; break;
    case tcuExplorerBarBackground: details = TThemeServices::ExplorerBarPart(1); property = 3810; break;
    case tcuExplorerBarSpecialFill: details = TThemeServices::ExplorerBarPart(32); property = 3802; break;
    case tcuGroupBoxText: details = TThemeServices::ButtonPart(tbGroupBoxNormal); property = 3803; break;
    default: return clWhite;
    }
    COLORREF color = clWhite;
    HTHEME theme = services->ThemeHandleFor(static_cast<TThemedClass>(details.Element));
    KvUxTheme::GetThemeColor(theme, details.Part, details.State, property, &color);
    return color;
}

TKvColorScheme ReadXPColorScheme()
{
    std::string name;
    TOwnedRegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager", 0,
                      KEY_QUERY_VALUE, key.Receive()) == ERROR_SUCCESS) {
        char buffer[256] = {};
        DWORD size = sizeof(buffer) - 1, type = 0;
        if (RegQueryValueExA(key.Get(), "ColorName", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) ==
                ERROR_SUCCESS &&
            (type == REG_SZ || type == REG_EXPAND_SZ)) {
            buffer[std::min<DWORD>(size, sizeof(buffer) - 1)] = '\0';
            name = buffer;
        }
    }
    name = SysUtils::UpperCase(name);
    if (name == "HOMESTEAD")
        return TKvColorScheme::csOlive;
    if (name == "METALLIC")
        return TKvColorScheme::csSilver;
    return TKvColorScheme::csBlue;
}

TKvColorScheme ColorScheme()
{
    if (!schemeRead)
        RefreshColorScheme();
    return scheme;
}

void RefreshColorScheme()
{
    scheme = ReadXPColorScheme();
    schemeRead = true;
}

TColor SchemeColor(TKvColorScheme which, int index)
{
    if (index < 0 || index > 5)
        return clNone;
    return kSchemeColors[static_cast<int>(which)][index];
}

bool SelectionGradients() { return selectionGradients; }
void SetSelectionGradients(bool allowed) { selectionGradients = allowed; }

void SelectionColors(int colorStyle, TColor& frame, TColor& start, TColor& stop)
{
    if (colorStyle == 1 && KvThemeSrv::SharedThemeServices()->PaintsThemed()) {
        TKvColorScheme current = ColorScheme();
        frame = SchemeColor(current, 0);
        start = SchemeColor(current, 1);
        stop = SchemeColor(current, 2);
    } else {
        frame = clHighlight;
        TColor base = MixColors(clHighlight, clWindow, 77);
        start = LightenColor(base, 20);
        stop = base;
    }
    if (!selectionGradients)
        start = stop;
}

bool FaceGradients() { return faceGradients; }
void SetFaceGradients(bool allowed) { faceGradients = allowed; }

RECT DrawButtonBorder(TCanvas* canvas, const RECT& rect, bool pressed)
{
    return DrawFrameStyle(canvas, rect, pressed ? fsButtonDown : fsButtonUp);
}

RECT DrawColoredButtonBorder(TCanvas* canvas, const RECT& rect, TColor face, bool pressed)
{
    return DrawColoredFrameStyle(canvas, rect, pressed ? fsButtonDown : fsButtonUp, face);
}

void DrawHighlightBox(TCanvas* canvas, const RECT& rect, TColor outer, TColor inner)
{
    canvas->Brush()->SetColor(outer);
    canvas->FrameRect(rect);
    canvas->Brush()->SetColor(inner);
    canvas->FrameRect(RECT{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1});
}

void DrawFocusOutline(TCanvas* canvas, const RECT& rect)
{
    // Every other pixel of the outline is inverted, so it shows on any face.
    canvas->DrawFocusRect(rect);
}

} // namespace KvCommon
