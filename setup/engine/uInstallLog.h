// The install log on disk: where it lies, how it is written at the end of an
// install, and the lookups of its path through the product's Uninstall entry.
#pragma once

#include <string>

class TStrings;
class TMemoryStream;

namespace uInstallLog {

// Below HKEY_LOCAL_MACHINE; the product's entry is this + PROJECT_ID.
extern const char* const UninstallKey;
// The string value of the entry that names the log file.
extern const char* const InstallLogValue;

// What the end of an install hands to WriteInstallLog.
struct TInstallLogInput {
    std::string ProjectId;
    bool RepairMode = false;
    // The common application-data folder (no trailing backslash); the logs lie
    // below it in "Ostrel Install".
    std::string CommonApplicationData;
    // The log gathered so far; the closing lines are appended to it.
    TStrings* Log = nullptr;
    // The deferred command records, line breaks written as "#13#10".
    const TStrings* DeferredCommands = nullptr;
    // The setup data's user-interface block, saved beside the log as ".Dat".
    TMemoryStream* UserInterfaceBlock = nullptr;
};

// The default log path: CommonApplicationData + "\Ostrel Install\" + PROJECT_ID.
std::string DefaultLogPath(const std::string& commonApplicationData, const std::string& projectId);

// The path WriteInstallLog writes the log to: the "InstallLog" value of the
// entry in repair mode, else (or when that is empty) the default path. Empty when
// the product has no Uninstall entry.
std::string LogPathFor(const TInstallLogInput& input);

// Appends the log's closing lines (the log file, the uninstall commands from the
// last deferred record to the first, the ".Dat" copy), saves the ".Dat" copy and
// the log (each replaced whole, so that a failed write keeps the earlier file),
// and points the Uninstall entry's "InstallLog" value at it. Nothing is
// written when the product has no Uninstall entry. Returns the log path, empty
// when nothing was written.
std::string WriteInstallLog(const TInstallLogInput& input);

// The "InstallLog" value of the product's entry (empty when the value is absent).
// Raises Exception "Install log file missing" when the entry does not open.
std::string GetInstallLogPath(const std::string& projectId);

// The same lookup without the error: false when the entry does not open.
bool FindInstallLogPath(const std::string& projectId, std::string& logPath);

} // namespace uInstallLog
