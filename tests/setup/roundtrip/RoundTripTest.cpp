// Install, then uninstall by replaying the written log: the files, folders and
// registry come back to their snapshot from before the install, but for what the
// uninstall keeps on purpose (folders with option 1 and the files not logged).
#include "InstallFixture.h"
#include "Snapshot.h"

#include "uOstrelUninstall.h"
#include "uSystemFolders.h"

#include <algorithm>

namespace {

std::string Dword(DWORD value) { return std::string(reinterpret_cast<const char*>(&value), sizeof(value)); }

std::string Sz(const std::string& text) { return text + '\0'; }

} // namespace

class RoundTripTest : public InstallFixture {
protected:
    std::string Note() const { return notes_.Path() + "\\uninstall-commands.txt"; }
    std::string LogPath() const
    {
        return uSystemFolders::SpecialFolders().CommonApplicationData + "\\Ostrel Install\\" + id_;
    }

    // What the machine holds in the places an install touches.
    TSnapshot Machine() const
    {
        TSnapshot machine = Joined({}, SnapshotFolder(root_.Path()), "files ");
        machine = Joined(machine, SnapshotKey(HKEY_CURRENT_USER, TestKey()), "HKCU ");
        return Joined(machine, SnapshotKey(HKEY_LOCAL_MACHINE, UninstallEntry()), "HKLM ");
    }

    void ArrangeBefore()
    {
        WriteWholeFile(root_.Path() + "\\existing.txt", "mine");
        CreateDirectoryA((root_.Path() + "\\Shared").c_str(), nullptr);
        WriteWholeFile(root_.Path() + "\\Shared\\before.txt", "was here");
        WriteValue(HKEY_CURRENT_USER, TestKey(), "Old", REG_SZ, Sz("keep;me:1"));
        WriteValue(HKEY_CURRENT_USER, TestKey(), "OldExpand", REG_EXPAND_SZ, Sz("%TEMP%;a:b"));
        WriteValue(HKEY_CURRENT_USER, TestKey(), "OldNumber", REG_DWORD, Dword(7));
        WriteValue(HKEY_CURRENT_USER, TestKey(), "OldBinary", REG_BINARY, std::string("\x01\x02\xff", 3));
        WriteValue(HKEY_CURRENT_USER, TestKey() + "\\Existing", "Kept", REG_SZ, Sz("k"));
    }

    TSetupRecord UninstallCommand(const std::string& tag) const
    {
        return Record({"OBJECT_TYPE=COMMAND", "EXECUTE_TYPE=3", "TYPE=1",
                       "TARGET=" + BesideTestProgram("command_probe.exe"),
                       "PARAMS=" + tag + " \"" + Note() + "\" \"" + App() + "\\bin\\app.txt\"", "URL=False",
                       "HIDDEN=True", "ID=" + tag});
    }

    std::vector<TSetupRecord> Records() const
    {
        const std::string root = root_.Path();
        return {
            Record({"OBJECT_TYPE=FOLDER", "FOLDER=" + App(), "OPTION=0", "Hidden=False", "ReadOnly=False"}),
            FileRecord(App() + "\\bin\\app.txt", "application"),
            Record({"OBJECT_TYPE=FOLDER", "FOLDER=" + root + "\\Keep", "OPTION=1", "Hidden=False",
                    "ReadOnly=False"}),
            FileRecord(root + "\\Keep\\settings.ini", "[user]", {"UNINSTALL=False"}),
            FileRecord(root + "\\Keep\\cache.txt", "cache"),
            Record({"OBJECT_TYPE=FOLDER", "FOLDER=" + root + "\\Data\\Deep", "OPTION=2", "Hidden=True",
                    "ReadOnly=False"}),
            FileRecord(root + "\\Data\\Deep\\data.bin", std::string("\0\1\2\3", 4)),
            FileRecord(root + "\\Shared\\new.txt", "new"),
            FileRecord(root + "\\existing.txt", "replaced", {"REPLACE_OPTION=1"}),
            Record({"OBJECT_TYPE=REGISTRY", "ROOT=HKEY_CURRENT_USER", "KEY=" + TestKey() + "\\App\\Settings",
                    "VALUES=S=String:a;b:c#13#10E=ExpandString:%TEMP%\\x#13#10N=Integer:-5#13#10B=Binary:00ff10"}),
            Record({"OBJECT_TYPE=REGISTRY", "ROOT=HKEY_CURRENT_USER", "KEY=" + TestKey(),
                    "VALUES=Old=1:new;value#13#10OldExpand=2:%WINDIR%#13#10OldNumber=3:8#13#10OldBinary=4:aa"}),
            Record({"OBJECT_TYPE=REGISTRY", "ROOT=HKEY_CURRENT_USER", "KEY=" + TestKey() + "\\Existing",
                    "VALUES=Added=String:x"}),
            Record({"OBJECT_TYPE=SHORTCUT", "FILE_NAME=" + root + "\\Links\\App.lnk",
                    "TARGET=" + App() + "\\bin\\app.txt", "PARAMS=", "ICON_FILE=", "ICON_INDEX=0"}),
            UninstallCommand("first"),
            UninstallCommand("second"),
        };
    }

    TempFolder notes_;
};

TEST_F(RoundTripTest, UninstallRestoresTheMachineButWhatItKeepsOnPurpose)
{
    ArrangeBefore();
    TSnapshot before = Machine();

    TInstallDriver driver(root_.Path() + "\\Shared");
    driver.Project = ProjectLines(true);
    driver.Objects = Records();
    driver.Install();
    DeleteFileA((root_.Path() + "\\Shared\\setup.exe").c_str()); // the built setup, not the install's

    // Everything is there, with the registry types the records asked for.
    EXPECT_EQ(ReadWholeFile(App() + "\\bin\\app.txt"), "application");
    EXPECT_EQ(ReadWholeFile(root_.Path() + "\\Keep\\settings.ini"), "[user]");
    EXPECT_EQ(ReadWholeFile(root_.Path() + "\\Data\\Deep\\data.bin"), std::string("\0\1\2\3", 4));
    EXPECT_EQ(ReadWholeFile(root_.Path() + "\\Shared\\new.txt"), "new");
    EXPECT_EQ(ReadWholeFile(root_.Path() + "\\existing.txt"), "mine");
    EXPECT_TRUE(FileExists(root_.Path() + "\\Links\\App.lnk"));
    EXPECT_TRUE(FileExists(App() + "\\Uninstall.exe"));
    EXPECT_TRUE(FileExists(LogPath()));
    EXPECT_TRUE(FileExists(LogPath() + ".Dat"));
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, UninstallEntry(), "InstallLog"), LogPath());
    struct Expected {
        std::string key, name;
        DWORD type;
        std::string data;
    } values[] = {
        {TestKey() + "\\App\\Settings", "S", REG_SZ, Sz("a;b:c")},
        {TestKey() + "\\App\\Settings", "E", REG_EXPAND_SZ, Sz("%TEMP%\\x")},
        {TestKey() + "\\App\\Settings", "N", REG_DWORD, Dword(static_cast<DWORD>(-5))},
        {TestKey() + "\\App\\Settings", "B", REG_BINARY, std::string("\x00\xff\x10", 3)},
        {TestKey(), "Old", REG_SZ, Sz("new;value")},
        {TestKey(), "OldExpand", REG_EXPAND_SZ, Sz("%WINDIR%")},
        {TestKey(), "OldNumber", REG_DWORD, Dword(8)},
        {TestKey(), "OldBinary", REG_BINARY, std::string("\xaa", 1)},
        {TestKey() + "\\Existing", "Added", REG_SZ, Sz("x")},
    };
    for (const Expected& value : values) {
        SCOPED_TRACE(value.key + "\\" + value.name);
        std::string data;
        EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, value.key, value.name, data), value.type);
        EXPECT_EQ(data, value.data);
    }
    // The user adds a file to the folder that goes with its contents.
    WriteWholeFile(root_.Path() + "\\Data\\Deep\\user.txt", "mine too");

    std::vector<std::string> reports;
    struct TRecorder {
        std::vector<std::string>* Reports;
        void Delete(const std::string& target, int) { Reports->push_back(target); }
    } recorder{&reports};
    {
        TOstrelUninstall uninstall(nullptr);
        uninstall.OnDeleteTarget = TOnDeleteTarget(&recorder, &TRecorder::Delete);
        uninstall.SetLogFile(id_);
        uninstall.Uninstall();
    }

    TSnapshot expected = before;
    expected["files D keep"] = "";
    expected["files F keep\\settings.ini"] = Machine()["files F keep\\settings.ini"];
    EXPECT_NE(expected["files F keep\\settings.ini"], "");
    EXPECT_EQ(Machine(), expected);
    EXPECT_FALSE(FileExists(LogPath()));
    EXPECT_FALSE(FileExists(LogPath() + ".Dat"));

    // The ".Dat" copy goes first, then the uninstall commands in the order the
    // setup listed them, then the log, and only then the product's own files.
    const std::string probe = BesideTestProgram("command_probe.exe");
    ASSERT_GE(reports.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(reports.begin(), reports.begin() + 4),
              (std::vector<std::string>{"正在删除文件 " + LogPath() + ".Dat", "正在执行 " + probe,
                                        "正在执行 " + probe, "正在删除文件 " + LogPath()}));
    EXPECT_EQ(ReadWholeFile(Note()), "first|nolog|present\r\nsecond|nolog|present\r\n");
}
