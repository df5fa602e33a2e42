// The options dialog over config.ini beside the program: the defaults its
// reader seeds, OK writing, Cancel leaving, bad entries refused, browsing.
#include "FolderBrowserTree.h"
#include "OptionsDlg.h"
#include "ScopedConfig.h"
#include "TempFolder.h"
#include "TopLevelWindows.h"
#include "VideoSettings.h"
#include "ViewFixtures.h"
#include "Waits.h"
#include "res/resource.h"

#include <gtest/gtest.h>

using namespace VideoSettings;

namespace {

std::string ItemText(HWND dialog, int id)
{
    return WindowText(GetDlgItem(dialog, id));
}

void SetItemText(HWND dialog, int id, const std::string& text)
{
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// The first visible dialog owned by `owner`, or null when none came.
HWND WaitForOwnedDialog(HWND owner)
{
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND dialog : ThreadWindows(GetWindowThreadProcessId(owner, nullptr), "#32770")) {
            if (GetWindow(dialog, GW_OWNER) == owner)
                found = dialog;
        }
        return found != nullptr;
    });
    return found;
}

// Returns once `window`'s thread has handled every message sent to it before:
// what that thread did in answer is done.
void RoundTrip(HWND window)
{
    SendMessageA(window, WM_NULL, 0, 0);
}

// The dialog runs over a main window, as in the program: its message boxes
// then belong to the dialog whichever window of the display is active.
class OptionsDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_mainWindow.CreateEx(0, nullptr, "main", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
        m_app.m_app.m_pMainWnd = &m_mainWindow;
    }
    void TearDown() override
    {
        m_app.m_app.m_pMainWnd = nullptr;
        m_mainWindow.DestroyWindow();
    }

    // Runs the dialog with `script` acting on it from the watcher's thread.
    INT_PTR Run(DialogWatcher::Action script)
    {
        DialogWatcher watcher;
        watcher.On(kOptionsTitle, std::move(script));
        COptionsDlg dialog(&m_mainWindow);
        return dialog.DoModal();
    }

    ScopedConfig m_config;
    TempFolder m_temp;
    ScopedApp m_app;
    CWnd m_mainWindow;
};

}  // namespace

TEST_F(OptionsDlgTest, ReaderSeedsMissingSettingsWithTheDefaultsAndKeepsTheOthers)
{
    const std::string program = ScopedConfig::ProgramFolder();
    RemoveTree(program + "\\mypic");
    RemoveTree(program + "\\mycap");
    m_config.Set(kVideoSection, "1", m_temp.Path().c_str());

    std::string photo, video, delay;
    EXPECT_EQ(Run([&](HWND dialog) {
                  photo = ItemText(dialog, IDC_PHOTO_FOLDER);
                  video = ItemText(dialog, IDC_VIDEO_FOLDER);
                  delay = ItemText(dialog, IDC_DELAY);
                  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
              }),
              IDCANCEL);
    EXPECT_EQ(photo, program + "\\mypic");
    EXPECT_EQ(video, m_temp.Path());
    EXPECT_EQ(delay, "5");
    EXPECT_EQ(m_config.Get(kPhotoSection, "1"), program + "\\mypic");
    EXPECT_EQ(m_config.Get(kVideoSection, "1"), m_temp.Path());
    EXPECT_EQ(m_config.Get(kTimerSection, "1"), "5");
    EXPECT_TRUE(FolderExists(program + "\\mypic"));
    EXPECT_FALSE(FolderExists(program + "\\mycap"));
    RemoveTree(program + "\\mypic");
}

TEST_F(OptionsDlgTest, OkWritesTheEntriesAndCancelLeavesTheFile)
{
    const std::string photos = m_temp / "p", videos = m_temp / "v";
    CreateDirectoryA(photos.c_str(), nullptr);
    CreateDirectoryA(videos.c_str(), nullptr);
    m_config.Set(kPhotoSection, "1", m_temp.Path().c_str());
    m_config.Set(kVideoSection, "1", m_temp.Path().c_str());
    m_config.Set(kTimerSection, "1", "5");

    auto fill = [&](UINT button) {
        return [&, button](HWND dialog) {
            SetItemText(dialog, IDC_PHOTO_FOLDER, photos);
            SetItemText(dialog, IDC_VIDEO_FOLDER, videos + "\\");
            SetItemText(dialog, IDC_DELAY, "12");
            PostMessageA(dialog, WM_COMMAND, button, 0);
        };
    };
    EXPECT_EQ(Run(fill(IDCANCEL)), IDCANCEL);
    EXPECT_EQ(m_config.Get(kPhotoSection, "1"), m_temp.Path());
    EXPECT_EQ(m_config.Get(kTimerSection, "1"), "5");

    EXPECT_EQ(Run(fill(IDOK)), IDOK);
    EXPECT_EQ(m_config.Get(kPhotoSection, "1"), photos);
    EXPECT_EQ(m_config.Get(kVideoSection, "1"), videos);
    EXPECT_EQ(m_config.Get(kTimerSection, "1"), "12");
}

TEST_F(OptionsDlgTest, BadEntriesAreRefusedWithAMessageAndTheDialogStays)
{
    m_config.Set(kPhotoSection, "1", m_temp.Path().c_str());
    m_config.Set(kVideoSection, "1", m_temp.Path().c_str());
    m_config.Set(kTimerSection, "1", "5");
    struct Case {
        int id;
        std::string value;
        const char* message;
    } cases[] = {
        {IDC_PHOTO_FOLDER, m_temp / "missing", "照片保存路径不存在,请重新选择!"},
        {IDC_VIDEO_FOLDER, "", "录像保存路径不存在,请重新选择!"},
        {IDC_DELAY, "-3", "定时时间应为0到86400之间的整数(秒)!"},
        {IDC_DELAY, "100000", "定时时间应为0到86400之间的整数(秒)!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        std::string message;
        bool stayed = false;
        EXPECT_EQ(Run([&](HWND dialog) {
                      SetItemText(dialog, c.id, c.value);
                      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
                      HWND box = WaitForOwnedDialog(dialog);
                      message = box ? ItemText(box, 0xFFFF) : "";
                      PostMessageA(box, WM_COMMAND, IDOK, 0);
                      WaitUntil([&] { return !IsWindow(box); });
                      RoundTrip(dialog);
                      stayed = IsWindowVisible(dialog) != FALSE;
                      PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                  }),
                  IDCANCEL);
        EXPECT_EQ(message, c.message);
        EXPECT_TRUE(stayed);
        EXPECT_EQ(m_config.Get(kPhotoSection, "1"), m_temp.Path());
        EXPECT_EQ(m_config.Get(kTimerSection, "1"), "5");
    }
}

TEST_F(OptionsDlgTest, BrowseButtonsPutTheChosenFolderInTheirEdit)
{
    const std::string chosen = m_temp / "chosen";
    CreateDirectoryA(chosen.c_str(), nullptr);
    m_config.Set(kPhotoSection, "1", m_temp.Path().c_str());
    m_config.Set(kVideoSection, "1", m_temp.Path().c_str());
    m_config.Set(kTimerSection, "1", "5");
    for (int button : {IDC_PHOTO_BROWSE, IDC_VIDEO_BROWSE}) {
        SCOPED_TRACE(button);
        const int edit = button == IDC_PHOTO_BROWSE ? IDC_PHOTO_FOLDER : IDC_VIDEO_FOLDER;
        std::string before, after;
        bool browsed = false, chose = false;
        Run([&](HWND dialog) {
            before = ItemText(dialog, edit);
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
            HWND browser = WaitForOwnedDialog(dialog);
            browsed = browser != nullptr;
            if (browser) {
                chose = SelectInFolderBrowserTree(browser, chosen);
                PostMessageA(browser, WM_COMMAND, IDOK, 0);
                WaitUntil([&] { return !IsWindow(browser) && ItemText(dialog, edit) != before; });
            }
            after = ItemText(dialog, edit);
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        EXPECT_TRUE(browsed);
        EXPECT_TRUE(chose);
        EXPECT_EQ(before, m_temp.Path());
        EXPECT_EQ(after, chosen);
    }
}
