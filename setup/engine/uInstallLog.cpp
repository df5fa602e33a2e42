// Writing the install log and reading its path back from the Uninstall entry.
#include "uInstallLog.h"

#include "Exception.h"
#include "SysUtils.h"
#include "TMemoryStream.h"
#include "TRegistry.h"
#include "TStringList.h"
#include "uCommandAction.h"
#include "uFileActions.h"

#include <windows.h>

namespace uInstallLog {

const char* const UninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const char* const InstallLogValue = "InstallLog";

namespace {

// Appends `line` as the log's last line. A log reused by a repair or a patch
// already holds the closing lines of the earlier install; they are moved down
// rather than doubled, so that each uninstall command runs once and the closing
// lines stay last.
void AppendClosingLine(TStrings& log, const std::string& line)
{
    for (int index = log.Count() - 1; index >= 1; --index)
        if (log[index] == line)
            log.Delete(index);
    log.Add(line);
}

bool HoldsLine(const TStrings& log, const std::string& line)
{
    for (int index = 0; index < log.Count(); ++index)
        if (log[index] == line)
            return true;
    return false;
}

bool FolderExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The outermost folder of `folder` that does not exist yet; empty when it exists.
std::string OutermostMissingFolder(const std::string& folder)
{
    std::string current = SysUtils::ExcludeTrailingBackslash(folder);
    std::string missing;
    while (!current.empty() && current.back() != ':' && !FolderExists(current)) {
        missing = current;
        std::string parent = SysUtils::ExcludeTrailingBackslash(SysUtils::ExtractFilePath(current));
        if (parent == current)
            break;
        current = parent;
    }
    return missing;
}

bool IsUninstallCommand(const std::string& packedRecord)
{
    TStringList record;
    record.SetText(uCommandAction::UnpackRecord(packedRecord));
    int executeType = -1;
    return SysUtils::TryStrToInt(record.Values("EXECUTE_TYPE"), executeType) &&
           executeType == uCommandAction::etAtUninstall;
}

} // namespace

std::string DefaultLogPath(const std::string& commonApplicationData, const std::string& projectId)
{
    return SysUtils::ExcludeTrailingBackslash(commonApplicationData) + "\\Ostrel Install\\" + projectId;
}

std::string WriteInstallLog(const TInstallLogInput& input)
{
    if (!input.Log)
        throw Exception("WriteInstallLog needs the install log");
    // Without an identifier the key would be the list of all products.
    if (input.ProjectId.empty())
        return std::string();
    TRegistry registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!registry.OpenKey(UninstallKey + input.ProjectId, false))
        return std::string();

    std::string logPath;
    if (input.RepairMode)
        logPath = registry.ReadString(InstallLogValue);
    // An entry without a log path still gets a log where a first install puts it.
    if (logPath.empty())
        logPath = DefaultLogPath(input.CommonApplicationData, input.ProjectId);
    TStrings& log = *input.Log;
    std::string folder = SysUtils::ExtractFilePath(logPath);
    // The first product to log here creates the logs' folder; it goes again, when
    // empty, after the log itself (the line is replayed after the log's FILE line).
    std::string missing = OutermostMissingFolder(folder);
    if (!folder.empty() && !uFileActions::ForceFolders(folder))
        throw EFCreateError("Cannot create the folder " + SysUtils::ExcludeTrailingBackslash(folder) +
                            " for the install log");
    if (!missing.empty()) {
        std::string folderLine = "DIR=" + missing + "\tUninstallOption=0";
        if (!HoldsLine(log, folderLine))
            log.Add(folderLine);
    }

    std::string logLine = "FILE=" + logPath;
    if (!HoldsLine(log, logLine))
        log.Add(logLine);

    if (input.DeferredCommands) {
        const TStrings& deferred = *input.DeferredCommands;
        for (int index = deferred.Count() - 1; index >= 0; --index)
            if (IsUninstallCommand(deferred[index]))
                AppendClosingLine(log, "COMMAND=" + deferred[index]);
    }

    std::string dataPath = logPath + ".Dat";
    if (input.UserInterfaceBlock)
        input.UserInterfaceBlock->SaveToFile(dataPath);
    else {
        TMemoryStream empty;
        empty.SaveToFile(dataPath);
    }
    AppendClosingLine(log, "FILE=" + dataPath);

    log.SaveToFile(logPath);
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
