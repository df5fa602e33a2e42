// KvThemeSrv: the one theme-services object of the process. It decides whether
// controls paint themed, keeps one theme handle per theme class (opened on first
// use, closed when the theme changes), maps the controls' element values to theme
// parts and states, and paints themed parts. It watches the application window
// for theme changes and tells its listener.
#pragma once

#include "Closure.h"
#include "TObject.h"

#include <windows.h>
#include <uxtheme.h>

#include <string>

namespace KvThemeSrv {

// The theme classes, by index; the names passed to the theme library are theirs.
enum TThemedClass : BYTE {
    tcButton, tcClock, tcComboBox, tcEdit, tcExplorerBar, tcHeader, tcListView, tcMenu, tcPage, tcProgress,
    tcRebar, tcScrollBar, tcSpin, tcStartPanel, tcStatus, tcTab, tcTaskBand, tcTaskBar, tcToolBar, tcToolTip,
    tcTrackBar, tcTrayNotify, tcTreeView, tcWindow,
    tcClassCount
};
const wchar_t* ThemeClassName(TThemedClass themeClass);

struct TThemedElementDetails {
    BYTE Element = 0; // the theme class
    int Part = 0;
    int State = 0;
};

// Element values of the button class (0 and 1 are don't-care and root in every class).
enum TThemedButton : BYTE {
    tbButtonDontCare, tbButtonRoot,
    tbPushButtonNormal, tbPushButtonHot, tbPushButtonPressed, tbPushButtonDisabled, tbPushButtonDefaulted,
    tbRadioButtonUncheckedNormal, tbRadioButtonUncheckedHot, tbRadioButtonUncheckedPressed,
    tbRadioButtonUncheckedDisabled, tbRadioButtonCheckedNormal, tbRadioButtonCheckedHot,
    tbRadioButtonCheckedPressed, tbRadioButtonCheckedDisabled,
    tbCheckBoxUncheckedNormal, tbCheckBoxUncheckedHot, tbCheckBoxUncheckedPressed, tbCheckBoxUncheckedDisabled,
    tbCheckBoxCheckedNormal, tbCheckBoxCheckedHot, tbCheckBoxCheckedPressed, tbCheckBoxCheckedDisabled,
    tbCheckBoxMixedNormal, tbCheckBoxMixedHot, tbCheckBoxMixedPressed, tbCheckBoxMixedDisabled,
    tbGroupBoxNormal, tbGroupBoxDisabled,
    tbUserButton
};

// The common-controls library's version, major in the high 16 bits and minor in
// the low 16. Set a value other than 0 to stand in for the library's own answer
// (a system that loads version 6 but reports an older one); 0 asks the library.
DWORD CommonControlsVersion();
void SetCommonControlsVersionOverride(DWORD packedVersion);

class TThemeServices : public TObject {
public:
    CLASSLIB_CLASS_NAME(TThemeServices)
    // Watches the window (when not 0) for theme changes.
    explicit TThemeServices(HWND window);
    ~TThemeServices() override;

    HWND Window() const { return window_; }
    bool Subclassed() const { return subclassed_; }
    bool ThemesAvailable() const { return themesAvailable_; }
    bool UseThemes() const { return useThemes_; }
    bool ControlsEnabled() const { return controlsEnabled_; }
    bool PaintsThemed() const { return themesAvailable_ && useThemes_ && controlsEnabled_; }

    // The theme handle of a class, opened on first use; 0 when themes are not in use.
    HTHEME ThemeHandleFor(TThemedClass themeClass);
    // The handle cached now (0 when not open), without opening it.
    HTHEME CachedThemeHandle(TThemedClass themeClass) const;

    void RefreshThemeState();
    void CloseThemeHandles();

    static TThemedElementDetails ButtonPart(BYTE element);
    static TThemedElementDetails ComboBoxPart(BYTE element);
    static TThemedElementDetails EditPart(BYTE element);
    static TThemedElementDetails ExplorerBarPart(BYTE element);
    static TThemedElementDetails HeaderPart(BYTE element);
    static TThemedElementDetails ProgressPart(BYTE element);
    static TThemedElementDetails RebarPart(BYTE element);
    static TThemedElementDetails ScrollBarPart(BYTE element);
    static TThemedElementDetails SpinPart(BYTE element);
    static TThemedElementDetails StatusPart(BYTE element);
    static TThemedElementDetails ToolBarPart(BYTE element);

    HRESULT PaintPart(HDC dc, const TThemedElementDetails& details, const RECT& rect, const RECT* clip = nullptr);
    // Paints the parent's background under a control, when asked only where the
    // element lets it show through.
    void PaintParentUnder(HWND window, HDC dc, const TThemedElementDetails* details = nullptr,
                          bool onlyIfTransparent = false, const RECT* bounds = nullptr);
    HRESULT PaintPartText(HDC dc, const TThemedElementDetails& details, const std::wstring& text, const RECT& rect,
                          DWORD flags, DWORD flags2);

    // Fired after every theme change, with the services object as sender.
    TNotifyEvent OnThemeChange;

protected:
    virtual void DoOnThemeChange();

private:
    static LRESULT CALLBACK HookedWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    void Unhook();

    HWND window_ = nullptr;
    bool subclassed_ = false; // our procedure is installed on the window
    WNDPROC previousProc_ = nullptr;
    bool themesAvailable_ = false;
    bool useThemes_ = false;
    bool controlsEnabled_ = false;
    HTHEME handles_[tcClassCount] = {};
};

// The process's services object, made on first use over the application window.
TThemeServices* SharedThemeServices();

} // namespace KvThemeSrv
