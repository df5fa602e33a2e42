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

namespace {

// An uninstall command that leaves a mark, so that a test sees whether it ran.
TSetupRecord UninstallCommand(const std::string& mark)
{
    return Record({"OBJECT_TYPE=COMMAND", "EXECUTE_TYPE=3", "TYPE=1", "TARGET=cmd.exe",
                   "PARAMS=/c echo u>>\"" + mark + "\"", "URL=False", "HIDDEN=True"});
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
