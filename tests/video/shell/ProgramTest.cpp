// video.exe started as a user starts it, beside the virtual camera: its
// window shows the camera's picture inside the preview frame, read back from
// the screen, the Exit command ends it with code 16, and quitting from the
// notification-area menu leaves no icon behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "OwnedHandles.h"
#include "ScopedConfig.h"
#include "ShellFixtures.h"
#include "TempFolder.h"
#include "TopLevelWindows.h"
#include "resource.h"

namespace {

// video.exe started by the test; one still running at the end is ended.
struct Process {
    TOwnedHandle process, thread;
    ~Process()
    {
        if (process.IsValid() && WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT)
            TerminateProcess(process.Get(), 1);
    }
};

HWND FindProcessWindow(DWORD processId, const char* title)
{
    std::vector<HWND> found = ProcessWindows(processId, nullptr, title);
    return found.empty() ? nullptr : found.front();
}

// Starts video.exe beside the camera and waits until its main window shows
// and the start-up has filled and closed the compression dialog.
HWND StartVideo(Process& video)
{
    const std::string program = ScopedConfig::ProgramFolder() + "\\video.exe";
    EXPECT_TRUE(FileExists(program));
    // The camera's library must win over the system's in the new process too.
    SetEnvironmentVariableA("WINEDLLOVERRIDES", "avicap32=n");
    // The camera notes what each compression dialog was left with when it closed.
    TempFolder temp;
    const std::string dialogLog = temp / "dialogs.log";
    SetEnvironmentVariableA("VCAM_DIALOG_LOG", dialogLog.c_str());
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + program + "\"";
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        ScopedConfig::ProgramFolder().c_str(), &startup, &started))
        return nullptr;
    video.process.Reset(started.hProcess);
    video.thread.Reset(started.hThread);
    const DWORD id = started.dwProcessId;
    HWND frame = nullptr;
    if (!WaitUntil([&] { return (frame = FindProcessWindow(id, "Ferrin 2009")) != nullptr; })) {
        for (HWND w : ProcessWindows(id))
            ADD_FAILURE() << "window of video.exe: " << WindowText(w) << ": "
                          << WindowText(GetDlgItem(w, 0xFFFF));
        DWORD code = 0;
        GetExitCodeProcess(video.process.Get(), &code);
        ADD_FAILURE() << "exit code " << code;
        return nullptr;
    }
    // The start-up fills and closes the compression dialog by itself.
    auto logged = [&] { return FileExists(dialogLog) ? ReadWholeFile(dialogLog) : std::string(); };
    const std::string answered = "compression\tMicrosoft Video 1\t75\r\n";
    EXPECT_TRUE(WaitUntil([&] { return logged() == answered; })) << logged();
    EXPECT_EQ(FindProcessWindow(id, "视频压缩"), nullptr);
    SetEnvironmentVariableA("VCAM_DIALOG_LOG", nullptr);
    return frame;
}

}  // namespace

TEST(VideoProgram, StartsPreviewingTheCameraAndExitsWith16)
{
    ScopedConfig config;  // seeded by the program itself
    Process video;
    HWND frame = StartVideo(video);
    ASSERT_NE(frame, nullptr);

    HWND view = GetDlgItem(frame, 0xE900);
    ASSERT_NE(view, nullptr);
    HWND preview = GetDlgItem(view, 1002);
    ASSERT_NE(preview, nullptr);
    SetWindowPos(frame, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RECT rect;
    GetWindowRect(preview, &rect);
    EXPECT_TRUE(WaitUntil([&] { return ScreenShowsCameraPicture(rect); }));

    // The default folders were made beside the program.
    EXPECT_TRUE(FolderExists(ScopedConfig::ProgramFolder() + "\\mypic"));

    PostMessageA(frame, WM_COMMAND, 32802, 0);
    ASSERT_EQ(WaitForSingleObject(video.process.Get(), kWaitBoundMs), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeProcess(video.process.Get(), &code);
    EXPECT_EQ(code, 16u);
}

TEST(VideoProgram, QuittingFromTheTrayMenuTakesTheIconAway)
{
    ScopedConfig config;
    config.Set("窗口", "show", "1");
    Process video;
    HWND frame = StartVideo(video);
    ASSERT_NE(frame, nullptr);

    // Minimised into the notification area.
    PostMessageA(frame, WM_COMMAND, 32809, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(frame); }));
    ASSERT_TRUE(WaitUntil([&] { return TrayIconShown(frame); }));

    // The command of the icon's menu item 退出. (The menu itself opens only while
    // the program holds the foreground, which any window another test shows on the
    // shared display can take; TrayIconOnWindow covers the menu.)
    PostMessageA(frame, WM_COMMAND, ID_APP_EXIT_VIEW, 0);
    ASSERT_EQ(WaitForSingleObject(video.process.Get(), kWaitBoundMs), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeProcess(video.process.Get(), &code);
    EXPECT_EQ(code, 16u);
    EXPECT_FALSE(TrayIconShown(frame)) << "the icon outlived the program";
}
