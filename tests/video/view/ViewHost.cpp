// A recording view hosted for tests.
#include "ViewHost.h"

#include "CDocument.h"
#include "CompressionDialogFiller.h"
#include "OwnedHandles.h"
#include "VideoSettings.h"
#include "res/resource.h"

#include <commctrl.h>

#include <algorithm>

void ViewHostTest::SetUp()
{
    m_photos = m_temp / "photos";
    m_videos = m_temp / "videos";
    CreateDirectoryA(m_photos.c_str(), nullptr);
    CreateDirectoryA(m_videos.c_str(), nullptr);
    m_config.Set(VideoSettings::kPhotoSection, "1", m_photos.c_str());
    m_config.Set(VideoSettings::kVideoSection, "1", m_videos.c_str());
    m_config.Set(VideoSettings::kTimerSection, "1", "0");
    m_watcher = std::make_unique<DialogWatcher>();
}

void ViewHostTest::TearDown()
{
    m_template.reset();  // destroys the frame and with it the view
    PumpMessages(50);
    TakeQuitMessage();
    m_watcher.reset();
}

void ViewHostTest::Open(bool withDevice)
{
    m_template = std::make_unique<CSingleDocTemplate>(128, RUNTIME_CLASS(CDocument), RUNTIME_CLASS(CTestFrame),
                                                      RUNTIME_CLASS(CVideoView));
    ASSERT_NE(m_template->OpenDocumentFile(nullptr), nullptr);
    m_frame = dynamic_cast<CTestFrame*>(m_template->GetFrame());
    ASSERT_NE(m_frame, nullptr);
    m_view = dynamic_cast<CVideoView*>(m_frame->GetActiveView());
    ASSERT_NE(m_view, nullptr);
    if (!withDevice)
        return;
    // The driver opens its compression dialog on the capture thread; the
    // view's one-shot timer answers it once this thread pumps again.
    const DWORD start = GetTickCount();
    while (!CompressionDialogFiller::FindDialog() && GetTickCount() - start < 5000)
        Sleep(10);
    const bool opened = CompressionDialogFiller::FindDialog() != nullptr;
    PumpUntil([] { return CompressionDialogFiller::FindDialog() == nullptr; }, 5000);
    m_compressionFilled = opened && CompressionDialogFiller::FindDialog() == nullptr;
}

void ViewHostTest::Click(int id)
{
    HWND button = GetDlgItem(m_view->m_hWnd, id);
    ASSERT_NE(button, nullptr);
    PostMessageA(button, BM_CLICK, 0, 0);
    PumpMessages(100);
}

void ViewHostTest::Command(UINT id)
{
    PostMessageA(m_view->m_hWnd, WM_COMMAND, id, 0);
    PumpMessages(100);
}

void ViewHostTest::PressKey(UINT virtualKey)
{
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = static_cast<WORD>(virtualKey);
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
    PumpMessages(100);
}

bool ViewHostTest::IsEnabled(int id) const
{
    return IsWindowEnabled(GetDlgItem(m_view->m_hWnd, id)) != FALSE;
}

namespace {

std::vector<BYTE> BitmapBits(HBITMAP bitmap)
{
    BITMAP info = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info))
        return {};
    BITMAPINFOHEADER header = {sizeof header, info.bmWidth, info.bmHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<BYTE> bits(static_cast<size_t>((info.bmWidth * 3 + 3) & ~3) * info.bmHeight);
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, bitmap, 0, info.bmHeight, bits.data(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    return bits;
}

}  // namespace

UINT ViewHostTest::StatePicture() const
{
    HWND picture = GetDlgItem(m_view->m_hWnd, IDC_STATE_PICTURE);
    const auto shown = BitmapBits(reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0)));
    for (UINT id : {IDB_IDLE, IDB_RECORDING, IDB_WAITING}) {
        HBITMAP resource = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
        const bool same = !shown.empty() && BitmapBits(resource) == shown;
        DeleteObject(resource);
        if (same)
            return id;
    }
    return 0;
}

std::string ViewHostTest::PaneText(UINT indicator) const
{
    CStatusBar& bar = m_frame->m_wndStatusBar;
    const int index = bar.CommandToIndex(indicator);
    if (index < 0)
        return "<no pane>";
    // Read from the control itself, as the user sees it.
    char text[512] = {};
    SendMessageA(bar.m_hWnd, SB_GETTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

std::vector<std::string> ViewHostTest::Files(const std::string& folder, const char* pattern) const
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    TOwnedFind search(FindFirstFileA((folder + "\\" + pattern).c_str(), &found));
    if (search.IsValid()) {
        do
            names.push_back(found.cFileName);
        while (FindNextFileA(search.Get(), &found));
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool HotKeyHeld(UINT virtualKey)
{
    const int probe = 0xB000;
    if (RegisterHotKey(nullptr, probe, 0, virtualKey)) {
        UnregisterHotKey(nullptr, probe);
        return false;
    }
    return GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED;
}
