// The use-counted binding of uxtheme.dll.
#include "KvUxTheme.h"

#include "OwnedHandles.h"

#include <mutex>

namespace KvUxTheme {
namespace {

const char* const kEntryNames[teEntryCount] = {
    "OpenThemeData", "CloseThemeData", "DrawThemeBackground", "DrawThemeText", "GetThemeBackgroundContentRect",
    "GetThemeBackgroundExtent", "GetThemePartSize", "GetThemeTextExtent", "GetThemeTextMetrics",
    "GetThemeBackgroundRegion", "HitTestThemeBackground", "DrawThemeEdge", "DrawThemeIcon", "IsThemePartDefined",
    "IsThemeBackgroundPartiallyTransparent", "GetThemeColor", "GetThemeMetric", "GetThemeString", "GetThemeBool",
    "GetThemeInt", "GetThemeEnumValue", "GetThemePosition", "GetThemeFont", "GetThemeRect", "GetThemeMargins",
    "GetThemeIntList", "GetThemePropertyOrigin", "SetWindowTheme", "GetThemeFilename", "GetThemeSysColor",
    "GetThemeSysColorBrush", "GetThemeSysBool", "GetThemeSysSize", "GetThemeSysFont", "GetThemeSysString",
    "GetThemeSysInt", "IsThemeActive", "IsAppThemed", "GetWindowTheme", "EnableThemeDialogTexture",
    "IsThemeDialogTextureEnabled", "GetThemeAppProperties", "SetThemeAppProperties", "GetCurrentThemeName",
    "GetThemeDocumentationProperty", "DrawThemeParentBackground", "EnableTheming"};

// The process-wide binding. Its lock lives as long as the binding; when the
// program ends every outstanding use is let go.
class Binding {
public:
    ~Binding()
    {
        while (UseCount() > 0)
            Release();
    }

    bool Load()
    {
        std::lock_guard<std::mutex> lock(lock_);
        ++useCount_;
        if (library_.IsNull()) {
            library_.Reset(LoadLibraryA("uxtheme.dll"));
            if (library_.IsValid())
                for (int i = 0; i < teEntryCount; ++i)
                    slots_[i] = GetProcAddress(library_.Get(), kEntryNames[i]);
        }
        return library_.IsValid();
    }

    void Release()
    {
        std::lock_guard<std::mutex> lock(lock_);
        if (useCount_ > 0)
            --useCount_;
        if (library_.IsValid() && useCount_ == 0) {
            library_.Reset();
            for (FARPROC& slot : slots_)
                slot = nullptr;
        }
    }

    bool Loaded()
    {
        std::lock_guard<std::mutex> lock(lock_);
        return library_.IsValid();
    }
    int UseCount()
    {
        std::lock_guard<std::mutex> lock(lock_);
        return useCount_;
    }
    FARPROC Slot(TThemeEntry entry)
    {
        std::lock_guard<std::mutex> lock(lock_);
        return slots_[entry];
    }

private:
    std::mutex lock_;
    TOwnedModule library_;
    int useCount_ = 0;
    FARPROC slots_[teEntryCount] = {};
};

Binding& TheBinding()
{
    static Binding binding;
    return binding;
}

template <typename Function>
Function Bound(TThemeEntry entry)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(TheBinding().Slot(entry)));
}

} // namespace

bool LoadThemeApi() { return TheBinding().Load(); }
void ReleaseThemeApi() { TheBinding().Release(); }
bool ThemeLibraryLoaded() { return TheBinding().Loaded(); }
int ThemeApiUseCount() { return TheBinding().UseCount(); }
const char* EntryPointName(TThemeEntry entry) { return entry >= 0 && entry < teEntryCount ? kEntryNames[entry] : ""; }
FARPROC EntryPoint(TThemeEntry entry) { return entry >= 0 && entry < teEntryCount ? TheBinding().Slot(entry) : nullptr; }

bool ThemesInUse() { return ThemeLibraryLoaded() && IsAppThemed() && IsThemeActive(); }

HTHEME OpenThemeData(HWND window, LPCWSTR classList)
{
    auto function = Bound<HTHEME(WINAPI*)(HWND, LPCWSTR)>(teOpenThemeData);
    return function != nullptr ? function(window, classList) : nullptr;
}

HRESULT CloseThemeData(HTHEME theme)
{
    auto function = Bound<HRESULT(WINAPI*)(HTHEME)>(teCloseThemeData);
    return function != nullptr ? function(theme) : E_NOTIMPL;
}

HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect, const RECT* clip)
{
    auto function = Bound<HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, const RECT*)>(teDrawThemeBackground);
    return function != nullptr ? function(theme, dc, part, state, rect, clip) : E_NOTIMPL;
}

HRESULT DrawThemeText(HTHEME theme, HDC dc, int part, int state, LPCWSTR text, int length, DWORD flags,
                      DWORD flags2, const RECT* rect)
{
    auto function =
        Bound<HRESULT(WINAPI*)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, DWORD, const RECT*)>(teDrawThemeText);
    return function != nullptr ? function(theme, dc, part, state, text, length, flags, flags2, rect) : E_NOTIMPL;
}

HRESULT GetThemeBackgroundContentRect(HTHEME theme, HDC dc, int part, int state, const RECT* bounds, RECT* content)
{
    auto function =
        Bound<HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, RECT*)>(teGetThemeBackgroundContentRect);
    return function != nullptr ? function(theme, dc, part, state, bounds, content) : E_NOTIMPL;
}

HRESULT GetThemePartSize(HTHEME theme, HDC dc, int part, int state, const RECT* rect, THEMESIZE kind, SIZE* size)
{
    auto function =
        Bound<HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, THEMESIZE, SIZE*)>(teGetThemePartSize);
    return function != nullptr ? function(theme, dc, part, state, rect, kind, size) : E_NOTIMPL;
}

HRESULT GetThemeTextExtent(HTHEME theme, HDC dc, int part, int state, LPCWSTR text, int length, DWORD flags,
                           const RECT* bounds, RECT* extent)
{
    auto function = Bound<HRESULT(WINAPI*)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, const RECT*, RECT*)>(
        teGetThemeTextExtent);
    return function != nullptr ? function(theme, dc, part, state, text, length, flags, bounds, extent) : E_NOTIMPL;
}

BOOL IsThemeBackgroundPartiallyTransparent(HTHEME theme, int part, int state)
{
    auto function = Bound<BOOL(WINAPI*)(HTHEME, int, int)>(teIsThemeBackgroundPartiallyTransparent);
    return function != nullptr ? function(theme, part, state) : FALSE;
}

HRESULT GetThemeColor(HTHEME theme, int part, int state, int property, COLORREF* color)
{
    auto function = Bound<HRESULT(WINAPI*)(HTHEME, int, int, int, COLORREF*)>(teGetThemeColor);
    return function != nullptr ? function(theme, part, state, property, color) : E_NOTIMPL;
}

BOOL IsThemeActive()
{
    auto function = Bound<BOOL(WINAPI*)()>(teIsThemeActive);
    return function != nullptr ? function() : FALSE;
}

BOOL IsAppThemed()
{
    auto function = Bound<BOOL(WINAPI*)()>(teIsAppThemed);
    return function != nullptr ? function() : FALSE;
}

DWORD GetThemeAppProperties()
{
    auto function = Bound<DWORD(WINAPI*)()>(teGetThemeAppProperties);
    return function != nullptr ? function() : 0;
}

void SetThemeAppProperties(DWORD flags)
{
    auto function = Bound<void(WINAPI*)(DWORD)>(teSetThemeAppProperties);
    if (function != nullptr)
        function(flags);
}

HRESULT DrawThemeParentBackground(HWND window, HDC dc, const RECT* rect)
{
    auto function = Bound<HRESULT(WINAPI*)(HWND, HDC, const RECT*)>(teDrawThemeParentBackground);
    return function != nullptr ? function(window, dc, rect) : E_NOTIMPL;
}

} // namespace KvUxTheme
