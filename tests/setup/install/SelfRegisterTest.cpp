// A component installed with REGISTER=True is registered through its own entry
// point, and the uninstall unregisters it before the file goes.
#include "InstallFixture.h"

#include "TStringList.h"
#include "uSelfRegister.h"
#include "uOstrelUninstall.h"
#include "uSystemFolders.h"

class SelfRegisterTest : public InstallFixture {
protected:
    bool Registered(const std::string& path)
    {
        bool found = false;
        ReadString(HKEY_CURRENT_USER, "Software\\FerrinTests\\SelfRegistered", path, &found);
        return found;
    }
};

TEST_F(SelfRegisterTest, ARegisteredComponentIsUnregisteredByTheUninstall)
{
    const std::string component = App() + "\\component.dll";
    TInstallDriver driver(root_.Path());
    driver.Project = ProjectLines(true);
    TSetupRecord record = FileRecord(component, "", {"REGISTER=True"});
    record.PayloadFile = BesideTestProgram("selfregister_probe.dll");
    driver.Objects = {record};
    driver.Install();

    EXPECT_TRUE(Registered(component));
    TStringList log;
    log.LoadFromFile(uSystemFolders::SpecialFolders().CommonApplicationData + "\\Ostrel Install\\" + id_);
    EXPECT_GT(log.IndexOf("REGSVR=" + component), log.IndexOf("FILE=" + component));

    TOstrelUninstall uninstall(nullptr);
    uninstall.SetLogFile(id_);
    uninstall.Uninstall();
    EXPECT_FALSE(Registered(component));
    EXPECT_FALSE(FolderExists(App()));
}

namespace {

LRESULT CALLBACK WatcherProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return message == WM_APP + 7 ? 42 : DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

TEST_F(SelfRegisterTest, ARegisteringProgramIsWaitedForWithTheWindowsAlive)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WatcherProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "FerrinRegisterWatcher";
    RegisterClassA(&windowClass);
    HWND watcher = CreateWindowA("FerrinRegisterWatcher", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                 windowClass.hInstance, nullptr);
    ASSERT_NE(watcher, nullptr);
    CreateDirectoryA(App().c_str(), nullptr);
    const std::string server = App() + "\\server.exe";
    ASSERT_TRUE(CopyFileA(BesideTestProgram("register_probe.exe").c_str(), server.c_str(), FALSE));

    uSelfRegister::RegisterComponent(server, uSelfRegister::TRegisterMode::Register);
    DestroyWindow(watcher);
    UnregisterClassA("FerrinRegisterWatcher", windowClass.hInstance);
    EXPECT_EQ(ReadWholeFile(server + ".answer"), "answered /RegServer");
    RemoveTree(App());
}
