// The replay of hand-written install logs against real files, folders and registry
// keys: what the install made goes, what was there before stays, replaced values
// come back.
#include "UninstallFixtures.h"

#include "BroadcastProbe.h"
#include "Exception.h"
#include "OwnedHandles.h"
#include "TStringList.h"
#include "TempFolder.h"
#include "uOstrelUninstall.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

void Fill(TStringList& list, const std::vector<std::string>& lines)
{
    for (const std::string& line : lines)
        list.Add(line);
}

// Replays `lines` and returns what the uninstaller reported.
TReportRecorder Replay(const std::vector<std::string>& lines, const TStrings* language = nullptr)
{
    TReportRecorder recorder;
    TOstrelUninstall uninstall(nullptr);
    recorder.Attach(uninstall);
    uninstall.SetLanguage(language);
    TStringList log;
    Fill(log, lines);
    uninstall.ReplayLog(log);
    EXPECT_TRUE(uninstall.Done());
    return recorder;
}

void MakeFolder(const std::string& path) { CreateDirectoryA(path.c_str(), nullptr); }

std::string Dir(const std::string& folder, const std::string& option)
{
    return "DIR=" + folder + (option.empty() ? "" : "\tUninstallOption=" + option);
}

std::string KeyField(const std::string& key) { return "ROOT:HKEY_CURRENT_USER;KEY:" + key; }

// "cmd.exe /c ..." packed as a deferred COMMAND record.
std::string CommandLine(int type, const std::string& target, const std::string& params, bool hidden = true)
{
    return "COMMAND=OBJECT_TYPE=COMMAND#13#10EXECUTE_TYPE=3#13#10TYPE=" + std::to_string(type) +
           "#13#10TARGET=" + target + "#13#10PARAMS=" + params + "#13#10HIDDEN=" + (hidden ? "True" : "False");
}

bool WaitForFile(const std::string& path)
{
    for (int wait = 0; wait < 200 && !FileExists(path); ++wait)
        Sleep(50);
    return FileExists(path);
}

} // namespace

TEST(ReplayLog, UndoesTheInstallAndLeavesWhatWasThereBefore)
{
    TempFolder temp;
    TScratchKey scratch;
    const std::string app = temp / "App";
    const std::string existing = temp / "Existing";
    const std::string kept = temp / "Kept";
    // What was there before the install.
    MakeFolder(existing);
    WriteWholeFile(existing + "\\keep.txt", "old");
    SetString(HKEY_CURRENT_USER, scratch / "Shared", "Text", "new text");
    SetString(HKEY_CURRENT_USER, scratch / "Shared", "Expand", "new", REG_SZ);
    SetDword(HKEY_CURRENT_USER, scratch / "Shared", "Count", 7);
    SetString(HKEY_CURRENT_USER, scratch / "Shared", "Added", "by the install");
    SetString(HKEY_CURRENT_USER, scratch / "Shared", "Other", "untouched");
    // What the install made.
    MakeFolder(app);
    MakeFolder(app + "\\bin");
    WriteWholeFile(app + "\\bin\\a.dll", "not a library");
    WriteWholeFile(app + "\\readme.txt", "readme");
    MakeFolder(app + "\\Data");
    WriteWholeFile(app + "\\Data\\user.db", "written by the program later");
    MakeFolder(kept);
    WriteWholeFile(existing + "\\new.txt", "new");
    SetString(HKEY_CURRENT_USER, scratch / "Product\\Sub", "Deep", "x");
    SetString(HKEY_CURRENT_USER, scratch / "Product", "Path", app);

    TReportRecorder reports = Replay({
        "PRODUCT",
        Dir(app, "0"),
        "FILE=" + app + "\\bin\\a.dll",
        "FILE=" + app + "\\readme.txt",
        Dir(app + "\\Data", "2"),
        Dir(kept, "1"),
        "FILE=" + existing + "\\new.txt",
        "KEY=" + KeyField(scratch / "Product"),
        "KEY_VALUE=" + KeyField(scratch / "Product") + ";NAME:Path;VALUE_TYPE:1",
        "KEY_VALUE=" + KeyField(scratch / "Shared") + ";NAME:Text;VALUE_TYPE:1;OLDVALUE:a#59b#58c #59#59 d",
        "KEY_VALUE=" + KeyField(scratch / "Shared") + ";NAME:Expand;VALUE_TYPE:2;OLDVALUE:%TEMP%#58#59x",
        "KEY_VALUE=" + KeyField(scratch / "Shared") + ";NAME:Count;VALUE_TYPE:3;OLDVALUE:42",
        "KEY_VALUE=" + KeyField(scratch / "Shared") + ";NAME:Added;VALUE_TYPE:1",
        "KEY_VALUE=" + KeyField(scratch / "Missing") + ";NAME:x;VALUE_TYPE:1;OLDVALUE:y",
        "SKIP_UNDELETE_PROMPT",
        "HIDE_DELETE_DETAIL=1",
        "REGSVR=" + app + "\\bin\\a.dll",
    });

    EXPECT_FALSE(FolderExists(app));
    EXPECT_TRUE(FolderExists(kept));
    EXPECT_FALSE(FileExists(existing + "\\new.txt"));
    EXPECT_EQ(ReadWholeFile(existing + "\\keep.txt"), "old");
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, scratch / "Product"));
    EXPECT_EQ(StringValue(HKEY_CURRENT_USER, scratch / "Shared", "Text"), "a;b:c ;; d");
    EXPECT_EQ(ValueType(HKEY_CURRENT_USER, scratch / "Shared", "Text"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(StringValue(HKEY_CURRENT_USER, scratch / "Shared", "Expand"), "%TEMP%:;x");
    EXPECT_EQ(ValueType(HKEY_CURRENT_USER, scratch / "Shared", "Expand"), static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_EQ(DwordValue(HKEY_CURRENT_USER, scratch / "Shared", "Count"), 42u);
    EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, scratch / "Shared", "Added"));
    EXPECT_EQ(StringValue(HKEY_CURRENT_USER, scratch / "Shared", "Other"), "untouched");
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, scratch / "Missing"));

    ASSERT_EQ(reports.StartCounts, std::vector<int>{16});
    // Positions run from the last line (1) to the second (16).
    int fileReport = reports.IndexOf("正在删除文件 " + app + "\\bin\\a.dll");
    ASSERT_GE(fileReport, 0);
    EXPECT_EQ(reports.Reports[static_cast<size_t>(fileReport)].Position, 15);
    for (size_t index = 1; index < reports.Reports.size(); ++index)
        EXPECT_LE(reports.Reports[index - 1].Position, reports.Reports[index].Position);
}

TEST(ReplayLog, ReportsEachStepWithItsKeyOrDefault)
{
    TempFolder temp;
    TScratchKey scratch;
    MakeFolder(temp / "Gone");
    WriteWholeFile(temp / "f.txt", "x");
    CreateKey(HKEY_CURRENT_USER, scratch / "K");
    const std::vector<std::string> log = {
        "PRODUCT",
        Dir(temp / "Gone", "2"),
        "FILE=" + (temp / "f.txt"),
        "KEY=" + KeyField(scratch / "K"),
        CommandLine(7, "nothing.exe", ""),
    };

    struct TCase {
        const char* language;
        std::vector<std::string> expected;
    } cases[] = {
        {"", {"正在执行 nothing.exe", "正在删除注册表项 " + (scratch / "K"), "正在删除文件 " + (temp / "f.txt"),
              "正在删除文件夹 " + (temp / "Gone")}},
        {"Executing=Run \r\nRemovingKey=Key \r\nRemovingFile=File \r\nRemovingFolder=Folder \r\n",
         {"Run nothing.exe", "Key " + (scratch / "K"), "File " + (temp / "f.txt"), "Folder " + (temp / "Gone")}},
    };
    for (const TCase& c : cases) {
        MakeFolder(temp / "Gone");
        WriteWholeFile(temp / "f.txt", "x");
        CreateKey(HKEY_CURRENT_USER, scratch / "K");
        TStringList language;
        language.SetText(c.language);
        TReportRecorder reports = Replay(log, &language);
        EXPECT_EQ(reports.Targets(), c.expected) << "language: " << c.language;
    }
}

TEST(ReplayLog, FolderOptionsDecideWhatGoes)
{
    struct TCase {
        const char* option; // as written after "UninstallOption=", or empty for none
        bool withFile;      // the folder holds a file nobody logged
        bool expectGone;
    } cases[] = {
        {"", false, true},   {"", true, false},   {"0", false, true}, {"0", true, false},
        {"1", false, false}, {"2", true, true},   {"7", false, false}, {"x", true, false},
    };
    for (const TCase& c : cases) {
        TempFolder temp;
        const std::string folder = temp / "F";
        MakeFolder(folder);
        MakeFolder(folder + "\\Empty");
        MakeFolder(folder + "\\Empty\\Deeper");
        SetFileAttributesA((folder + "\\Empty\\Deeper").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
        if (c.withFile)
            WriteWholeFile(folder + "\\Empty\\user.txt", "keep me");
        Replay({"PRODUCT", Dir(folder, c.option)});
        EXPECT_EQ(!FolderExists(folder), c.expectGone) << "option '" << c.option << "' file " << c.withFile;
        if (c.withFile && !c.expectGone) {
            EXPECT_EQ(ReadWholeFile(folder + "\\Empty\\user.txt"), "keep me");
        }
    }
}

TEST(ReplayLog, AFolderThatKeepsAFileKeepsItsEmptySubfoldersGone)
{
    TempFolder temp;
    const std::string folder = temp / "F";
    MakeFolder(folder);
    MakeFolder(folder + "\\EmptyOne");
    WriteWholeFile(folder + "\\stays.txt", "x");
    Replay({"PRODUCT", Dir(folder + "\\", "0")});
    EXPECT_TRUE(FileExists(folder + "\\stays.txt"));
    EXPECT_FALSE(FolderExists(folder + "\\EmptyOne"));
}

TEST(ReplayLog, DamagedPathsAreNotHandedToTheShell)
{
    TempFolder temp;
    MakeFolder(temp / "Sub");
    WriteWholeFile(temp / "Sub\\a.txt", "a");
    WriteWholeFile(temp / "b.txt", "b");
    Replay({
        "PRODUCT",
        "FILE=" + (temp / "*.txt"),
        "FILE=" + (temp / "Sub"),
        Dir(temp / "*", "2"),
        "FILE=",
        Dir("", "2"),
        "FILE=relative.txt",
    });
    EXPECT_TRUE(FileExists(temp / "b.txt"));
    EXPECT_TRUE(FileExists(temp / "Sub\\a.txt"));
}

TEST(ReplayLog, ALogOfOneLineOrNoneReplaysNothing)
{
    for (const std::vector<std::string>& log : {std::vector<std::string>{"PRODUCT"}, std::vector<std::string>{}}) {
        TReportRecorder reports = Replay(log);
        EXPECT_EQ(reports.StartCounts, std::vector<int>{0});
        EXPECT_TRUE(reports.Reports.empty());
    }
}

TEST(ReplayLog, TheProjectLineIsNeverReplayed)
{
    TempFolder temp;
    WriteWholeFile(temp / "first.txt", "x");
    Replay({"FILE=" + (temp / "first.txt")});
    EXPECT_TRUE(FileExists(temp / "first.txt"));
}

TEST(ReplayLog, AnUnknownLineIsShownWholeAndTheReplayGoesOn)
{
    TempFolder temp;
    WriteWholeFile(temp / "before.txt", "x");
    WriteWholeFile(temp / "after.txt", "x");
    TMessageBoxAnswerer answerer;
    Replay({
        "PRODUCT",
        "FILE=" + (temp / "before.txt"),
        "NEW_KIND=some value=with equals",
        "file=" + (temp / "after.txt"), // names compare exactly: this one is unknown too
    });
    EXPECT_FALSE(FileExists(temp / "before.txt"));
    EXPECT_TRUE(FileExists(temp / "after.txt"));
    EXPECT_EQ(answerer.Texts(),
              (std::vector<std::string>{"file=" + (temp / "after.txt"), "NEW_KIND=some value=with equals"}));
}

TEST(ReplayLog, AFileThatCannotBeDeletedGoesAtTheNextRestart)
{
    TempFolder temp;
    const std::string path = temp / "in-use.dll";
    WriteWholeFile(path, "held open");
    TOwnedHandle held(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held.IsValid());
    Replay({"PRODUCT", "FILE=" + path});
    bool stays = FileExists(path);
    bool pending = DeletionPendingAtRestart(path);
    held.Reset();
    ForgetPendingOperations(path);
    EXPECT_TRUE(stays);
    EXPECT_TRUE(pending);
}

TEST(ReplayLog, CommandsRunByTheirType)
{
    TempFolder temp;
    const std::string ran = temp / "ran.txt";
    const std::string opened = temp / "opened.txt";
    const std::string doomed = temp / "doomed.txt";
    const std::string carried = temp / "carried.txt";
    WriteWholeFile(doomed, "x");
    // A TARGET may carry its own arguments: it runs as it stands, followed by PARAMS.
    const std::string withArguments = "cmd.exe /c echo";
    TReportRecorder reports = Replay({
        "PRODUCT",
        CommandLine(1, withArguments, "carried>" + carried),
        CommandLine(0, "cmd.exe", "/c echo opened>" + opened),
        CommandLine(2, doomed, ""),
        CommandLine(1, "cmd.exe", "/c echo ran>" + ran),
        CommandLine(5, doomed, ""),
    });
    // Run and wait: the file is there as soon as the replay returns.
    EXPECT_TRUE(FileExists(ran));
    EXPECT_EQ(ReadWholeFile(carried), "carried\r\n");
    EXPECT_FALSE(FileExists(doomed));
    EXPECT_TRUE(WaitForFile(opened));
    EXPECT_EQ(reports.Targets(), (std::vector<std::string>{"正在执行 " + doomed, "正在执行 cmd.exe",
                                                           "正在执行 " + doomed, "正在执行 cmd.exe",
                                                           "正在执行 " + withArguments}));
}

TEST(ReplayLog, AnAbsentDatabaseEngineEndsTheReplayWithAClearError)
{
    struct TCase {
        const char* line;
        const char* named; // what the message must name
    } cases[] = {
        {"BDEALIAS=FerrinTestAlias", "IDAPI32.DLL"},
    };
    for (const TCase& c : cases) {
        TempFolder temp;
        WriteWholeFile(temp / "earlier.txt", "x");
        TStringList log;
        Fill(log, {"PRODUCT", "FILE=" + (temp / "earlier.txt"), c.line});
        TOstrelUninstall uninstall(nullptr);
        try {
            uninstall.ReplayLog(log);
            ADD_FAILURE() << c.line << " did not fail";
        } catch (const Exception& error) {
            EXPECT_NE(error.Message().find(c.named), std::string::npos) << error.Message();
        }
        EXPECT_TRUE(FileExists(temp / "earlier.txt")) << c.line;
    }
}

TEST(ReplayLog, TheRollbacksReplayGoesOnPastAFailingStepAndNamesWhatStayed)
{
    TempFolder temp;
    const std::string earlier = temp / "earlier.txt", held = temp / "held.dll";
    WriteWholeFile(earlier, "x");
    WriteWholeFile(held, "in use");
    TOwnedHandle holder(CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder.IsValid());
    TStringList log;
    Fill(log, {"PRODUCT", "FILE=" + earlier, "BDEALIAS=FerrinTestAlias", "FILE=" + held});
    TOstrelUninstall uninstall(nullptr);
    uninstall.SetContinueOnFailure(true);
    uninstall.ReplayLog(log);
    holder.Reset();
    ForgetPendingOperations(held);

    EXPECT_FALSE(FileExists(earlier));
    ASSERT_EQ(uninstall.NotUndone().Count(), 2);
    EXPECT_EQ(uninstall.NotUndone()[0], "重新启动后才会删除的文件 " + held);
    EXPECT_NE(uninstall.NotUndone()[1].find("IDAPI32.DLL"), std::string::npos) << uninstall.NotUndone()[1];
}

TEST(ReplayLog, DestructionAfterAReplayAnnouncesTheChange)
{
    TBroadcastProbe probe;
    ASSERT_NE(probe.Window(), nullptr);
    { TOstrelUninstall unused(nullptr); }
    EXPECT_EQ(probe.Received(), 0);
    {
        TOstrelUninstall uninstall(nullptr);
        TStringList log;
        log.Add("PRODUCT");
        uninstall.ReplayLog(log);
    }
    EXPECT_EQ(probe.Received(), 1);
}
