// The FOLDER and FILE actions of the install: folders and files put on disk with
// the log lines that let the uninstall remove them again, and the search for the
// first missing folder of a path that both use.
#pragma once

#include "uInstallContext.h"

#include <cstdint>
#include <string>

class TStream;
class TStrings;

namespace uFileActions {

// What the FILE action needs to know about one file.
struct TFileOptions {
    std::string Destination;
    int ReplaceOption = 0;    // 0 newer date wins (asks), 1 keep existing, other: overwrite
    std::uint32_t FileAge = 0; // packed DOS date (high word) and time (low word)
    bool ReadOnly = false;
    bool Visible = true;
    bool Register = false;
    bool Uninstall = false;
};

// The outermost folder of the file's folder path that does not exist yet; empty
// when the file's folder exists, and when no folder of the path exists at all (a
// missing drive), which `noFolderExists` then tells.
std::string OutermostMissingFolder(const std::string& filePath, bool& noFolderExists);
// The same, but a path without any existing folder raises "FolderNotFound".
std::string FindMissingFolder(const std::string& filePath, const TInstallContext& context);

// The FOLDER record: FOLDER, OPTION, Hidden, ReadOnly.
void CreateFolder(const TStrings& record, bool skip, TInstallContext& context);

// The FILE record: its keys, then the payload that follows it in the setup stream.
void InstallFile(const TStrings& record, bool skip, TInstallContext& context);
void InstallFile(const TFileOptions& options, bool skip, TInstallContext& context);

// The file's last-write date in packed DOS form (local time); 0 when unreadable.
std::uint32_t FileDosDate(const std::string& path);

} // namespace uFileActions
