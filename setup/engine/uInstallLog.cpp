// Writing the install log and reading its path back from the Uninstall entry.
#include "uInstallLog.h"

#include "Exception.h"
#include "SysUtils.h"
#include "TMemoryStream.h"
#include "TRegistry.h"
#include "TStringList.h"
#include "uCommandAction.h"
#include "uFileActions.h"
#include "uFileReplacement.h"
#include "uLogTags.h"
#include "uSetupData.h"

#include <windows.h>

namespace uInstallLog {

const char* const UninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const char* const InstallLogValue = "InstallLog";

namespace {

bool IsUninstallCommand(const std::string& packedRecord)
{
    TStringList record;
    record.SetText(uCommandAction::UnpackRecord(packedRecord));
    int executeType = -1;
    return uSetupData::TryParseInt(record.Values("EXECUTE_TYPE"), executeType) &&
           executeType == uCommandAction::etAtUninstall;
}

// Appends `line` as the log's last line. A log reused by a repair or a patch
// already holds the closing line of the earlier install; it is moved down rather
// than doubled, so that the closing lines stay last.
void AppendClosingLine(TStrings& log, const std::string& line)
{
    for (int index = log.Count() - 1; index >= 1; --index)
        if (log[index] == line)
            log.Delete(index);
    log.Add(line);
}

// Appends one COMMAND line per uninstall command of this install, from the last
// deferred record to the first. Each takes the place of one equal line of an
// earlier install (a repair or a patch reuses its log), so a command runs once per
// record that asks for it: neither doubled by a repair nor merged with its twin.
void AppendUninstallCommands(TStrings& log, const TStrings& deferred)
{
    int earlier = log.Count();
    for (int index = deferred.Count() - 1; index >= 0; --index) {
        if (!IsUninstallCommand(deferred[index]))
            continue;
        std::string line = uLogTags::Line(uLogTags::Command, deferred[index]);
        for (int old = earlier - 1; old >= 1; --old)
            if (log[old] == line) {
                log.Delete(old);
                --earlier;
                break;
            }
        log.Add(line);
    }
}

bool HoldsLine(const TStrings& log, const std::string& line)
{
    for (int index = 0; index < log.Count(); ++index)
        if (log[index] == line)
            return true;
    return false;
}

} // namespace

std::string DefaultLogPath(const std::string& commonApplicationData, const std::string& projectId)
{
    return SysUtils::ExcludeTrailingBackslash(commonApplicationData) + "\\Ostrel Install\\" + projectId;
}

std::string LogPathFor(const TInstallLogInput& input)
{
    std::string logPath;
    if (!FindInstallLogPath(input.ProjectId, logPath))
        return std::string();
    if (!input.RepairMode)
        logPath.clear();
    // An entry without a log path still gets a log where a first install puts it.
    if (logPath.empty())
        logPath = DefaultLogPath(input.CommonApplicationData, input.ProjectId);
    return logPath;
}

std::string WriteInstallLog(const TInstallLogInput& input)
{
    if (!input.Log)
        throw Exception("WriteInstallLog needs the install log");
    std::string logPath = LogPathFor(input);
    if (logPath.empty())
        return std::string();
    TRegistry registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!registry.OpenKey(UninstallKey + input.ProjectId, false))
        return std::string();
    TStrings& log = *input.Log;
    std::string folder = SysUtils::ExtractFilePath(logPath);
    // The first product to log here creates the logs' folder; it goes again, when
    // empty, after the log itself (the line is replayed after the log's FILE line).
    bool noFolderExists = false;
    std::string missing = uFileActions::OutermostMissingFolder(logPath, noFolderExists);
    if (!folder.empty() && !SysUtils::ForceDirectories(folder))
        throw EFCreateError("Cannot create the folder " + SysUtils::ExcludeTrailingBackslash(folder) +
                            " for the install log");
    if (!missing.empty()) {
        std::string folderLine = uLogTags::FolderLine(missing, 0);
        if (!HoldsLine(log, folderLine))
            log.Add(folderLine);
    }

    std::string logLine = uLogTags::Line(uLogTags::File, logPath);
    if (!HoldsLine(log, logLine))
        log.Add(logLine);

    if (input.DeferredCommands)
        AppendUninstallCommands(log, *input.DeferredCommands);

    // Both files are written whole beside the old ones before either takes its
    // place: a failed write keeps the earlier log, without which the product could
    // no longer be uninstalled.
    std::string dataPath = logPath + ".Dat";
    uFileReplacement::TFileReplacement dataFile(dataPath);
    if (input.UserInterfaceBlock)
        input.UserInterfaceBlock->SaveToStream(dataFile.Stream());
    AppendClosingLine(log, uLogTags::Line(uLogTags::File, dataPath));
    uFileReplacement::TFileReplacement logFile(logPath);
    log.SaveToStream(logFile.Stream());
    dataFile.Commit();
    logFile.Commit();
    registry.WriteString(InstallLogValue, logPath);
    registry.CloseKey();
    return logPath;
}

bool FindInstallLogPath(const std::string& projectId, std::string& logPath)
{
    if (projectId.empty())
        return false;
    TRegistry registry(KEY_READ);
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!registry.OpenKeyReadOnly(UninstallKey + projectId))
        return false;
    logPath = registry.ValueExists(InstallLogValue) ? registry.ReadString(InstallLogValue) : std::string();
    return true;
}

std::string GetInstallLogPath(const std::string& projectId)
{
    std::string logPath;
    if (!FindInstallLogPath(projectId, logPath))
        throw Exception("Install log file missing");
    return logPath;
}

} // namespace uInstallLog
