// KvUxTheme: the system theme library (uxtheme.dll) loaded by name at run time and
// bound by entry-point name, with a use count so that it is freed once its last
// user lets it go. A slot whose entry point the library lacks stays empty and its
// call answers as if themes were absent.
#pragma once

#include <windows.h>
#include <uxtheme.h>

namespace KvUxTheme {

// The entry points, in binding order.
enum TThemeEntry {
    teOpenThemeData, teCloseThemeData, teDrawThemeBackground, teDrawThemeText, teGetThemeBackgroundContentRect,
    teGetThemeBackgroundExtent, teGetThemePartSize, teGetThemeTextExtent, teGetThemeTextMetrics,
    teGetThemeBackgroundRegion, teHitTestThemeBackground, teDrawThemeEdge, teDrawThemeIcon, teIsThemePartDefined,
    teIsThemeBackgroundPartiallyTransparent, teGetThemeColor, teGetThemeMetric, teGetThemeString, teGetThemeBool,
    teGetThemeInt, teGetThemeEnumValue, teGetThemePosition, teGetThemeFont, teGetThemeRect, teGetThemeMargins,
    teGetThemeIntList, teGetThemePropertyOrigin, teSetWindowTheme, teGetThemeFilename, teGetThemeSysColor,
    teGetThemeSysColorBrush, teGetThemeSysBool, teGetThemeSysSize, teGetThemeSysFont, teGetThemeSysString,
    teGetThemeSysInt, teIsThemeActive, teIsAppThemed, teGetWindowTheme, teEnableThemeDialogTexture,
    teIsThemeDialogTextureEnabled, teGetThemeAppProperties, teSetThemeAppProperties, teGetCurrentThemeName,
    teGetThemeDocumentationProperty, teDrawThemeParentBackground, teEnableTheming,
    teEntryCount
};

// Raises the use count and loads and binds the library when it is not loaded;
// true when a library is loaded.
bool LoadThemeApi();
// Lowers the use count (never below 0); at 0 the library is freed and every slot cleared.
void ReleaseThemeApi();
// A library is loaded, the application is themed and a theme is active.
bool ThemesInUse();

// State of the binding, for the services and for checks.
bool ThemeLibraryLoaded();
int ThemeApiUseCount();
const char* EntryPointName(TThemeEntry entry);
FARPROC EntryPoint(TThemeEntry entry);

// The bound entry points. Without the library (or the entry point) they answer
// E_NOTIMPL, FALSE, 0 or null as the entry point's failure.
HTHEME OpenThemeData(HWND window, LPCWSTR classList);
HRESULT CloseThemeData(HTHEME theme);
HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect, const RECT* clip);
HRESULT DrawThemeText(HTHEME theme, HDC dc, int part, int state, LPCWSTR text, int length, DWORD flags,
                      DWORD flags2, const RECT* rect);
HRESULT GetThemeBackgroundContentRect(HTHEME theme, HDC dc, int part, int state, const RECT* bounds, RECT* content);
HRESULT GetThemePartSize(HTHEME theme, HDC dc, int part, int state, const RECT* rect, THEMESIZE kind, SIZE* size);
HRESULT GetThemeTextExtent(HTHEME theme, HDC dc, int part, int state, LPCWSTR text, int length, DWORD flags,
                           const RECT* bounds, RECT* extent);
BOOL IsThemeBackgroundPartiallyTransparent(HTHEME theme, int part, int state);
HRESULT GetThemeColor(HTHEME theme, int part, int state, int property, COLORREF* color);
BOOL IsThemeActive();
BOOL IsAppThemed();
DWORD GetThemeAppProperties();
void SetThemeAppProperties(DWORD flags);
HRESULT DrawThemeParentBackground(HWND window, HDC dc, const RECT* rect);

} // namespace KvUxTheme
