// CompressionDialogFiller: the compression dialog filled through window messages.
#include "CompressionDialogFiller.h"

#include <cstring>

namespace CompressionDialogFiller {

const char kDialogTitle[] = "视频压缩";
const char kCompressor[] = "Microsoft Video 1";

namespace {

const char kConfirm[] = "确定";

void SelectCompressor(HWND combo)
{
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT item = 0; item < count; ++item) {
        // The list belongs to the driver: an item longer than any compressor
        // name cannot be the one looked for, and is not read.
        const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(item), 0);
        char text[64];
        if (length < 0 || length >= static_cast<LRESULT>(sizeof text))
            continue;
        text[0] = '\0';
        SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text));
        text[length] = '\0';
        if (std::strcmp(text, kCompressor) == 0) {
            SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
            return;
        }
    }
}

BOOL CALLBACK ClickConfirm(HWND child, LPARAM)
{
    char text[20] = {};
    GetWindowTextA(child, text, sizeof text);
    if (std::strstr(text, kConfirm))
        SendMessageA(child, BM_CLICK, 0, 0);
    return TRUE;
}

}  // namespace

namespace {

struct DialogSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK MatchOwnDialog(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<DialogSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char title[64] = {};
    GetWindowTextA(window, title, sizeof(title));
    if (process == search->process && lstrcmpA(title, kDialogTitle) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

// Only this program's own dialog: another program's window of the same title
// (a second recorder, say) must not be filled in and confirmed.
HWND FindDialog()
{
    DialogSearch search{GetCurrentProcessId(), nullptr};
    EnumWindows(&MatchOwnDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Fill(HWND dialog)
{
    if (HWND combo = FindWindowExA(dialog, nullptr, "ComboBox", nullptr))
        SelectCompressor(combo);
    if (HWND quality = FindWindowExA(dialog, nullptr, "ScrollBar", nullptr))
        SetScrollPos(quality, SB_CTL, kQuality, TRUE);
    if (FindWindowExA(dialog, nullptr, "button", nullptr))
        EnumChildWindows(dialog, &ClickConfirm, 0);
}

}  // namespace CompressionDialogFiller
