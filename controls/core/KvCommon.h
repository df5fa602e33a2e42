// KvCommon: colour arithmetic in hue, saturation and luminance (bytes on a 0-240
// scale), theme colours, the system colour scheme, the selection colours and the
// frame and button painters. Colours with the top bit set are system colours
// and are resolved first.
#pragma once

#include "Colors.h"
#include "ControlTypes.h"

#include <windows.h>

class TCanvas;

// Where a caption or a glyph sits between the top and the bottom of a control.
enum class TAlignmentVertical { avTop, avCenter, avBottom };

namespace KvCommon {

struct THueSatLum {
    BYTE Hue = 0;
    BYTE Saturation = 0;
    BYTE Luminance = 0;
};

enum class TKvColorScheme { csBlue, csOlive, csSilver };

// Uses of ThemeColorOf.
enum TKvThemeColorUse : int {
    tcuEditBorder, tcuExplorerBarHeaderText, tcuExplorerBarItemText, tcuExplorerBarHeaderFill,
    tcuExplorerBarBackground, tcuExplorerBarSpecialFill, tcuGroupBoxText
};

// A rectangle of the size whose centre is the centre of `rect`.
RECT RectCenteredIn(const RECT& rect, int width, int height);
// The DrawText flag of a horizontal text alignment: DT_LEFT, DT_RIGHT or DT_CENTER.
UINT AlignmentFlag(TAlignment alignment);

THueSatLum RGBToHueSatLum(TColor color);
BYTE HueOf(TColor color);
TColor HueSatLumToRGB(int hue, int saturation, int luminance);

TColor DarkenColor(TColor color, int amount);
TColor LightenColor(TColor color, int amount);
// Darkens for a negative amount, lightens for a positive one.
TColor ShiftColor(TColor color, int amount);
// Each channel weight/255 of the first colour and the rest of the second.
TColor MixColors(TColor color1, TColor color2, int weight);
bool ColorsHardToTell(TColor color1, TColor color2);
TColor OppositeHueColor(TColor color, int luminance);

// A colour of the active theme for a use (button face when not painting themed).
TColor ThemeColorOf(int use);

// Reads the colour scheme of the visual style from the current user's registry.
TKvColorScheme ReadXPColorScheme();
// The scheme kept for the process: read on first use, and again by RefreshColorScheme.
TKvColorScheme ColorScheme();
void RefreshColorScheme();
// The six colours of a scheme's row: frame, gradient start, gradient stop, then
// the three colours of the panel and bar painters.
TColor SchemeColor(TKvColorScheme scheme, int index);

// Whether selections may be painted with two colours (on by default).
bool SelectionGradients();
void SetSelectionGradients(bool allowed);
void SelectionColors(int colorStyle, TColor& frame, TColor& start, TColor& stop);

// Frame styles. fsNone takes no room, fsFlat one pixel, fsStatus and fsPopup one
// bevel width (one pixel where no bevel width is given), every other style two.
enum TFrameStyleEx : BYTE { fsNone, fsFlat, fsGroove, fsBump, fsLowered, fsButtonDown, fsRaised, fsButtonUp, fsStatus, fsPopup, fsFlatBold, fsFlatRounded };
enum TKvSide : BYTE { sdLeft = 1, sdTop = 2, sdRight = 4, sdBottom = 8 };
using TKvSides = BYTE;
constexpr TKvSides sdAllSides = 15;

// The pixels a frame style takes on each side it is drawn on.
int FrameStyleWidth(TFrameStyleEx style, int bevelWidth = 1);
// The rectangle inside a frame style drawn on the given sides.
RECT FrameStyleInnerRect(const RECT& rect, TFrameStyleEx style, TKvSides sides, int bevelWidth = 1);

// One frame style on the chosen sides in the system's 3-D colours; returns the rectangle inside it.
RECT DrawFrameStyle(TCanvas* canvas, const RECT& rect, TFrameStyleEx style, TKvSides sides = sdAllSides);
// The same in colours derived from a face colour (lighter highlight, darker shadow).
RECT DrawColoredFrameStyle(TCanvas* canvas, const RECT& rect, TFrameStyleEx style, TColor face, TKvSides sides = sdAllSides);

// What the outer-and-inner frame painter draws.
struct TKvFrameSettings {
    TFrameStyleEx Outer = fsNone;
    TFrameStyleEx Inner = fsNone;
    TKvSides Sides = sdAllSides;
    int BevelWidth = 1;
    int BorderWidth = 0;
    // A transparent frame paints only its lines: the band between the frames and the
    // cut corners of fsFlatRounded keep what is under them.
    bool Transparent = false;
    TColor ParentColor = clBtnFace; // the cut corners of fsFlatRounded
    TColor Color = clBtnFace;       // the face: what lies between a frame's lines and the inside
    TColor FlatColor = clBtnShadow; // the flat styles, shifted by FlatAdjustment
    int FlatAdjustment = 0;
    TColor Shadow = clBtnShadow;
    TColor Highlight = clBtnHighlight;
    TColor BorderColor = clBtnFace; // the band of BorderWidth between the two frames
};
// The outer frame, the border band and the inner frame, each on the chosen sides;
// returns the rectangle inside them all. The system's 3-D colours are used while
// Shadow and Highlight are the system's own; others derive the darkest and lightest lines.
RECT DrawInnerOuterFrame(TCanvas* canvas, const RECT& rect, const TKvFrameSettings& frame);

// Whether hot tracking colours a glyph's interior or its frame.
enum TKvButtonHotTrackStyle : BYTE { htsInterior, htsFrame };

// The size of the library's own radio and check-box glyphs.
constexpr int kGlyphCellSize = 13;

// What the radio and check-box glyph painters draw with.
struct TKvGlyphColors {
    TColor ReadOnlyColor = clInfoBk;
    // The read-only colour only while the glyph's control has the focus.
    bool ReadOnlyColorOnFocus = false;
    bool ReadOnly = false;
    TColor HotFrameColor = clHighlight;
    TColor HotFillColor = clWindow;
    TColor DisabledColor = clBtnFace;
    TColor FocusColor = clWindow;
    TColor FillColor = clWindow;
    // The ring inside the frame while the glyph is held down.
    TColor HighlightColor = clHighlight;
    TColor FrameColor = clBtnShadow;
    TKvButtonHotTrackStyle HotTrackStyle = htsInterior;
    bool Focused = false;
    // 0 normal, 1 pressed, 2 under the mouse, 3 disabled.
    int PaintState = 0;
};
// A 13 x 13 radio glyph at the rectangle's top-left: a ring in the frame colour
// round the interior colour, a dot when checked; outside the ring the transparent
// colour when transparent, else `color`.
void DrawRadioGlyph(TCanvas* canvas, const RECT& rect, bool checked, const TKvGlyphColors& colors,
                    TColor transparentColor, bool transparent, TColor color);
// A 13 x 13 check-box glyph: a square frame round the interior colour, a tick when
// checked, a grey tick when grayed.
void DrawCheckGlyph(TCanvas* canvas, const RECT& rect, TCheckBoxState state, const TKvGlyphColors& colors);
// The colours those painters choose for a state (exposed for the controls that match them).
TColor GlyphInteriorColor(const TKvGlyphColors& colors);
TColor GlyphFrameColor(const TKvGlyphColors& colors);

// Whether button faces may be painted with a gradient (on by default).
bool FaceGradients();
void SetFaceGradients(bool allowed);

// A push-button border two pixels deep in the system's 3-D colours: fsButtonUp, or
// fsButtonDown when pressed; returns the rectangle inside it.
RECT DrawButtonBorder(TCanvas* canvas, const RECT& rect, bool pressed);
// The same in colours derived from a face colour.
RECT DrawColoredButtonBorder(TCanvas* canvas, const RECT& rect, TColor face, bool pressed);
// A box two pixels deep: a one-pixel outer frame and a one-pixel inner frame.
void DrawHighlightBox(TCanvas* canvas, const RECT& rect, TColor outer, TColor inner);
// The dotted outline of the control that has the keyboard focus.
void DrawFocusOutline(TCanvas* canvas, const RECT& rect);

} // namespace KvCommon
