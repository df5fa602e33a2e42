// The tags of the install log: every line but the first (the PROJECT_ID) is
// "TAG=value", written by the install actions and the closing steps and undone
// by the uninstall replay, which knows each tag written here.
#pragma once

#include <string>

namespace uLogTags {

// A file the install put down (the file's path).
inline constexpr char File[] = "FILE";
// A folder the install created: "DIR=folder", or with a tab and "UninstallOption=n".
inline constexpr char Folder[] = "DIR";
// How the uninstall treats a DIR line's folder: 0 removed when empty, 1 kept, 2
// removed with what is in it.
inline constexpr char UninstallOption[] = "UninstallOption";
// A registry key the install created, and a value it wrote with the value it
// replaced (field lists, see uLogFields).
inline constexpr char Key[] = "KEY";
inline constexpr char KeyValue[] = "KEY_VALUE";
// A KEY_VALUE field beside VALUE_TYPE 0: the registry's own type number of a
// replaced value the log has no type for (a multi-string, a quadword, ...), whose
// OLDVALUE then holds its bytes in hexadecimal.
inline constexpr char RawValueType[] = "RAW_TYPE";
// A component the install registered.
inline constexpr char Registered[] = "REGSVR";
// An uninstall command: its record, line breaks written as "#13#10".
inline constexpr char Command[] = "COMMAND";
// A component-services application (its name) and component (a field list).
inline constexpr char ComPlusApplication[] = "MTS_APP";
inline constexpr char ComPlusComponent[] = "MTS_COM";
// A database-engine alias.
inline constexpr char DatabaseAlias[] = "BDEALIAS";
// Switches for the uninstaller's pages, with nothing to undo.
inline constexpr char SkipUndeletePrompt[] = "SKIP_UNDELETE_PROMPT";
inline constexpr char HideDeleteDetail[] = "HIDE_DELETE_DETAIL";

// "TAG=value".
std::string Line(const char* tag, const std::string& value);
// "DIR=folder<TAB>UninstallOption=n".
std::string FolderLine(const std::string& folder, int uninstallOption);

} // namespace uLogTags
