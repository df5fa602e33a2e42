// The driver dialogs of the virtual camera: compression (compressor and
// quality), format, source and display.
#include "DriverDialogs.h"

#include "DialogTemplate.h"

#include <cstdio>

namespace {

enum : WORD { kCompressorList = 100, kQualityBar = 101, kQualityText = 102 };

const char* const kCompressors[] = {
    "全帧(非压缩的)",
    "Microsoft Video 1",
    "Microsoft RLE",
    "Cinepak Codec by Radius",
};

void ShowQuality(HWND dialog, int quality)
{
    char text[32];
    std::snprintf(text, sizeof text, "%d", quality);
    SetDlgItemTextW(dialog, kQualityText, WideFromGbk(text).data());
}

INT_PTR CALLBACK CompressionProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* choice = reinterpret_cast<DriverDialogs::Compression*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        choice = reinterpret_cast<DriverDialogs::Compression*>(lParam);
        HWND list = GetDlgItem(dialog, kCompressorList);
        for (const char* name : kCompressors)
            SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromGbk(name).data()));
        SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(choice->compressor), 0);
        HWND bar = GetDlgItem(dialog, kQualityBar);
        SetScrollRange(bar, SB_CTL, 0, 100, FALSE);
        SetScrollPos(bar, SB_CTL, choice->quality, TRUE);
        ShowQuality(dialog, choice->quality);
        return TRUE;
    }
    case WM_HSCROLL: {
        HWND bar = reinterpret_cast<HWND>(lParam);
        int position = GetScrollPos(bar, SB_CTL);
        switch (LOWORD(wParam)) {
        case SB_LINELEFT: --position; break;
        case SB_LINERIGHT: ++position; break;
        case SB_PAGELEFT: position -= 10; break;
        case SB_PAGERIGHT: position += 10; break;
        case SB_LEFT: position = 0; break;
        case SB_RIGHT: position = 100; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: position = static_cast<short>(HIWORD(wParam)); break;
        default: break;
        }
        position = position < 0 ? 0 : position > 100 ? 100 : position;
        SetScrollPos(bar, SB_CTL, position, TRUE);
        ShowQuality(dialog, position);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            const LRESULT selected = SendDlgItemMessageW(dialog, kCompressorList, CB_GETCURSEL, 0, 0);
            if (selected >= 0)
                choice->compressor = static_cast<int>(selected);
            choice->quality = GetScrollPos(GetDlgItem(dialog, kQualityBar), SB_CTL);
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

INT_PTR CALLBACK PlainProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

void AddButtons(DialogTemplate& form, short y)
{
    form.AddControl(DialogTemplate::Button, IDOK, "确定", BS_DEFPUSHBUTTON | WS_TABSTOP, 96, y, 50, 14);
    form.AddControl(DialogTemplate::Button, IDCANCEL, "取消", BS_PUSHBUTTON | WS_TABSTOP, 152, y, 50, 14);
}

BOOL RunPlain(DialogTemplate& form, HWND owner)
{
    return form.Run(owner, PlainProc, 0) != -1;
}

}  // namespace

namespace DriverDialogs {

const char* const* Compressors(int& count)
{
    count = static_cast<int>(sizeof kCompressors / sizeof kCompressors[0]);
    return kCompressors;
}

BOOL ShowCompression(HWND owner, Compression& choice)
{
    DialogTemplate form("视频压缩", 210, 96);
    form.AddControl(DialogTemplate::Static, 0xFFFF, "压缩程序(&O):", SS_LEFT, 8, 8, 80, 10);
    form.AddControl(DialogTemplate::ComboBox, kCompressorList, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 8, 20,
                    194, 80);
    form.AddControl(DialogTemplate::Static, 0xFFFF, "压缩质量(&Q):", SS_LEFT, 8, 42, 80, 10);
    form.AddControl(DialogTemplate::ScrollBar, kQualityBar, "", SBS_HORZ | WS_TABSTOP, 8, 54, 160, 10);
    form.AddControl(DialogTemplate::Static, kQualityText, "", SS_LEFT, 176, 54, 26, 10);
    AddButtons(form, 74);
    return form.Run(owner, CompressionProc, reinterpret_cast<LPARAM>(&choice)) != -1;
}

BOOL ShowFormat(HWND owner, int width, int height)
{
    char size[64];
    std::snprintf(size, sizeof size, "图像大小: %d x %d", width, height);
    DialogTemplate form("视频格式", 210, 60);
    form.AddControl(DialogTemplate::Static, 0xFFFF, size, SS_LEFT, 8, 8, 194, 10);
    form.AddControl(DialogTemplate::Static, 0xFFFF, "像素格式: RGB24", SS_LEFT, 8, 20, 194, 10);
    AddButtons(form, 40);
    return RunPlain(form, owner);
}

BOOL ShowSource(HWND owner, const std::string& driverName)
{
    DialogTemplate form("视频源", 210, 48);
    form.AddControl(DialogTemplate::Static, 0xFFFF, driverName.c_str(), SS_LEFT, 8, 8, 194, 10);
    AddButtons(form, 28);
    return RunPlain(form, owner);
}

BOOL ShowDisplay(HWND owner)
{
    DialogTemplate form("视频显示", 210, 48);
    form.AddControl(DialogTemplate::Static, 0xFFFF, "按实际大小或缩放显示预览图像", SS_LEFT, 8, 8, 194, 10);
    AddButtons(form, 28);
    return RunPlain(form, owner);
}

}  // namespace DriverDialogs
