// The log written at the end of an install, its path through the Uninstall entry,
// and the uninstall that reads it back: the saved block goes first, then the
// uninstall commands in setup order, then the log, then the product.
#include "UninstallFixtures.h"

#include "Exception.h"
#include "TMemoryStream.h"
#include "TStringList.h"
#include "TempFolder.h"
#include "uInstallLog.h"
#include "uOstrelUninstall.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> LinesOf(const TStrings& list)
{
    std::vector<std::string> lines;
    for (int index = 0; index < list.Count(); ++index)
        lines.push_back(list[index]);
    return lines;
}

void Fill(TStrings& list, const std::vector<std::string>& lines)
{
    for (const std::string& line : lines)
        list.Add(line);
}

// A deferred command record as the install keeps it.
std::string Deferred(int executeType, int type, const std::string& target, const std::string& params)
{
    return "OBJECT_TYPE=COMMAND#13#10EXECUTE_TYPE=" + std::to_string(executeType) + "#13#10TYPE=" +
           std::to_string(type) + "#13#10TARGET=" + target + "#13#10PARAMS=" + params + "#13#10HIDDEN=True";
}

// What an install of a small product leaves: files, a folder and the log's input.
struct TInstalledProduct {
    TempFolder temp;
    TUninstallEntry entry;
    std::string app = temp / "App";
    std::string appData = temp / "CommonAppData";
    TStringList log;
    TStringList deferred;
    TMemoryStream block;

    TInstalledProduct()
    {
        CreateDirectoryA(app.c_str(), nullptr);
        CreateDirectoryA(appData.c_str(), nullptr);
        WriteWholeFile(app + "\\product.exe", "product");
        Fill(log, {entry.ProjectId(), "DIR=" + app + "\tUninstallOption=0", "FILE=" + app + "\\product.exe"});
        block.Write("UI\0block", 8);
    }

    uInstallLog::TInstallLogInput Input(bool repair = false)
    {
        uInstallLog::TInstallLogInput input;
        input.ProjectId = entry.ProjectId();
        input.RepairMode = repair;
        input.CommonApplicationData = appData;
        input.Log = &log;
        input.DeferredCommands = &deferred;
        input.UserInterfaceBlock = &block;
        return input;
    }

    std::string LogPath() const { return appData + "\\Ostrel Install\\" + entry.ProjectId(); }
};

} // namespace

TEST(InstallLog, ClosesTheLogWithItsFileTheUninstallCommandsAndTheSavedBlock)
{
    TInstalledProduct product;
    const std::string first = Deferred(3, 1, "first.exe", "/a");
    const std::string afterInstall = Deferred(2, 0, "readme.txt", "");
    const std::string second = Deferred(3, 2, "second.tmp", "");
    // Two records that ask for the same command run it twice.
    Fill(product.deferred, {first, afterInstall, second, first});

    std::string path = uInstallLog::WriteInstallLog(product.Input());

    ASSERT_EQ(path, product.LogPath());
    std::vector<std::string> expected = {product.entry.ProjectId(),
                                         "DIR=" + product.app + "\tUninstallOption=0",
                                         "FILE=" + product.app + "\\product.exe",
                                         "DIR=" + product.appData + "\\Ostrel Install\tUninstallOption=0",
                                         "FILE=" + path,
                                         "COMMAND=" + first,
                                         "COMMAND=" + second,
                                         "COMMAND=" + first,
                                         "FILE=" + path + ".Dat"};
    EXPECT_EQ(LinesOf(product.log), expected);
    TStringList saved;
    saved.LoadFromFile(path);
    EXPECT_EQ(LinesOf(saved), expected);
    EXPECT_EQ(ReadWholeFile(path + ".Dat"), std::string("UI\0block", 8));
    EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, product.entry.Key(), "InstallLog"), path);
    EXPECT_EQ(uInstallLog::GetInstallLogPath(product.entry.ProjectId()), path);
}

TEST(InstallLog, WithoutAnUninstallEntryNothingIsWritten)
{
    TInstalledProduct product;
    DeleteKeyTree(HKEY_LOCAL_MACHINE, product.entry.Key());
    size_t linesBefore = static_cast<size_t>(product.log.Count());

    EXPECT_EQ(uInstallLog::WriteInstallLog(product.Input()), "");
    EXPECT_EQ(static_cast<size_t>(product.log.Count()), linesBefore);
    EXPECT_FALSE(FolderExists(product.appData + "\\Ostrel Install"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, product.entry.Key()));
}

TEST(InstallLog, ARepairKeepsItsLogPathAndDoesNotDoubleTheClosingLines)
{
    TInstalledProduct product;
    const std::string custom = product.temp / "Logs\\product.log";
    SetString(HKEY_LOCAL_MACHINE, product.entry.Key(), "InstallLog", custom);
    const std::string command = Deferred(3, 1, "cleanup.exe", "");
    Fill(product.deferred, {command, command});
    ASSERT_EQ(uInstallLog::WriteInstallLog(product.Input(true)), custom);

    // The repair starts from the old log and adds a step of its own.
    product.log.Clear();
    product.log.LoadFromFile(custom);
    product.log.Add("FILE=" + product.app + "\\repaired.dll");
    ASSERT_EQ(uInstallLog::WriteInstallLog(product.Input(true)), custom);

    EXPECT_EQ(LinesOf(product.log), (std::vector<std::string>{
                                        product.entry.ProjectId(),
                                        "DIR=" + product.app + "\tUninstallOption=0",
                                        "FILE=" + product.app + "\\product.exe",
                                        "DIR=" + product.temp / "Logs\tUninstallOption=0",
                                        "FILE=" + custom,
                                        "FILE=" + product.app + "\\repaired.dll",
                                        "COMMAND=" + command,
                                        "COMMAND=" + command,
                                        "FILE=" + custom + ".Dat",
                                    }));
    EXPECT_FALSE(FileExists(product.LogPath()));
}

TEST(InstallLog, TheLogPathComesFromTheUninstallEntry)
{
    TUninstallEntry entry;
    EXPECT_EQ(uInstallLog::GetInstallLogPath(entry.ProjectId()), "");
    SetString(HKEY_LOCAL_MACHINE, entry.Key(), "InstallLog", "C:\\logs\\product");
    EXPECT_EQ(uInstallLog::GetInstallLogPath(entry.ProjectId()), "C:\\logs\\product");

    TUninstallEntry missing(false);
    try {
        uInstallLog::GetInstallLogPath(missing.ProjectId());
        ADD_FAILURE() << "a product without an entry has no log path";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "Install log file missing");
    }
}

TEST(InstallLog, UninstallReplaysTheWrittenLogInItsOrder)
{
    TInstalledProduct product;
    const std::string order = product.temp / "order.txt";
    const std::string evidence = product.temp / "evidence.txt";
    // The first command copies a product file: it only succeeds while the file is there.
    Fill(product.deferred,
         {Deferred(3, 1, "cmd.exe", "/c copy " + product.app + "\\product.exe " + evidence + " & echo one>>" + order),
          Deferred(3, 1, "cmd.exe", "/c echo two>>" + order)});
    std::string path = uInstallLog::WriteInstallLog(product.Input());
    ASSERT_FALSE(path.empty());

    TReportRecorder reports;
    {
        TOstrelUninstall uninstall(nullptr);
        reports.Attach(uninstall);
        uninstall.SetLogFile(product.entry.ProjectId());
        uninstall.Uninstall();
    }

    EXPECT_EQ(reports.Targets(), (std::vector<std::string>{
                                     "正在删除文件 " + path + ".Dat",
                                     "正在执行 cmd.exe",
                                     "正在执行 cmd.exe",
                                     "正在删除文件 " + path,
                                     "正在删除文件夹 " + product.appData + "\\Ostrel Install",
                                     "正在删除文件 " + product.app + "\\product.exe",
                                     "正在删除文件夹 " + product.app,
                                 }));
    EXPECT_EQ(ReadWholeFile(evidence), "product");
    EXPECT_EQ(ReadWholeFile(order), "one\r\ntwo\r\n");
    EXPECT_FALSE(FileExists(path));
    EXPECT_FALSE(FileExists(path + ".Dat"));
    EXPECT_FALSE(FolderExists(product.app));
    EXPECT_FALSE(FolderExists(product.appData + "\\Ostrel Install"));
}

TEST(InstallLog, UninstallFindsItsLogByFileByProductOrNotAtAll)
{
    TInstalledProduct product;
    std::string path = uInstallLog::WriteInstallLog(product.Input());
    ASSERT_FALSE(path.empty());

    // A log file named directly.
    {
        TReportRecorder reports;
        TOstrelUninstall uninstall(nullptr);
        reports.Attach(uninstall);
        uninstall.SetLogFile(path);
        uninstall.Uninstall();
        EXPECT_EQ(reports.StartCounts, std::vector<int>{5});
        EXPECT_FALSE(FileExists(product.app + "\\product.exe"));
    }
    // A product without an entry: an empty replay, not an error.
    {
        TUninstallEntry missing(false);
        TReportRecorder reports;
        TOstrelUninstall uninstall(nullptr);
        reports.Attach(uninstall);
        uninstall.SetLogFile(missing.ProjectId());
        uninstall.Uninstall();
        EXPECT_EQ(reports.StartCounts, std::vector<int>{0});
    }
    // An entry whose log is gone: the file error reaches the caller.
    {
        TOstrelUninstall uninstall(nullptr);
        uninstall.SetLogFile(product.entry.ProjectId());
        EXPECT_THROW(uninstall.Uninstall(), Exception);
    }
    // No source: the running program's own identifier, which a test program lacks.
    {
        TOstrelUninstall uninstall(nullptr);
        try {
            uninstall.Uninstall();
            ADD_FAILURE() << "a program without an identifier has no installation";
        } catch (const Exception& error) {
            EXPECT_EQ(error.Message(), "Installation not found");
        }
    }
}
