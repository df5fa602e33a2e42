// The shared theme services.
#include "KvThemeSrv.h"

#include "KvUxTheme.h"
#include "OwnedHandles.h"
#include "TApplication.h"

#include <shlwapi.h>

#include <memory>

namespace KvThemeSrv {
namespace {

const wchar_t* const kClassNames[tcClassCount] = {
    L"button", L"clock", L"combobox", L"edit", L"explorerbar", L"header", L"listview", L"menu",
    L"page", L"progress", L"rebar", L"scrollbar", L"spin", L"startpanel", L"status", L"tab",
    L"taskband", L"taskbar", L"toolbar", L"tooltip", L"trackbar", L"traynotify", L"treeview", L"window"};

const char* const kServicesProperty = "KvThemeServices";

DWORD versionOverride = 0;

// A run of element values that share one part: states count from 1 at the start.
struct ElementRange {
    BYTE First;
    BYTE Last;
    int Part;
};

template <size_t N>
TThemedElementDetails MapElement(TThemedClass themeClass, const ElementRange (&ranges)[N], BYTE element)
{
    TThemedElementDetails details;
    details.Element = themeClass;
    for (const ElementRange& range : ranges) {
        if (element >= range.First && element <= range.Last) {
            details.Part = range.Part;
            details.State = element - range.First + 1;
            return details;
        }
    }
    // Don't-care, root and values outside every range.
    details.Part = 0;
    details.State = element + 1;
    return details;
}

} // namespace

const wchar_t* ThemeClassName(TThemedClass themeClass)
{
    return themeClass < tcClassCount ? kClassNames[themeClass] : L"";
}

DWORD CommonControlsVersion()
{
    if (versionOverride != 0)
        return versionOverride;
    HMODULE library = GetModuleHandleA("comctl32.dll");
    // Loaded here only when the program has not loaded it already, and then let go again.
    TOwnedModule loadedHere;
    if (library == nullptr) {
        loadedHere.Reset(LoadLibraryA("comctl32.dll"));
        library = loadedHere.Get();
    }
    DWORD packed = 0;
    if (library != nullptr) {
        using GetVersionFunction = HRESULT(CALLBACK*)(DLLVERSIONINFO*);
        auto getVersion = reinterpret_cast<GetVersionFunction>(
            reinterpret_cast<void*>(GetProcAddress(library, "DllGetVersion")));
        DLLVERSIONINFO info = {};
        info.cbSize = sizeof(info);
        if (getVersion != nullptr && SUCCEEDED(getVersion(&info)))
            packed = (info.dwMajorVersion << 16) | (info.dwMinorVersion & 0xFFFF);
    }
    return packed;
}

void SetCommonControlsVersionOverride(DWORD packedVersion) { versionOverride = packedVersion; }

TThemeServices::TThemeServices(HWND window) : window_(window)
{
    if (window_ != nullptr) {
        SetPropA(window_, kServicesProperty, this);
        previousProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TThemeServices::HookedWindowProc)));
        subclassed_ = previousProc_ != nullptr;
        if (!subclassed_)
            RemovePropA(window_, kServicesProperty);
    }
    themesAvailable_ = KvUxTheme::LoadThemeApi();
    RefreshThemeState();
}

TThemeServices::~TThemeServices()
{
    if (subclassed_)
        Unhook();
    CloseThemeHandles();
    KvUxTheme::ReleaseThemeApi();
}

void TThemeServices::Unhook()
{
    SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc_));
    RemovePropA(window_, kServicesProperty);
    subclassed_ = false;
}

LRESULT CALLBACK TThemeServices::HookedWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* services = static_cast<TThemeServices*>(GetPropA(window, kServicesProperty));
    if (services == nullptr)
        return DefWindowProcA(window, msg, wParam, lParam);
    WNDPROC previous = services->previousProc_;
    switch (msg) {
    case WM_DESTROY:
        services->Unhook();
        break;
    case WM_THEMECHANGED:
        services->RefreshThemeState();
        services->DoOnThemeChange();
        break;
    default:
        break;
    }
    return CallWindowProcA(previous, window, msg, wParam, lParam);
}

void TThemeServices::DoOnThemeChange()
{
    if (OnThemeChange)
        OnThemeChange(this);
}

void TThemeServices::RefreshThemeState()
{
    if (useThemes_)
        CloseThemeHandles();
    useThemes_ = KvUxTheme::ThemesInUse() && CommonControlsVersion() > 0x0005FFFF;
    controlsEnabled_ = useThemes_ && (KvUxTheme::GetThemeAppProperties() & STAP_ALLOW_CONTROLS) != 0;
}

void TThemeServices::CloseThemeHandles()
{
    // Once the watched window is gone, the handles went with the theme data it had.
    if (window_ != nullptr && !IsWindow(window_))
        return;
    for (HTHEME& handle : handles_) {
        if (handle != nullptr) {
            KvUxTheme::CloseThemeData(handle);
            handle = nullptr;
        }
    }
}

HTHEME TThemeServices::ThemeHandleFor(TThemedClass themeClass)
{
    if (themeClass >= tcClassCount)
        return nullptr;
    if (useThemes_ && handles_[themeClass] == nullptr)
        handles_[themeClass] = KvUxTheme::OpenThemeData(window_, kClassNames[themeClass]);
    return handles_[themeClass];
}

HTHEME TThemeServices::CachedThemeHandle(TThemedClass themeClass) const
{
    return themeClass < tcClassCount ? handles_[themeClass] : nullptr;
}

TThemedElementDetails TThemeServices::ButtonPart(BYTE element)
{
    static const ElementRange ranges[] = {{2, 6, 1}, {7, 14, 2}, {15, 26, 3}, {27, 28, 4}, {29, 29, 5}};
    return MapElement(tcButton, ranges, element);
}

TThemedElementDetails TThemeServices::ComboBoxPart(BYTE element)
{
    static const ElementRange ranges[] = {{2, 5, 1}};
    return MapElement(tcComboBox, ranges, element);
}

TThemedElementDetails TThemeServices::EditPart(BYTE element)
{
    static const ElementRange ranges[] = {{2, 8, 1}, {9, 9, 2}};
    return MapElement(tcEdit, ranges, element);
}

TThemedElementDetails TThemeServices::ExplorerBarPart(BYTE element)
{
    static const ElementRange ranges[] = {{2, 4, 1},   {5, 7, 2},   {8, 13, 3},  {14, 16, 4},
                                          {17, 17, 5}, {18, 20, 6}, {21, 23, 7}, {24, 24, 8},
                                          {25, 25, 9}, {26, 28, 10}, {29, 31, 11}, {32, 32, 12}};
    return MapElement(tcExplorerBar, ranges, element);
}

TThemedElementDetails TThemeServices::HeaderPart(BYTE element)
{
    static const ElementRange ranges[] = {{2, 4, 1}, {5, 7, 2}, {8, 10, 3}, {11, 12, 4}};
    return MapElement(tcHeader, ranges, element);
}

TThemedElementDetails TThemeServices::ProgressPart(BYTE element)
{
    static const ElementRange ranges[] = {{2, 2, 1}, {3, 3, 2}, {4, 4, 3}, {5, 5, 4}};
    return MapElement(tcProgress, ranges, element);
}

TThemedElementDetails TThemeServices::RebarPart(BYTE element)
{
    static const ElementRange ranges[] = {{2, 2, 1}, {3, 3, 2}, {4, 9, 3}, {10, 13, 4}, {14, 17, 5}};
    return MapElement(tcRebar, ranges, element);
}

TThemedElementDetails TThemeServices::ScrollBarPart(BYTE element)
{
    static const ElementRange ranges[] = {{2, 17, 1},  {18, 21, 2}, {22, 25, 3}, {26, 29, 4}, {30, 33, 5},
                                          {34, 37, 6}, {38, 41, 7}, {42, 45, 8}, {46, 49, 9}, {50, 51, 10}};
    return MapElement(tcScrollBar, ranges, element);
}

TThemedElementDetails TThemeServices::SpinPart(BYTE element)
{
    static const ElementRange ranges[] = {{2, 5, 1}, {6, 9, 2}, {10, 13, 3}, {14, 17, 4}};
    return MapElement(tcSpin, ranges, element);
}

TThemedElementDetails TThemeServices::StatusPart(BYTE element)
{
    static const ElementRange ranges[] = {{2, 2, 1}, {3, 3, 2}, {4, 4, 3}};
    return MapElement(tcStatus, ranges, element);
}

TThemedElementDetails TThemeServices::ToolBarPart(BYTE element)
{
    static const ElementRange ranges[] = {{2, 7, 1}, {8, 13, 2}, {14, 19, 3}, {20, 25, 4}, {26, 31, 5}, {32, 37, 6}};
    return MapElement(tcToolBar, ranges, element);
}

HRESULT TThemeServices::PaintPart(HDC dc, const TThemedElementDetails& details, const RECT& rect, const RECT* clip)
{
    return KvUxTheme::DrawThemeBackground(ThemeHandleFor(static_cast<TThemedClass>(details.Element)), dc,
                                          details.Part, details.State, &rect, clip);
}

void TThemeServices::PaintParentUnder(HWND window, HDC dc, const TThemedElementDetails* details,
                                      bool onlyIfTransparent, const RECT* bounds)
{
    if (onlyIfTransparent && details != nullptr) {
        HTHEME theme = ThemeHandleFor(static_cast<TThemedClass>(details->Element));
        if (!KvUxTheme::IsThemeBackgroundPartiallyTransparent(theme, details->Part, details->State))
            return;
    }
    KvUxTheme::DrawThemeParentBackground(window, dc, bounds);
}

HRESULT TThemeServices::PaintPartText(HDC dc, const TThemedElementDetails& details, const std::wstring& text,
                                      const RECT& rect, DWORD flags, DWORD flags2)
{
    return KvUxTheme::DrawThemeText(ThemeHandleFor(static_cast<TThemedClass>(details.Element)), dc, details.Part,
                                    details.State, text.c_str(), static_cast<int>(text.size()), flags, flags2,
                                    &rect);
}

TThemeServices* SharedThemeServices()
{
    static std::unique_ptr<TThemeServices> services(new TThemeServices(Application()->Handle()));
    return services.get();
}

} // namespace KvThemeSrv
