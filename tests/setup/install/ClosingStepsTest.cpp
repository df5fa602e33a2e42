// The steps after the last record (the Uninstall entry, the log, Uninstall.exe)
// and the restart-time replacement of a file in use: when one fails, the whole
// install is rolled back and the failure reaches the caller. The change
// notices that end an install reach every window, the installing thread's too.
#include "InstallFixture.h"

#include "BroadcastProbe.h"
#include "Exception.h"
#include "OwnedHandles.h"
#include "PendingRenames.h"
#include "SysUtils.h"
#include "uFileReplacement.h"
#include "uSystemFolders.h"
#include "uWideText.h"

#include <cwctype>

#include <shlwapi.h>

namespace {

const char* const kSessionManager = "System\\CurrentControlSet\\Control\\Session Manager";
const char* const kPendingRenames = "PendingFileRenameOperations";

// Keeps the pending-rename list of the prefix and puts it back afterwards.
class TPendingRenamesGuard {
public:
    TPendingRenamesGuard()
    {
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_ALL_ACCESS, key_.Receive());
        DWORD size = 0;
        saved_ = RegQueryValueExA(key_.Get(), kPendingRenames, nullptr, &type_, nullptr, &size) == ERROR_SUCCESS;
        if (saved_) {
            data_.resize(size);
            RegQueryValueExA(key_.Get(), kPendingRenames, nullptr, &type_, reinterpret_cast<BYTE*>(&data_[0]),
                             &size);
        }
    }
    ~TPendingRenamesGuard()
    {
        if (saved_)
            RegSetValueExA(key_.Get(), kPendingRenames, 0, type_, reinterpret_cast<const BYTE*>(data_.data()),
                           static_cast<DWORD>(data_.size()));
        else
            RegDeleteValueA(key_.Get(), kPendingRenames);
    }
    // A value of the wrong type: the system can add no delayed move to it.
    void Damage()
    {
        const char text[] = "damaged";
        RegSetValueExA(key_.Get(), kPendingRenames, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof(text));
    }

private:
    TOwnedRegKey key_;
    bool saved_ = false;
    DWORD type_ = REG_MULTI_SZ;
    std::string data_;
};

// The copies waiting in the temporary folder for a restart (32 hexadecimal digits, no extension).
int WaitingCopies()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    WIN32_FIND_DATAA found;
    TOwnedFind search(FindFirstFileA((std::string(temp) + "*").c_str(), &found));
    int count = 0;
    if (!search.IsValid())
        return 0;
    do {
        std::string name = found.cFileName;
        if (name.size() == 32 && name.find_first_not_of("0123456789ABCDEF") == std::string::npos)
            ++count;
    } while (FindNextFileA(search.Get(), &found));
    return count;
}

// Whether the restart-time list names the file (by its name, as the list holds
// the system's spelling of the path).
bool ScheduledAtRestart(const std::string& path)
{
    std::wstring name = uWideText::Widen(SysUtils::UpperCase(SysUtils::ExtractFileName(path)));
    for (std::wstring entry : PendingFileRenames()) {
        for (wchar_t& c : entry)
            c = static_cast<wchar_t>(towupper(c));
        if (!name.empty() && entry.size() >= name.size() &&
            entry.compare(entry.size() - name.size(), name.size(), name) == 0)
            return true;
    }
    return false;
}

} // namespace

class ClosingStepsTest : public InstallFixture {
protected:
    std::string LogPath(const std::string& id) const
    {
        return uSystemFolders::SpecialFolders().CommonApplicationData + "\\Ostrel Install\\" + id;
    }
    std::vector<TSetupRecord> Records() const
    {
        return {FileRecord(App() + "\\bin\\app.txt", "application"),
                Record({"OBJECT_TYPE=REGISTRY", "ROOT=HKEY_CURRENT_USER", "KEY=" + TestKey() + "\\App",
                        "VALUES=V=1:x"})};
    }
};

TEST_F(ClosingStepsTest, TheChangeNoticesAreOutWhenTheEngineEndsRightAfterTheInstall)
{
    // With and without the log and uninstaller written while the notices travel.
    for (bool uninstall : {false, true}) {
        SCOPED_TRACE(uninstall);
        // A window of the installing thread: the notices go out from another
        // thread, so the engine's end must let them in rather than hold them up.
        TBroadcastProbe probe;
        ASSERT_NE(probe.Window(), nullptr);
        {
            TInstallDriver driver(root_.Path());
            driver.Project = ProjectLines(uninstall);
            driver.Objects = Records();
            driver.Install();
        }
        EXPECT_EQ(probe.Received(), 1);
        EXPECT_TRUE(FileExists(App() + "\\bin\\app.txt"));
    }
}

TEST_F(ClosingStepsTest, AFailingClosingStepRollsTheWholeInstallBack)
{
    const std::string longId(300, 'L'); // longer than a registry key name may be
    enum TFailure { Entry, Log, Uninstaller };
    for (TFailure failure : {Entry, Log, Uninstaller}) {
        SCOPED_TRACE(failure);
        const std::string id = failure == Entry ? longId : id_;
        TOwnedHandle held;
        if (failure == Uninstaller) {
            CreateDirectoryA(App().c_str(), nullptr);
            WriteWholeFile(App() + "\\Uninstall.exe", "someone else's");
            held.Reset(CreateFileA((App() + "\\Uninstall.exe").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, 0, nullptr));
            ASSERT_TRUE(held.IsValid());
        }
        TInstallDriver driver(root_.Path());
        driver.Project = ProjectLines(true);
        driver.Project.insert(driver.Project.begin(), "PROJECT_ID=" + id);
        driver.Objects = Records();
        if (failure == Log)
            uFileReplacement::SetDiskSpaceForTests(0);
        EXPECT_THROW(driver.Install(), Exception);
        uFileReplacement::SetDiskSpaceForTests(-1);
        held.Reset();

        EXPECT_GT(driver.StartCancelCount(), 0);
        EXPECT_FALSE(FileExists(App() + "\\bin\\app.txt"));
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, TestKey() + "\\App"));
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UninstallEntry()));
        EXPECT_FALSE(FileExists(LogPath(id_)));
        EXPECT_FALSE(FileExists(LogPath(id_) + ".Dat"));
        if (failure == Uninstaller) {
            EXPECT_EQ(ReadWholeFile(App() + "\\Uninstall.exe"), "someone else's");
            RemoveTree(App());
        } else {
            EXPECT_FALSE(FolderExists(App()));
        }
    }
}

TEST_F(ClosingStepsTest, AReplacementThatCannotWaitForTheRestartRollsBack)
{
    CreateDirectoryA(App().c_str(), nullptr);
    WriteWholeFile(App() + "\\busy.dll", "running");
    TOwnedHandle held(CreateFileA((App() + "\\busy.dll").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held.IsValid());
    TInstallDriver driver(root_.Path());
    driver.Project = ProjectLines(false);
    driver.Objects = Records();
    driver.Objects.push_back(FileRecord(App() + "\\busy.dll", "update"));
    const int waitingBefore = WaitingCopies();
    {
        TPendingRenamesGuard pending;
        pending.Damage();
        EXPECT_THROW(driver.Install(), Exception);
    }
    held.Reset();

    EXPECT_FALSE(driver.Engine().RestartNeeded());
    EXPECT_EQ(WaitingCopies(), waitingBefore);
    EXPECT_EQ(ReadWholeFile(App() + "\\busy.dll"), "running");
    EXPECT_FALSE(FileExists(App() + "\\bin\\app.txt"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, TestKey() + "\\App"));
}

TEST_F(ClosingStepsTest, AFailedFirstInstallLeavesAnotherProductsUninstallerAndSchedulesNothing)
{
    const std::string uninstaller = App() + "\\Uninstall.exe";
    for (bool heldOpen : {false, true}) {
        SCOPED_TRACE(heldOpen ? "held open" : "not in use");
        CreateDirectoryA(App().c_str(), nullptr);
        WriteWholeFile(uninstaller, "someone else's");
        TOwnedHandle held;
        if (heldOpen)
            held.Reset(CreateFileA(uninstaller.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                   nullptr));
        TPendingRenamesGuard pending;
        TInstallDriver driver(root_.Path());
        driver.Project = ProjectLines(true);
        driver.Objects = Records();
        uFileReplacement::SetDiskSpaceForTests(0); // the log cannot be written
        EXPECT_THROW(driver.Install(), Exception);
        uFileReplacement::SetDiskSpaceForTests(-1);
        EXPECT_FALSE(ScheduledAtRestart(uninstaller));
        held.Reset();

        EXPECT_EQ(ReadWholeFile(uninstaller), "someone else's");
        EXPECT_FALSE(FileExists(App() + "\\bin\\app.txt"));
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UninstallEntry()));
        RemoveTree(App());
    }
}

TEST_F(ClosingStepsTest, ARollbackGoesOnPastAFileItCannotDeleteAndReportsItAfterTheError)
{
    const std::string busy = App() + "\\busy.txt";
    TInstallDriver driver(root_.Path());
    driver.Project = ProjectLines(true);
    driver.Objects = Records();
    driver.Objects.push_back(FileRecord(busy, "written by the install"));
    driver.Objects.push_back(FileRecord("Q:\\NoSuchDrive\\f.txt", "never written"));
    // The file the rollback undoes first is held open by then.
    TOwnedHandle held;
    driver.OnRecord = [&](int index) {
        if (index == 3)
            held.Reset(CreateFileA(busy.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    };
    TPendingRenamesGuard pending;
    std::string message;
    try {
        driver.Install();
        ADD_FAILURE() << "the install did not fail";
    } catch (const Exception& error) {
        message = error.Message();
    }
    ASSERT_TRUE(held.IsValid());
    const bool scheduled = ScheduledAtRestart(busy);
    held.Reset();

    EXPECT_EQ(message.find("文件夹 Q:\\NoSuchDrive\\ 不存在"), 0u) << message; // the install's own error first
    EXPECT_NE(message.find(busy), std::string::npos) << message;              // then what stayed
    EXPECT_EQ(driver.Engine().RollbackReport().empty(), false);
    EXPECT_TRUE(scheduled);
    EXPECT_FALSE(FileExists(App() + "\\bin\\app.txt"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, TestKey() + "\\App"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UninstallEntry()));
    RemoveTree(App());
}
