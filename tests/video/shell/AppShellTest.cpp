// The recorder started as the program starts it (InitInstance) against the
// virtual camera and the update library's double: the main frame, its
// commands, the tray toggle and the full-screen mode driven by hot keys.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "CStatusBar.h"
#include "CustomControlSite.h"
#include "FileListing.h"
#include "HotKeys.h"
#include "MainFrm.h"
#include "MessagePump.h"
#include "ScopedConfig.h"
#include "ShellFixtures.h"
#include "TempFolder.h"
#include "TopLevelWindows.h"
#include "UpdateLibrary.h"
#include "Video.h"
#include "VideoView.h"

namespace {

const char kSaved[] = "已经保存一张照片";
const char kStopped[] = "已经停止拍摄";
const char kRecording[] = "正在录像";
const char kRecordingStarted[] = "开始录像";

class RecorderApp : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_photos = m_temp / "pics";
        m_videos = m_temp / "caps";
        CreateDirectoryA(m_photos.c_str(), nullptr);
        CreateDirectoryA(m_videos.c_str(), nullptr);
        m_config.Set("照相", "1", m_photos.c_str());
        m_config.Set("录相", "1", m_videos.c_str());
        m_config.Set("定时", "1", "1");
        m_log = m_temp / "freshlib.log";
        SetEnvironmentVariableA("FRESHLIB_LOG", m_log.c_str());
        SetEnvironmentVariableA("FRESHLIB_ANSWER", "0");
    }

    void TearDown() override
    {
        if (CMainFrame* frame = Frame())
            frame->DestroyWindow();
        // The main frame's end posts the loop's quit; it is taken first, so
        // that what the end left to do is pumped for the whole time.
        TakeQuitMessage();
        PumpMessages(200);
        SetEnvironmentVariableA("FRESHLIB_LOG", nullptr);
    }

    // Starts the program in this process and waits until the compression
    // dialog of the start-up has been filled and closed.
    void Start()
    {
        ASSERT_TRUE(m_app.InitInstance());
        ASSERT_NE(Frame(), nullptr);
        ASSERT_NE(View(), nullptr);
        // The driver opens the dialog on the capture thread, which is the
        // thread of the view's one child that is not the view's own.
        HWND capture = nullptr;
        for (HWND child = GetWindow(View()->m_hWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (GetWindowThreadProcessId(child, nullptr) != GetCurrentThreadId())
                capture = child;
        }
        ASSERT_NE(capture, nullptr);
        // The dialog can be answered only once this thread dispatches again,
        // as the program's message loop does, and only once it shows.
        WindowShowWatch dialog(GetWindowThreadProcessId(capture, nullptr), "视频压缩");
        ASSERT_TRUE(PumpUntil([&] { return dialog.Seen() && !FindWindowA(nullptr, "视频压缩"); }))
            << (dialog.Seen() ? "the compression dialog stayed open" : "no compression dialog came");
    }

    CMainFrame* Frame() const { return dynamic_cast<CMainFrame*>(m_app.m_pMainWnd); }
    CVideoView* View() const
    {
        CMainFrame* frame = Frame();
        return frame ? dynamic_cast<CVideoView*>(frame->GetActiveView()) : nullptr;
    }
    std::string Log() const { return FileExists(m_log) ? ReadWholeFile(m_log) : std::string(); }
    // The preview frame's place on the screen, with the main window raised
    // above whatever else the display shows.
    RECT PreviewOnScreen() const
    {
        SetWindowPos(Frame()->m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        RECT rect = {};
        GetWindowRect(GetDlgItem(View()->m_hWnd, 1002), &rect);
        return rect;
    }

    TempFolder m_temp;
    ScopedConfig m_config;
    std::string m_photos, m_videos, m_log;
    CVideoApp m_app;
};

}  // namespace

TEST_F(RecorderApp, MainWindowIsTheFixedFrameTitledFerrin2009)
{
    Start();
    CMainFrame* frame = Frame();
    EXPECT_EQ(WindowText(frame->m_hWnd), "Ferrin 2009");
    RECT rect;
    GetWindowRect(frame->m_hWnd, &rect);
    EXPECT_EQ(rect.right - rect.left, 860);
    EXPECT_EQ(rect.bottom - rect.top, 550);
    const LONG_PTR style = GetWindowLongPtrA(frame->m_hWnd, GWL_STYLE);
    EXPECT_EQ(style & WS_MAXIMIZEBOX, 0);
    EXPECT_EQ(style & WS_THICKFRAME, 0);
    EXPECT_NE(style & WS_MINIMIZEBOX, 0);
    EXPECT_TRUE(IsWindowVisible(frame->m_hWnd));

    // The status bar with its two panes, and the main menu.
    auto* bar = dynamic_cast<CStatusBar*>(CWnd::FromHandlePermanent(GetDlgItem(frame->m_hWnd, 59393)));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->CommandToIndex(61447), 0);
    EXPECT_EQ(bar->CommandToIndex(61448), 1);
    EXPECT_EQ(GetMenuItemCount(GetMenu(frame->m_hWnd)), 4);
    EXPECT_NE(frame->m_hAccelTable, nullptr);

    // The view's browser control: the program's own site holds it, hidden and never navigated.
    HWND browser = GetDlgItem(View()->m_hWnd, 1026);
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser, frame->m_browser.GetSafeHwnd());
    EXPECT_NE(dynamic_cast<CCustomControlSite*>(frame->m_browser.GetControlSite()), nullptr);
    EXPECT_FALSE(IsWindowVisible(browser));
    EXPECT_TRUE(PumpUntil([&] { return ScreenShowsCameraPicture(PreviewOnScreen()); }));
}

TEST_F(RecorderApp, CompressionDialogThatShowsLateIsAnsweredToo)
{
    // The driver takes its time: the dialog shows well after the start-up's first tick.
    SetEnvironmentVariableA("VCAM_DIALOG_DELAY_MS", "500");
    Start();
    SetEnvironmentVariableA("VCAM_DIALOG_DELAY_MS", nullptr);
}

TEST_F(RecorderApp, UpdateCheckRunsOnceAtStartAndTheCommandDownloads)
{
    Start();
    const std::string check = std::string("IsNewVersion\tFerrin 2009\t") + UpdateLibrary::kUpdatePage + "\t9\r\n";
    EXPECT_TRUE(PumpUntil([&] { return Log() == check; })) << Log();

    Frame()->SendMessage(WM_COMMAND, 32787, 0);
    const std::string download = std::string("DownNewVersion\tFerrin 2009\t") + UpdateLibrary::kUpdatePage + "\t9\r\n";
    EXPECT_EQ(Log(), check + download);
}

TEST_F(RecorderApp, AboutCommandShowsTheAboutBox)
{
    Start();
    std::string title, line;
    std::thread closer([&] {
        WaitUntil([&] { return !ProcessWindows(GetCurrentProcessId(), "#32770", "关于Ferrin 2009 ").empty(); });
        for (HWND box : ProcessWindows(GetCurrentProcessId(), "#32770", "关于Ferrin 2009 ")) {
            title = WindowText(box);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
    });
    Frame()->SendMessage(WM_COMMAND, 57664, 0);
    closer.join();
    EXPECT_EQ(title, "关于Ferrin 2009 ");
}

TEST_F(RecorderApp, TrayToggleFollowsTheShowSetting)
{
    Start();
    CMainFrame* frame = Frame();
    const struct {
        const char* show;  // [窗口] show; null: absent
        bool hidden;       // the window is hidden into the notification area
    } cases[] = {{"1", true}, {nullptr, false}, {"0", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.show ? c.show : "(absent)");
        m_config.Set("窗口", "show", c.show);
        frame->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
        PumpMessages(100);
        EXPECT_EQ(!IsWindowVisible(frame->m_hWnd), c.hidden);
        EXPECT_EQ(TrayIconShown(Frame()->m_hWnd), c.hidden);
        if (!c.hidden) {
            EXPECT_TRUE(IsIconic(frame->m_hWnd));
        }
        if (c.hidden) {
            // A double click on the icon brings the window back; the icon stays.
            frame->SendMessage(1034, 153, WM_LBUTTONDBLCLK);
            EXPECT_TRUE(IsWindowVisible(frame->m_hWnd));
            EXPECT_TRUE(TrayIconShown(Frame()->m_hWnd));
        }
        frame->ShowWindow(SW_SHOWNORMAL);
    }
}

TEST_F(RecorderApp, ShowHideCommandHidesAndBringsBackCentred)
{
    Start();
    CMainFrame* frame = Frame();
    m_config.Set("窗口", "show", "1");
    frame->SendMessage(WM_COMMAND, 32809, 0);
    EXPECT_FALSE(IsWindowVisible(frame->m_hWnd));
    EXPECT_TRUE(TrayIconShown(Frame()->m_hWnd));
    frame->SendMessage(WM_COMMAND, 32809, 0);
    EXPECT_TRUE(IsWindowVisible(frame->m_hWnd));
    EXPECT_FALSE(IsIconic(frame->m_hWnd));
    EXPECT_FALSE(TrayIconShown(Frame()->m_hWnd));
}

TEST_F(RecorderApp, MinimiseWithLowBitsSetDoesNotToggle)
{
    Start();
    CMainFrame* frame = Frame();
    m_config.Set("窗口", "show", "1");
    frame->SendMessage(WM_SYSCOMMAND, 61473, 0);
    PumpMessages(100);
    EXPECT_FALSE(TrayIconShown(Frame()->m_hWnd));
    EXPECT_TRUE(IsWindowVisible(frame->m_hWnd));
}

namespace {

// Set when a dialog's modal loop on this thread first waits for input: the
// dialog manager then tells the owner (WM_ENTERIDLE), and by then the dialog's
// start-up, hot keys included, is over.
std::atomic<bool> g_dialogIdle{false};

LRESULT CALLBACK WatchDialogIdle(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (sent->message == WM_ENTERIDLE && sent->wParam == MSGF_DIALOGBOX)
            g_dialogIdle = true;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

// The full-screen mode runs modally from the view's command; a driver thread
// presses the keys while this thread runs the dialog.
class FullScreen : public RecorderApp {
protected:
    void Run(const std::function<void()>& drive)
    {
        Start();
        g_dialogIdle = false;
        HHOOK idleWatch = SetWindowsHookExA(WH_CALLWNDPROC, WatchDialogIdle, nullptr, GetCurrentThreadId());
        std::thread driver([&] {
            // Open means armed: the dialog holds Esc once its hot keys are
            // registered. Its keys are looked at only after its start-up, since
            // looking takes a key for a moment and a dialog registering that
            // key at the same moment would go without it.
            m_opened = WaitUntil([] { return !ProcessWindows(GetCurrentProcessId(), "#32770", "全屏拍摄").empty(); }) &&
                       WaitUntil([] { return g_dialogIdle.load(); }) &&
                       WaitUntil([] { return HotKeyHeld(VK_ESCAPE); });
            if (m_opened)
                drive();
            PressKey(VK_ESCAPE);
            m_closedByEsc =
                WaitUntil([] { return ProcessWindows(GetCurrentProcessId(), "#32770", "全屏拍摄").empty(); });
            // Never leave the modal dialog hanging: a close does what Esc does.
            if (!m_closedByEsc)
                for (HWND dialog : ProcessWindows(GetCurrentProcessId(), "#32770", "全屏拍摄"))
                    PostMessageA(dialog, WM_CLOSE, 0, 0);
        });
        View()->SendMessage(WM_COMMAND, 32785, 0);
        driver.join();
        UnhookWindowsHookEx(idleWatch);
        EXPECT_TRUE(m_opened);
    }
    std::string PhotoCountNote() const
    {
        return std::to_string(FilesIn(m_photos, "*.bmp").size());
    }
    std::string VideoCountNote() const
    {
        return std::to_string(FilesIn(m_videos, "*.avi").size());
    }
    // The texts of the boxes shown after `key`, up to the stop that F9 says
    // (the keys are handled in the order they were pressed).
    std::vector<std::string> BoxesAfter(UINT key)
    {
        BoxWatcher boxes("video");
        Run([&] {
            PressKey(key);
            PressKey(VK_F9);
            boxes.WaitFor(kStopped);
        });
        std::vector<std::string> texts;
        for (const auto& box : boxes.Boxes())
            texts.push_back(box.text);
        return texts;
    }

    bool m_opened = false;
    bool m_closedByEsc = false;
};

TEST_F(FullScreen, F5WritesAPhotoThenSaysSo)
{
    BoxWatcher boxes("video");
    boxes.OnSeen([this] { return PhotoCountNote(); });
    bool fullScreenPicture = false;
    std::string screenSeen;
    Run([&] {
        RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        for (HWND dialog : ProcessWindows(GetCurrentProcessId(), "#32770", "全屏拍摄"))
            SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        fullScreenPicture = WaitUntil([&] { return ScreenShowsCameraPicture(screen); });
        screenSeen = DescribeScreen(screen);
        for (HWND dialog : ProcessWindows(GetCurrentProcessId(), "#32770", "全屏拍摄")) {
            RECT where;
            GetWindowRect(dialog, &where);
            screenSeen += " dialog " + std::to_string(where.left) + "," + std::to_string(where.top) + " - " +
                          std::to_string(where.right) + "," + std::to_string(where.bottom) + " style " +
                          std::to_string(GetWindowLongPtrA(dialog, GWL_STYLE));
        }
        PressKey(VK_F5);
        boxes.WaitFor(kSaved);
    });
    EXPECT_TRUE(fullScreenPicture) << screenSeen;
    ASSERT_EQ(boxes.Count(kSaved), 1u);
    EXPECT_EQ(boxes.Boxes()[0].note, "1");  // the file was there before the message
    EXPECT_EQ(FilesIn(m_photos, "*.bmp").size(), 1u);
}

TEST_F(FullScreen, F7WritesThePhotoOnlyAfterTheDelay)
{
    BoxWatcher boxes("video");
    boxes.OnSeen([this] { return PhotoCountNote(); });
    size_t beforeTimer = 99;
    DWORD pressed = 0;
    Run([&] {
        PressKey(VK_F7);
        pressed = GetTickCount();
        Sleep(400);
        beforeTimer = FilesIn(m_photos, "*.bmp").size();
        boxes.WaitFor(kSaved);
    });
    EXPECT_EQ(beforeTimer, 0u);
    ASSERT_EQ(boxes.Count(kSaved), 1u);
    EXPECT_EQ(boxes.Boxes()[0].note, "1");
    EXPECT_GE(boxes.Boxes()[0].tick - pressed, 900u);  // the delay of one second
}

TEST_F(FullScreen, F9BeforeTheTimerCancelsTheShot)
{
    m_config.Set("定时", "1", "2");
    BoxWatcher boxes("video");
    Run([&] {
        PressKey(VK_F7);
        Sleep(300);
        PressKey(VK_F9);
        boxes.WaitFor(kStopped);
        Sleep(2500);  // past the moment the timer would have fired
    });
    EXPECT_EQ(boxes.Count(kStopped), 1u);
    EXPECT_EQ(boxes.Count(kSaved), 0u);
    EXPECT_TRUE(FilesIn(m_photos, "*.bmp").empty());
}

TEST_F(FullScreen, EscClosesAndTheViewPreviewsAgain)
{
    bool keysHeldInside = false;
    Run([&] { keysHeldInside = HotKeyHeld(VK_ESCAPE) && HotKeyHeld(VK_F5); });
    EXPECT_TRUE(keysHeldInside);
    EXPECT_TRUE(m_closedByEsc) << "the dialog was still open after Esc";
    EXPECT_TRUE(ProcessWindows(GetCurrentProcessId(), "#32770", "全屏拍摄").empty());
    // The view's engine and hot keys are back; Esc is free again.
    EXPECT_TRUE(HotKeyHeld(VK_F5));
    EXPECT_FALSE(HotKeyHeld(VK_ESCAPE));
    EXPECT_TRUE(PumpUntil([&] { return ScreenShowsCameraPicture(PreviewOnScreen()); }));
}

TEST_F(FullScreen, PhotoWithoutItsFolderIsNotReported)
{
    m_config.Set("照相", "1", (m_temp / "no such folder").c_str());
    EXPECT_EQ(BoxesAfter(VK_F5), std::vector<std::string>{kStopped});
    EXPECT_TRUE(FilesIn(m_photos, "*.bmp").empty());
}

TEST_F(FullScreen, PhotoWhoseFrameNeverCameIsNotReported)
{
    // The camera holds the grabbed frame back well past the engine's 2000 ms wait,
    // so that a loaded machine cannot bring it in time.
    SetEnvironmentVariableA("VCAM_GRAB_DELAY_MS", "6000");
    const std::vector<std::string> boxes = BoxesAfter(VK_F5);
    SetEnvironmentVariableA("VCAM_GRAB_DELAY_MS", nullptr);
    EXPECT_EQ(boxes, std::vector<std::string>{kStopped});
    EXPECT_TRUE(FilesIn(m_photos, "*.bmp").empty());
}

TEST_F(FullScreen, RecordingWithoutItsFolderIsNotReported)
{
    m_config.Set("录相", "1", (m_temp / "no such folder").c_str());
    EXPECT_EQ(BoxesAfter(VK_F6), std::vector<std::string>{kStopped});
}

TEST_F(FullScreen, F6StartsARecordingThenSaysSoAndF9EndsIt)
{
    BoxWatcher boxes("video");
    boxes.OnSeen([this] { return VideoCountNote(); });
    Run([&] {
        PressKey(VK_F6);
        boxes.WaitFor(kRecording);
        PressKey(VK_F9);
        boxes.WaitFor(kStopped);
    });
    ASSERT_EQ(boxes.Count(kRecording), 1u);
    EXPECT_EQ(boxes.Boxes()[0].note, "1") << "the recording ran before the message said so";
    const std::vector<std::string> files = FilesIn(m_videos, "*.avi");
    ASSERT_EQ(files.size(), 1u);
    const std::string avi = ReadWholeFile(files[0]);
    ASSERT_GT(avi.size(), 12u);
    EXPECT_EQ(avi.substr(0, 4), "RIFF");
    EXPECT_EQ(avi.substr(8, 4), "AVI ");
}

TEST_F(FullScreen, F8SaysTheDelayThenRecordsWhenItHasPassed)
{
    BoxWatcher boxes("video");
    boxes.OnSeen([this] { return VideoCountNote(); });
    Run([&] {
        PressKey(VK_F8);
        boxes.WaitFor(kRecordingStarted);
        PressKey(VK_F9);
        boxes.WaitFor(kStopped);
    });
    const auto seen = boxes.Boxes();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].text, "1秒后开始录像");
    EXPECT_EQ(seen[0].note, "0");
    EXPECT_EQ(seen[1].text, kRecordingStarted);
    EXPECT_EQ(seen[1].note, "1") << "the recording ran before the message said so";
    EXPECT_GE(seen[1].tick - seen[0].tick, 900u);  // the delay of one second
    EXPECT_EQ(seen[2].text, kStopped);
}

TEST_F(FullScreen, F4HidesTheMainWindowAndShowsItAgain)
{
    m_config.Set("窗口", "show", "1");
    bool hidden = false, iconShown = false, shownAgain = false;
    Run([&] {
        HWND frame = Frame()->m_hWnd;
        PressKey(VK_F4);
        hidden = WaitUntil([&] { return !IsWindowVisible(frame); });
        iconShown = TrayIconShown(frame);
        PressKey(VK_F4);
        shownAgain = WaitUntil([&] { return IsWindowVisible(frame) != FALSE; });
    });
    EXPECT_TRUE(hidden);
    EXPECT_TRUE(iconShown);
    EXPECT_TRUE(shownAgain);
    EXPECT_FALSE(TrayIconShown(Frame()->m_hWnd));
}

TEST_F(RecorderApp, F4OfTheViewHidesTheMainWindowAndShowsItAgain)
{
    m_config.Set("窗口", "show", "1");
    Start();
    HWND frame = Frame()->m_hWnd;
    PressKey(VK_F4);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(frame); }));
    EXPECT_TRUE(TrayIconShown(Frame()->m_hWnd));
    PressKey(VK_F4);
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(frame) != FALSE; }));
    EXPECT_FALSE(TrayIconShown(Frame()->m_hWnd));
}
