// Restart-time file replacement (MoveFileExA on NT, WININIT.INI on 9x) and the
// restart of Windows with the shutdown privilege.
#include "uReboot.h"

#include "Exception.h"
#include "OwnedHandles.h"
#include "SysUtils.h"
#include "uFileReplacement.h"
#include "uSystemFolders.h"

#include <windows.h>

#include <atomic>
#include <vector>

namespace uReboot {
namespace {

bool SystemExitWindows(unsigned flags, unsigned long reason)
{
    return ExitWindowsEx(flags, reason) != FALSE;
}

std::atomic<TExitWindowsFunc> exitWindows{&SystemExitWindows};

enum class TLoad { Loaded, Missing, Failed };

// The file's lines as the string lists read them: CR LF, LF or CR ends a line.
TLoad LoadLines(const std::string& path, std::vector<std::string>& lines)
{
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return TLoad::Missing;
    TOwnedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return TLoad::Failed; // there but unreadable: never overwrite what we could not read
    std::string text;
    char buffer[4096];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), buffer, sizeof(buffer), &read, nullptr))
            return TLoad::Failed;
        if (read == 0)
            break;
        text.append(buffer, read);
    }
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    return TLoad::Loaded;
}

// Written whole beside the old file first: the pending lines of other programs
// must never be lost to a failed write.
bool SaveLines(const std::string& path, const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    try {
        uFileReplacement::SaveText(text, path);
        return true;
    } catch (const Exception&) {
        return false;
    }
}

bool IsSectionHeader(const std::string& line) { return SysUtils::TrimLeft(line).compare(0, 1, "[") == 0; }

bool AddRenameLine(const std::string& windowsFolder, const std::string& line)
{
    const std::string path = SysUtils::IncludeTrailingBackslash(windowsFolder) + "WININIT.INI";
    // A replacement of the file cut short keeps its lines in the file beside it.
    uFileReplacement::RecoverInterrupted(path);
    std::vector<std::string> lines;
    switch (LoadLines(path, lines)) {
    case TLoad::Failed: return false;
    case TLoad::Missing: lines = {"", "", "[rename]"}; break;
    case TLoad::Loaded: break;
    }

    // The line belongs at the end of the [rename] section, which is normally the
    // last one; a file without it gets the section, so that the line is not lost
    // in another section.
    size_t section = lines.size();
    for (size_t i = 0; i < lines.size(); ++i) {
        if (SysUtils::SameText(SysUtils::Trim(lines[i]), "[rename]")) {
            section = i;
            break;
        }
    }
    if (section == lines.size()) {
        lines.push_back("[rename]");
        lines.push_back(line);
    } else {
        size_t end = section + 1;
        while (end < lines.size() && !IsSectionHeader(lines[end]))
            ++end;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(end), line);
    }
    return SaveLines(path, lines);
}

} // namespace

TWindowsFamily FamilyOfVersion(std::uint32_t version)
{
    // The top bit, not the first hex digit: NT builds from 4096 on fill that digit too.
    return (version & 0x80000000u) ? TWindowsFamily::Win9x : TWindowsFamily::NT;
}

TWindowsFamily CurrentFamily() { return FamilyOfVersion(GetVersion()); }

bool ReplaceFileAtRebootOn(TWindowsFamily family, const std::string& windowsFolder, const std::string& source,
                           const std::string& target)
{
    if (family == TWindowsFamily::NT) {
        if (target == "NUL")
            return MoveFileExA(source.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != FALSE;
        return MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT) !=
               FALSE;
    }
    return AddRenameLine(windowsFolder, target + "=" + source);
}

bool ReplaceFileAtReboot(const std::string& source, const std::string& target)
{
    TWindowsFamily family = CurrentFamily();
    std::string windows = family == TWindowsFamily::Win9x ? uSystemFolders::SpecialFolders().Windows : std::string();
    return ReplaceFileAtRebootOn(family, windows, source, target);
}

bool RebootWindowsAs(int windowsKind, void* process)
{
    if (windowsKind != 3) {
        TOwnedHandle token;
        const DWORD kAllAccess = 0xF00FF;
        if (!OpenProcessToken(static_cast<HANDLE>(process), kAllAccess, token.Receive()))
            return false;
        TOKEN_PRIVILEGES privileges = {};
        LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid);
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr);
    }
    exitWindows.load()(EWX_REBOOT, 0);
    return true;
}

void RebootWindows() { RebootWindowsAs(uSystemFolders::WindowsKind(), GetCurrentProcess()); }

TExitWindowsFunc SetExitWindowsFunc(TExitWindowsFunc function)
{
    return exitWindows.exchange(function ? function : &SystemExitWindows);
}

} // namespace uReboot
