// video.exe started as a user starts it, beside the virtual camera: its
// window shows the camera's picture inside the preview frame, read back from
// the screen, and the Exit command ends it with code 16.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ShellFixtures.h"
#include "TempFolder.h"

namespace {

struct Process {
    PROCESS_INFORMATION info = {};
    ~Process()
    {
        if (info.hProcess) {
            if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(info.hProcess, 1);
            CloseHandle(info.hProcess);
            CloseHandle(info.hThread);
        }
    }
};

HWND FindProcessWindow(DWORD processId, const char* title)
{
    std::vector<HWND> found = ProcessWindows(processId, nullptr, title);
    return found.empty() ? nullptr : found.front();
}

}  // namespace

TEST(VideoProgram, StartsPreviewingTheCameraAndExitsWith16)
{
    ScopedConfig config;  // seeded by the program itself
    const std::string program = ScopedConfig::ProgramFolder() + "\\video.exe";
    ASSERT_TRUE(FileExists(program));

    // The camera's library must win over the system's in the new process too.
    SetEnvironmentVariableA("WINEDLLOVERRIDES", "avicap32=n");
    TempFolder temp;
    const std::string dialogLog = temp / "dialogs.log";
    SetEnvironmentVariableA("VCAM_DIALOG_LOG", dialogLog.c_str());
    auto loggedDialogs = [&] { return FileExists(dialogLog) ? ReadWholeFile(dialogLog) : std::string(); };
    Process video;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + program + "\"";
    ASSERT_TRUE(CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                               ScopedConfig::ProgramFolder().c_str(), &startup, &video.info));
    const DWORD id = video.info.dwProcessId;

    HWND frame = nullptr;
    const bool shown =
        WaitUntil([&] { return (frame = FindProcessWindow(id, "Ferrin 2009")) != nullptr; });
    if (!shown) {
        for (HWND w : ProcessWindows(id, nullptr, nullptr))
            ADD_FAILURE() << "window of video.exe: " << WindowText(w) << ": "
                          << WindowText(GetDlgItem(w, 0xFFFF));
        DWORD code = 0;
        GetExitCodeProcess(video.info.hProcess, &code);
        ADD_FAILURE() << "exit code " << code;
    }
    ASSERT_TRUE(shown);
    // The start-up fills and closes the compression dialog by itself: the
    // camera notes what it was left with when it closed.
    const std::string answered = std::string("compression\tMicrosoft Video 1\t75\r\n");
    EXPECT_TRUE(WaitUntil([&] { return loggedDialogs() == answered; })) << loggedDialogs();
    EXPECT_EQ(FindProcessWindow(id, "视频压缩"), nullptr);

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
    ASSERT_EQ(WaitForSingleObject(video.info.hProcess, kWaitBoundMs), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeProcess(video.info.hProcess, &code);
    EXPECT_EQ(code, 16u);
}
