// A recording view hosted for tests.
#include "ViewHost.h"

#include "CDocument.h"
#include "CompressionDialogFiller.h"
#include "HotKeys.h"
#include "MessagePump.h"
#include "OwnedDC.h"
#include "OwnedGdi.h"
#include "VideoSettings.h"
#include "Waits.h"
#include "res/resource.h"

#include <commctrl.h>

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
    const bool opened = WaitUntil([] { return CompressionDialogFiller::FindDialog() != nullptr; });
    const bool closed = PumpUntil([] { return CompressionDialogFiller::FindDialog() == nullptr; });
    m_compressionFilled = opened && closed;
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
    ::PressKey(virtualKey);
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
    const TWindowDC screen(nullptr);
    GetDIBits(screen, bitmap, 0, info.bmHeight, bits.data(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    return bits;
}

}  // namespace

UINT ViewHostTest::StatePicture() const
{
    HWND picture = GetDlgItem(m_view->m_hWnd, IDC_STATE_PICTURE);
    const auto shown = BitmapBits(reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0)));
    for (UINT id : {IDB_IDLE, IDB_RECORDING, IDB_WAITING}) {
        const TOwnedBitmap resource(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)));
        if (!shown.empty() && BitmapBits(resource) == shown)
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
