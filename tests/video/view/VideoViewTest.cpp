// The recording view driven through its buttons, commands, hot keys and
// timers, against the virtual camera: files, panes, pictures and buttons.
#include "ViewHost.h"

#include "BmpFile.h"
#include "FileListing.h"
#include "HotKeys.h"
#include "MessagePump.h"
#include "SyntheticPicture.h"
#include "TopLevelWindows.h"
#include "VideoSettings.h"
#include "Waits.h"
#include "res/resource.h"

using namespace VideoSettings;

namespace {

const char kNoFolder[] = "保存路径不存在,请重新设置!";
const char kNoDelay[] = "定时时间未初始化,请再次设定!";

const int kShotButtons[] = {IDC_PHOTO, IDC_RECORD, IDC_TIMED_PHOTO, IDC_TIMED_RECORD};

}  // namespace

using VideoViewTest = ViewHostTest;

TEST_F(VideoViewTest, StartsIdlePreviewingWithHotKeysAndTheCompressionDialogAnswered)
{
    Open();
    EXPECT_TRUE(m_compressionFilled);
    EXPECT_TRUE(m_watcher->Seen().empty());
    for (int id : kShotButtons)
        EXPECT_TRUE(IsEnabled(id)) << id;
    EXPECT_FALSE(IsEnabled(IDC_STOP));
    EXPECT_EQ(StatePicture(), static_cast<UINT>(IDB_IDLE));
    for (UINT key : {VK_F4, VK_F5, VK_F6, VK_F7, VK_F8, VK_F9})
        EXPECT_TRUE(HotKeyHeld(key)) << key;

    // The preview sits over the preview frame, three pixels larger.
    RECT frame;
    GetWindowRect(GetDlgItem(m_view->m_hWnd, IDC_PREVIEW), &frame);
    HWND preview = nullptr;
    for (HWND child = GetWindow(m_view->m_hWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) == 0 && GetWindowLongPtrA(child, GWL_STYLE) == (WS_CHILD | WS_VISIBLE))
            preview = child;
    }
    ASSERT_NE(preview, nullptr);
    RECT shown;
    GetWindowRect(preview, &shown);
    EXPECT_EQ(shown.left, frame.left);
    EXPECT_EQ(shown.top, frame.top);
    EXPECT_EQ(shown.right - shown.left, frame.right - frame.left + 3);
    EXPECT_EQ(shown.bottom - shown.top, frame.bottom - frame.top + 3);
}

TEST_F(VideoViewTest, PhotoWritesTheCameraPictureAsBmpAndCountsIt)
{
    Open();
    Click(IDC_PHOTO);
    ASSERT_TRUE(PumpUntil([&] { return FilesIn(m_photos, "*.bmp").size() == 1; }));
    const auto names = FilesIn(m_photos, "*.bmp");
    const BmpFile bmp = ReadBmpFile(names[0]);
    ASSERT_TRUE(bmp.valid) << bmp.problem;
    EXPECT_EQ(bmp.file.bfType, 0x4D42);
    EXPECT_EQ(bmp.file.bfSize, bmp.bytes.size());
    EXPECT_EQ(bmp.file.bfReserved1, 0);
    EXPECT_EQ(bmp.file.bfReserved2, 0);
    EXPECT_EQ(bmp.file.bfOffBits, 54u + bmp.info.biClrUsed * 4);
    EXPECT_EQ(bmp.info.biSize, 40u);
    EXPECT_EQ(bmp.info.biWidth, 320);
    EXPECT_EQ(bmp.info.biHeight, 240);
    EXPECT_EQ(bmp.info.biBitCount, 24);
    EXPECT_GE(MatchSyntheticFrame(bmp), 0) << "the pixels are not a picture of the camera";

    EXPECT_EQ(PaneText(ID_INDICATOR_PHOTOS), std::string(CVideoView::PhotoCountText(1)));
    EXPECT_EQ(PaneText(ID_INDICATOR_PHOTOS), "              已经拍摄的照片数量为: 1 张    ");
    EXPECT_EQ(StatePicture(), static_cast<UINT>(IDB_IDLE));
    EXPECT_TRUE(m_watcher->Seen().empty());
}

TEST_F(VideoViewTest, PhotosOfOneSecondAllKeepTheirOwnFile)
{
    Open();
    for (int shot = 0; shot < 4; ++shot) {
        ASSERT_TRUE(m_view->Shoot(kPhotoSection, ".bmp"));
        PumpMessages(20);
    }
    EXPECT_EQ(FilesIn(m_photos, "*.bmp").size(), 4u);
}

TEST_F(VideoViewTest, RecordThenStopWritesAnAviAndReturnsToIdle)
{
    Open();
    Click(IDC_RECORD);
    ASSERT_TRUE(PumpUntil([&] { return IsEnabled(IDC_STOP); }));
    for (int id : kShotButtons)
        EXPECT_FALSE(IsEnabled(id)) << id;
    EXPECT_EQ(StatePicture(), static_cast<UINT>(IDB_RECORDING));

    // The recorded time counts up in its pane, a second at a time.
    const std::string twoSeconds(CVideoView::RecordedTimeText(2));
    ASSERT_TRUE(PumpUntil([&] { return PaneText(ID_INDICATOR_RECORDED) == twoSeconds; }));

    Click(IDC_STOP);
    EXPECT_EQ(PaneText(ID_INDICATOR_RECORDED), "已录时间:  ");
    for (int id : kShotButtons)
        EXPECT_TRUE(IsEnabled(id)) << id;
    EXPECT_FALSE(IsEnabled(IDC_STOP));
    EXPECT_EQ(StatePicture(), static_cast<UINT>(IDB_IDLE));

    const auto names = FilesIn(m_videos, "*.avi");
    ASSERT_EQ(names.size(), 1u);
    const std::string avi = ReadWholeFile(names[0]);
    ASSERT_GT(avi.size(), 12u);
    EXPECT_EQ(avi.substr(0, 4), "RIFF");
    EXPECT_EQ(avi.substr(8, 4), "AVI ");
    // Time goes on no more once stopped.
    PumpMessages(1200);
    EXPECT_EQ(PaneText(ID_INDICATOR_RECORDED), "已录时间:  ");
}

TEST_F(VideoViewTest, HotKeysDriveTheShots)
{
    Open();
    PressKey(VK_F5);
    ASSERT_TRUE(PumpUntil([&] { return FilesIn(m_photos, "*.bmp").size() == 1; }))
        << "F5 took no photo";
    PressKey(VK_F6);
    ASSERT_TRUE(PumpUntil([&] { return IsEnabled(IDC_STOP); })) << "F6 started no recording";
    PressKey(VK_F9);
    ASSERT_TRUE(PumpUntil([&] { return !IsEnabled(IDC_STOP); })) << "F9 did not stop";
    EXPECT_EQ(FilesIn(m_videos, "*.avi").size(), 1u);
    PressKey(VK_F7);
    ASSERT_TRUE(PumpUntil([&] { return FilesIn(m_photos, "*.bmp").size() == 2; }))
        << "F7 took no timed photo";
    m_config.Set(kTimerSection, "1", "1");
    PressKey(VK_F8);
    ASSERT_TRUE(PumpUntil([&] { return IsEnabled(IDC_STOP); })) << "F8 started no timed recording";
    PressKey(VK_F9);
    ASSERT_TRUE(PumpUntil([&] { return !IsEnabled(IDC_STOP); })) << "F9 did not stop";
    EXPECT_EQ(FilesIn(m_videos, "*.avi").size(), 2u);
}

TEST_F(VideoViewTest, PhotoWhoseFrameNeverCameIsNotCounted)
{
    Open();
    const std::string noPhotos = PaneText(ID_INDICATOR_PHOTOS);
    // The camera holds the grabbed frame back well past the engine's 2000 ms wait,
    // so that a loaded machine cannot bring it in time.
    SetEnvironmentVariableA("VCAM_GRAB_DELAY_MS", "6000");
    m_view->SendMessage(WM_COMMAND, IDC_PHOTO, 0);
    SetEnvironmentVariableA("VCAM_GRAB_DELAY_MS", nullptr);
    EXPECT_TRUE(FilesIn(m_photos, "*.bmp").empty());
    EXPECT_EQ(PaneText(ID_INDICATOR_PHOTOS), noPhotos);
    EXPECT_TRUE(m_watcher->Seen().empty()) << "no message for a frame that did not come";

    // The next frame comes in time again.
    m_view->SendMessage(WM_COMMAND, IDC_PHOTO, 0);
    EXPECT_TRUE(PumpUntil([&] { return FilesIn(m_photos, "*.bmp").size() == 1; }));
    EXPECT_EQ(PaneText(ID_INDICATOR_PHOTOS), std::string(CVideoView::PhotoCountText(1)));
}

TEST_F(VideoViewTest, MissingFolderShowsTheMessageThenTheOptionsAndSavesNothing)
{
    struct Case {
        const char* name;
        const char* section;
        int button;
        const char* pattern;
    } cases[] = {
        {"photo", kPhotoSection, IDC_PHOTO, "*.bmp"},
        {"recording", kVideoSection, IDC_RECORD, "*.avi"},
    };
    Open();
    const std::string before = PaneText(ID_INDICATOR_PHOTOS);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string gone = m_temp / "gone";
        m_config.Set(c.section, "1", gone.c_str());
        m_watcher->Clear();
        Click(c.button);
        ASSERT_TRUE(PumpUntil([&] { return m_watcher->Seen().size() >= 2 && !ThreadWindows(GetCurrentThreadId(), "#32770").size(); }));
        EXPECT_EQ(m_watcher->Sequence(), (std::vector<std::string>{kNoFolder, kOptionsTitle}));
        EXPECT_TRUE(FilesIn(m_temp.Path(), c.pattern).empty());
        EXPECT_FALSE(IsEnabled(IDC_STOP));
        EXPECT_EQ(PaneText(ID_INDICATOR_PHOTOS), before);
        m_config.Set(c.section, "1", c.section == kPhotoSection ? m_photos.c_str() : m_videos.c_str());
    }
    EXPECT_EQ(PaneText(ID_INDICATOR_PHOTOS), before);
}

TEST_F(VideoViewTest, TimedPhotoWithDelayZeroCountsDownAndShoots)
{
    Open();
    SetTextRecorder countdown(IDC_WAIT_TEXT);
    Click(IDC_TIMED_PHOTO);
    ASSERT_TRUE(PumpUntil([&] { return FilesIn(m_photos, "*.bmp").size() == 1; }));
    const auto seen = m_watcher->Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, kWaitTitle);
    EXPECT_EQ(countdown.Texts(), (std::vector<std::string>{"请稍等", "还需等待0秒"}));
    EXPECT_EQ(PaneText(ID_INDICATOR_PHOTOS), std::string(CVideoView::PhotoCountText(1)));
    EXPECT_EQ(StatePicture(), static_cast<UINT>(IDB_IDLE));
    for (int id : kShotButtons)
        EXPECT_TRUE(IsEnabled(id)) << id;
}

TEST_F(VideoViewTest, TimedRecordingNeedsADelayAboveZero)
{
    Open();
    Click(IDC_TIMED_RECORD);
    ASSERT_TRUE(PumpUntil([&] { return m_watcher->Seen().size() >= 2; }));
    PumpMessages(100);
    EXPECT_EQ(m_watcher->Sequence(), (std::vector<std::string>{kNoDelay, kOptionsTitle}));
    EXPECT_FALSE(IsEnabled(IDC_STOP));
    EXPECT_TRUE(FilesIn(m_videos, "*.avi").empty());

    m_config.Set(kTimerSection, "1", "1");
    m_watcher->Clear();
    SetTextRecorder countdown(IDC_WAIT_TEXT);
    Click(IDC_TIMED_RECORD);
    ASSERT_TRUE(PumpUntil([&] { return IsEnabled(IDC_STOP); }));
    const auto seen = m_watcher->Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].title, kWaitTitle);
    EXPECT_EQ(countdown.Texts(), (std::vector<std::string>{"请稍等", "还需等待1秒", "还需等待0秒"}));
    for (int id : kShotButtons)
        EXPECT_FALSE(IsEnabled(id)) << id;
    Click(IDC_STOP);
    EXPECT_EQ(FilesIn(m_videos, "*.avi").size(), 1u);
}

TEST_F(VideoViewTest, TimedShotsWithoutConfigFileAskForTheSettings)
{
    Open();
    for (int button : {IDC_TIMED_PHOTO, IDC_TIMED_RECORD}) {
        SCOPED_TRACE(button);
        m_config.Remove();
        m_watcher->Clear();
        Click(button);
        ASSERT_TRUE(PumpUntil([&] { return m_watcher->Seen().size() >= 2; }));
        PumpMessages(100);
        EXPECT_EQ(m_watcher->Sequence(), (std::vector<std::string>{kNoDelay, kOptionsTitle}));
    }
    EXPECT_TRUE(FilesIn(m_photos, "*.bmp").empty());
}

TEST_F(VideoViewTest, ContextMenuOffersTheCaptureDialogsAndTheOptions)
{
    Open();
    std::vector<std::string> items;
    HWND viewWindow = m_view->m_hWnd;
    m_watcher->On(kOptionsTitle, [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    // The popup is answered from another thread: read its items, then pick
    // the last one with the keyboard.
    std::thread answer([&] {
        std::vector<HWND> menus;
        if (!WaitUntil([&] {
                return !(menus = ThreadWindows(GetWindowThreadProcessId(viewWindow, nullptr), "#32768")).empty();
            }))
            return;
        HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menus[0], MN_GETHMENU, 0, 0));
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char text[64] = {};
            GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            items.push_back(std::to_string(GetMenuItemID(menu, i)) + " " + text);
        }
        for (WPARAM key : {VK_UP, VK_RETURN}) {
            PostMessageA(viewWindow, WM_KEYDOWN, key, 0);
            PostMessageA(viewWindow, WM_KEYUP, key, 0xC0000001);
        }
    });
    SendMessageA(viewWindow, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(viewWindow), MAKELPARAM(100, 100));
    answer.join();
    EXPECT_EQ(items, (std::vector<std::string>{"32791 视频压缩", "32784 视频格式", "0 ", "32772 综合选项"}));
    ASSERT_TRUE(PumpUntil([&] { return m_watcher->Seen().size() == 1; }));
    EXPECT_EQ(m_watcher->Sequence(), (std::vector<std::string>{kOptionsTitle}));
}

TEST_F(VideoViewTest, DriverDialogCommandsOpenTheDriversDialogs)
{
    Open();
    struct Case {
        UINT command;
        const char* title;
    } cases[] = {{ID_VIDEO_FORMAT, "视频格式"}, {ID_VIDEO_COMPRESSION, "视频压缩"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        Command(c.command);
        ASSERT_TRUE(PumpUntil([&] { return FindWindowA(nullptr, c.title) != nullptr; }));
        PostMessageA(FindWindowA(nullptr, c.title), WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(PumpUntil([&] { return FindWindowA(nullptr, c.title) == nullptr; }));
    }
}

TEST_F(VideoViewTest, ExitFreesTheHotKeysAndEndsTheLoopWithCode16)
{
    Open();
    Command(ID_APP_EXIT_VIEW);
    for (UINT key : {VK_F4, VK_F5, VK_F6, VK_F7, VK_F8, VK_F9})
        EXPECT_FALSE(HotKeyHeld(key)) << key;
    EXPECT_EQ(TakeQuitMessage(), 16);
    EXPECT_TRUE(IsWindow(m_view->m_hWnd)) << "closing ends the loop; the window stays until the frame goes";
    EXPECT_FALSE(m_view->Shoot(kPhotoSection, ".bmp")) << "no engine is left to take a photo";
}
