// The driver dialogs requested through CVideoCapture: posted to the capture
// thread, modal there, while the caller goes on.
#include <gtest/gtest.h>

#include "CaptureFixtures.h"
#include "MessagePump.h"
#include "VideoCapture.h"

namespace {

HWND WaitForDialog(const char* title)
{
    HWND dialog = nullptr;
    PumpUntil([&] { return (dialog = FindOwnWindow("#32770", title)) != nullptr && IsWindowVisible(dialog); });
    return dialog;
}

HWND ChildOfClass(HWND dialog, const char* className, const char* text = nullptr)
{
    return FindWindowExA(dialog, nullptr, className, text);
}

bool Closes(HWND dialog)
{
    return PumpUntil([&] { return !IsWindow(dialog); });
}

using VideoCaptureDialogs = ThreeDriversFirstRefusing;
}  // namespace

TEST_F(VideoCaptureDialogs, CompressionDialogRunsOnTheCaptureThreadAndKeepsWhatItWasGiven)
{
    HostWindow host;
    CVideoCapture capture;
    ASSERT_NE(0, capture.Create(0));
    ASSERT_NE(0, capture.AttachPreview(host.Handle(), 0, 0, 320, 240, 30));

    ASSERT_NE(0, capture.ShowCompressionDialog()) << "posted; the call does not wait for the dialog";
    HWND dialog = WaitForDialog("视频压缩");
    ASSERT_NE(nullptr, dialog) << "the dialog opened while this thread went on pumping";
    EXPECT_NE(GetCurrentThreadId(), GetWindowThreadProcessId(dialog, nullptr));
    EXPECT_FALSE(IsWindowEnabled(host.Handle())) << "modal to the window that shows the preview";

    // Filled in by name, as the recording view does.
    HWND list = ChildOfClass(dialog, "ComboBox");
    HWND quality = ChildOfClass(dialog, "ScrollBar");
    HWND ok = ChildOfClass(dialog, "Button", "确定");
    ASSERT_NE(nullptr, list);
    ASSERT_NE(nullptr, quality);
    ASSERT_NE(nullptr, ok);
    const LRESULT video1 = SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>("Microsoft Video 1"));
    ASSERT_GE(video1, 0);
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(video1), 0);
    SetScrollPos(quality, SB_CTL, 75, TRUE);
    SendMessageA(ok, BM_CLICK, 0, 0);
    ASSERT_TRUE(Closes(dialog));
    EXPECT_TRUE(IsWindowEnabled(host.Handle()));

    ASSERT_NE(0, capture.ShowCompressionDialog());
    dialog = WaitForDialog("视频压缩");
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(video1, SendMessageA(ChildOfClass(dialog, "ComboBox"), CB_GETCURSEL, 0, 0));
    EXPECT_EQ(75, GetScrollPos(ChildOfClass(dialog, "ScrollBar"), SB_CTL));
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(Closes(dialog));
}

TEST_F(VideoCaptureDialogs, FormatDialogOpensAndTheCaptureGoesOnAfterwards)
{
    HostWindow host;
    CVideoCapture capture;
    ASSERT_NE(0, capture.Create(0));
    ASSERT_NE(0, capture.AttachPreview(host.Handle(), 0, 0, 320, 240, 30));

    ASSERT_NE(0, capture.ShowFormatDialog());
    HWND dialog = WaitForDialog("视频格式");
    ASSERT_NE(nullptr, dialog);
    EXPECT_NE(GetCurrentThreadId(), GetWindowThreadProcessId(dialog, nullptr));
    SendMessageA(ChildOfClass(dialog, "Button", "确定"), BM_CLICK, 0, 0);
    ASSERT_TRUE(Closes(dialog));

    BYTE* buffer = nullptr;
    DWORD size = 0;
    EXPECT_EQ(1, capture.GrabFrame(&buffer, 0, &size));
    delete[] buffer;
}

TEST_F(VideoCaptureDialogs, DestroyWhileADialogIsOpenEndsIt)
{
    HostWindow host;
    CVideoCapture capture;
    ASSERT_NE(0, capture.Create(0));
    ASSERT_NE(0, capture.AttachPreview(host.Handle(), 0, 0, 320, 240, 30));
    ASSERT_NE(0, capture.ShowCompressionDialog());
    HWND dialog = WaitForDialog("视频压缩");
    ASSERT_NE(nullptr, dialog);
    capture.Destroy();
    EXPECT_TRUE(Closes(dialog));
}
