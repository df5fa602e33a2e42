// The recording view on a machine without a capture device.
#include "ViewHost.h"

#include "FileListing.h"
#include "HotKeyTable.h"
#include "HotKeys.h"
#include "MessagePump.h"
#include "VideoSettings.h"
#include "res/resource.h"

using VideoViewNoDeviceTest = ViewHostTest;

TEST_F(VideoViewNoDeviceTest, ShowsTheMessageAndDisablesTheShotsButKeepsTheHotKeys)
{
    // The virtual camera reads its drivers when asked for them: none here.
    SetEnvironmentVariableA("VCAM_DRIVERS", "none");
    Open(false);
    ASSERT_TRUE(PumpUntil([&] { return !m_watcher->Seen().empty(); }));
    EXPECT_EQ(m_watcher->Sequence(), (std::vector<std::string>{"无视频源,请检查是否正确连接"}));
    for (int id : {IDC_PHOTO, IDC_RECORD, IDC_TIMED_PHOTO, IDC_TIMED_RECORD, IDC_STOP})
        EXPECT_FALSE(IsEnabled(id)) << id;
    for (UINT key : {VK_F4, VK_F5, VK_F6, VK_F7, VK_F8, VK_F9})
        EXPECT_TRUE(HotKeyHeld(key)) << key;
    EXPECT_EQ(FindWindowA(nullptr, "视频压缩"), nullptr);

    // A photo or recording asked for by hot key produces no file and no
    // count or recording state.
    const std::string noPhotos = PaneText(ID_INDICATOR_PHOTOS);
    SendMessageA(m_view->m_hWnd, WM_HOTKEY, HotKeyTable::kPhoto, MAKELPARAM(0, VK_F5));
    SendMessageA(m_view->m_hWnd, WM_HOTKEY, HotKeyTable::kRecord, MAKELPARAM(0, VK_F6));
    PumpMessages(200);
    EXPECT_TRUE(FilesIn(m_photos, "*").size() == 2u) << "only . and ..";
    EXPECT_TRUE(FilesIn(m_videos, "*").size() == 2u);
    EXPECT_EQ(PaneText(ID_INDICATOR_PHOTOS), noPhotos);
    EXPECT_FALSE(IsEnabled(IDC_STOP));
}
