// The install over an earlier installation: an update pack that fails leaves the
// installed product and its log as they were, one that succeeds extends the log;
// a repair reads the log beside the product and keeps it when its own write fails.
#include "InstallFixture.h"

#include "Exception.h"
#include "OwnedHandles.h"
#include "TStringList.h"
#include "uFileReplacement.h"
#include "uOstrelUninstall.h"
#include "uSystemFolders.h"

#include <cstring>

namespace {

// An uninstall command that leaves a mark, so that a test sees whether it ran.
TSetupRecord UninstallCommand(const std::string& mark)
{
    return Record({"OBJECT_TYPE=COMMAND", "EXECUTE_TYPE=3", "TYPE=1", "TARGET=cmd.exe",
                   "PARAMS=/c echo u>>\"" + mark + "\"", "URL=False", "HIDDEN=True"});
}

// Bytes that do not compress, so that they fill the container as they are.
std::string Noise(size_t size)
{
    std::string bytes(size, '\0');
    std::uint32_t state = 2463534242u;
    for (char& c : bytes) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        c = static_cast<char>(state);
    }
    return bytes;
}

FILETIME LastWriteTime(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

// Moves the setup data's end (the trailer's second dword) to `fraction` of the
// data, as a download cut short would leave it.
void CutSetupData(const std::string& setupProgram, double fraction)
{
    std::string bytes = ReadWholeFile(setupProgram);
    ASSERT_GT(bytes.size(), 8u);
    auto dword = [&](size_t at) {
        std::uint32_t value = 0;
        memcpy(&value, &bytes[at], 4);
        return value;
    };
    std::uint32_t start = dword(bytes.size() - 8), end = dword(bytes.size() - 4);
    std::uint32_t cut = start + static_cast<std::uint32_t>((end - start) * fraction);
    memcpy(&bytes[bytes.size() - 4], &cut, 4);
    WriteWholeFile(setupProgram, bytes);
}

} // namespace

class InstallModesTest : public InstallFixture {
protected:
    std::string LogPath() const
    {
        return uSystemFolders::SpecialFolders().CommonApplicationData + "\\Ostrel Install\\" + id_;
    }
    std::string Mark() const { return root_ / "uninstall-ran.txt"; }
    // A file that only the log beside the product knows of.
    std::string Extra() const { return root_ / "extra.txt"; }

    // The first installation: a file and an uninstall command.
    void InstallProduct()
    {
        TInstallDriver driver(root_.Path());
        driver.Project = ProjectLines(true);
        driver.Objects = {FileRecord(App() + "\\app.txt", "1.0"), UninstallCommand(Mark())};
        driver.Install();
        ASSERT_TRUE(FileExists(LogPath()));
    }

    std::vector<std::string> PatchProject() const
    {
        std::vector<std::string> project = ProjectLines(true);
        project.insert(project.begin(), {"IsPatch=True", "Version=1.1"});
        return project;
    }
};

TEST_F(InstallModesTest, AFailedUpdatePackLeavesTheInstalledProductAndItsLogAsTheyWere)
{
    InstallProduct();
    const std::string logBefore = ReadWholeFile(LogPath());
    const std::string dataBefore = ReadWholeFile(LogPath() + ".Dat");
    const std::string uninstallerBefore = ReadWholeFile(App() + "\\Uninstall.exe");

    {
        // The old uninstaller is held open, so the pack cannot replace it.
        TOwnedHandle held(CreateFileA((App() + "\\Uninstall.exe").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held.IsValid());
        TInstallDriver pack(root_.Path());
        pack.Project = PatchProject();
        pack.Objects = {FileRecord(App() + "\\new.txt", "new"), UninstallCommand(Mark()),
                        Record({"OBJECT_TYPE=REGISTRY", "ROOT=HKEY_CURRENT_USER", "KEY=" + TestKey() + "\\Pack",
                                "VALUES=V=1:x"})};
        EXPECT_THROW(pack.Install(), Exception);
        held.Reset();
    }

    EXPECT_FALSE(FileExists(App() + "\\new.txt"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, TestKey() + "\\Pack"));
    EXPECT_EQ(ReadWholeFile(App() + "\\app.txt"), "1.0");
    EXPECT_EQ(ReadWholeFile(LogPath()), logBefore);
    EXPECT_EQ(ReadWholeFile(LogPath() + ".Dat"), dataBefore);
    EXPECT_EQ(ReadWholeFile(App() + "\\Uninstall.exe"), uninstallerBefore);
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, UninstallEntry(), "DisplayVersion"), "1.0");
    EXPECT_FALSE(FileExists(Mark())); // a rollback runs no uninstall command

    // The product still uninstalls whole.
    TOstrelUninstall uninstall(nullptr);
    uninstall.SetLogFile(id_);
    uninstall.Uninstall();
    EXPECT_FALSE(FolderExists(App()));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UninstallEntry()));
    EXPECT_EQ(ReadWholeFile(Mark()), "u\r\n");
}

TEST_F(InstallModesTest, AnUpdatePackThatCannotFinishAFileLeavesTheInstalledOneAsItWas)
{
    enum TFailure { CutData, FullDisk };
    for (TFailure failure : {CutData, FullDisk}) {
        SCOPED_TRACE(failure == CutData ? "payload cut in the middle" : "disk full");
        InstallProduct();
        const std::string app = App() + "\\app.txt";
        const DWORD attributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;
        ASSERT_TRUE(SetFileAttributesA(app.c_str(), attributes));
        const FILETIME dated = LastWriteTime(app);
        const std::string logBefore = ReadWholeFile(LogPath());

        TInstallDriver pack(root_.Path());
        pack.Project = PatchProject();
        pack.Objects = {FileRecord(App() + "\\new.txt", "new"), FileRecord(app, Noise(1 << 20))};
        if (failure == CutData)
            pack.AfterBuild = [](const std::string& setup) { CutSetupData(setup, 0.75); };
        else
            uFileReplacement::SetDiskSpaceForTests(64 * 1024);
        EXPECT_THROW(pack.Install(), Exception);
        uFileReplacement::SetDiskSpaceForTests(-1);

        EXPECT_EQ(ReadWholeFile(app), "1.0");
        EXPECT_EQ(GetFileAttributesA(app.c_str()), attributes);
        const FILETIME after = LastWriteTime(app);
        EXPECT_EQ(CompareFileTime(&after, &dated), 0);
        EXPECT_FALSE(FileExists(app + ".~new"));
        EXPECT_FALSE(FileExists(App() + "\\new.txt"));
        EXPECT_EQ(ReadWholeFile(LogPath()), logBefore);
        EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, UninstallEntry(), "DisplayVersion"), "1.0");

        SetFileAttributesA(app.c_str(), FILE_ATTRIBUTE_NORMAL);
        TOstrelUninstall uninstall(nullptr);
        uninstall.SetLogFile(id_);
        uninstall.Uninstall();
        EXPECT_FALSE(FolderExists(App()));
        DeleteFileA(Mark().c_str());
    }
}

TEST_F(InstallModesTest, AFailedUpdatePackPutsBackTheSavedBlockAndTheLogValueEachOnItsOwn)
{
    // The log cannot be put back (it is held open): the saved block still is.
    {
        InstallProduct();
        const std::string dataBefore = ReadWholeFile(LogPath() + ".Dat");
        const std::string logBefore = ReadWholeFile(LogPath());
        TOwnedHandle held(CreateFileA(LogPath().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held.IsValid());
        TInstallDriver pack(root_.Path());
        pack.Project = PatchProject();
        pack.UserInterface = "the pack's pages";
        pack.Objects = {FileRecord(App() + "\\new.txt", "new")};
        EXPECT_THROW(pack.Install(), Exception);
        held.Reset();
        EXPECT_EQ(ReadWholeFile(LogPath() + ".Dat"), dataBefore);
        EXPECT_EQ(ReadWholeFile(LogPath()), logBefore);
        EXPECT_FALSE(FileExists(App() + "\\new.txt"));
    }
    // The log moves to where the pack keeps it, and the uninstaller cannot be
    // replaced: the entry names the earlier log again.
    {
        const std::string elsewhere = root_ / "kept.log";
        WriteWholeFile(elsewhere, ReadWholeFile(LogPath()));
        WriteString(HKEY_LOCAL_MACHINE, UninstallEntry(), "InstallLog", elsewhere);
        TOwnedHandle held(CreateFileA((App() + "\\Uninstall.exe").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held.IsValid());
        TInstallDriver pack(root_.Path());
        pack.Project = PatchProject();
        pack.Objects = {FileRecord(App() + "\\new.txt", "new")};
        EXPECT_THROW(pack.Install(), Exception);
        held.Reset();
        EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, UninstallEntry(), "InstallLog"), elsewhere);
        EXPECT_FALSE(FileExists(App() + "\\new.txt"));
    }
}

TEST_F(InstallModesTest, AnUpdatePackExtendsTheLogSoThatTheUninstallRemovesBoth)
{
    InstallProduct();
    TInstallDriver pack(root_.Path());
    pack.Project = PatchProject();
    pack.Objects = {FileRecord(App() + "\\new.txt", "new"), UninstallCommand(Mark())};
    pack.Install();
    EXPECT_EQ(ReadWholeFile(App() + "\\new.txt"), "new");
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, UninstallEntry(), "DisplayVersion"), "1.1");

    TStringList log;
    log.LoadFromFile(LogPath());
    EXPECT_EQ(log[0], id_);
    EXPECT_EQ(log[log.Count() - 1], "FILE=" + LogPath() + ".Dat");
    EXPECT_EQ(log.IndexOf("FILE=" + App() + "\\new.txt") >= 0, true);

    TOstrelUninstall uninstall(nullptr);
    uninstall.SetLogFile(id_);
    uninstall.Uninstall();
    EXPECT_FALSE(FolderExists(App()));
    EXPECT_EQ(ReadWholeFile(Mark()), "u\r\n"); // the pack's twin of the command did not double it
}

TEST_F(InstallModesTest, ARepairReadsTheLogBesideTheProduct)
{
    InstallProduct();
    // The log beside the product wins over the one the entry names.
    TStringList beside;
    beside.LoadFromFile(LogPath());
    beside.Insert(1, "FILE=" + Extra());
    beside.SaveToFile(App() + "\\Install.log");
    WriteWholeFile(Extra(), "extra");

    TInstallDriver repair(root_.Path());
    repair.Project = ProjectLines(true);
    repair.Objects = {FileRecord(App() + "\\app.txt", "repaired", {"REPLACE_OPTION=1"})};
    repair.Open().SetRepairMode(true);
    repair.Install();
    EXPECT_EQ(ReadWholeFile(App() + "\\app.txt"), "repaired"); // a repair replaces whatever the option

    TStringList log;
    log.LoadFromFile(LogPath());
    EXPECT_GE(log.IndexOf("FILE=" + Extra()), 1);
    DeleteFileA((App() + "\\Install.log").c_str());
    TOstrelUninstall uninstall(nullptr);
    uninstall.SetLogFile(id_);
    uninstall.Uninstall();
    EXPECT_FALSE(FolderExists(App()));
    EXPECT_FALSE(FileExists(Extra()));
}

TEST_F(InstallModesTest, ARepairThatCannotWriteItsLogKeepsTheEarlierOne)
{
    InstallProduct();
    const std::string logBefore = ReadWholeFile(LogPath());

    TInstallDriver repair(root_.Path());
    repair.Project = ProjectLines(true);
    repair.Objects = {FileRecord(App() + "\\app.txt", "repaired")};
    repair.Open().SetRepairMode(true);
    uFileReplacement::SetDiskSpaceForTests(0); // the disk is full
    EXPECT_THROW(repair.Install(), Exception);
    uFileReplacement::SetDiskSpaceForTests(-1);

    EXPECT_EQ(ReadWholeFile(LogPath()), logBefore);
    TOstrelUninstall uninstall(nullptr);
    uninstall.SetLogFile(id_);
    uninstall.Uninstall();
    EXPECT_FALSE(FolderExists(App()));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UninstallEntry()));
}
