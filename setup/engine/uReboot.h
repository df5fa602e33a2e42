// Restart-time file replacement and the restart of Windows. The call that ends the
// session is a seam, so that tests can run the restart without ending their session.
#pragma once

#include <cstdint>
#include <string>

namespace uReboot {

enum class TWindowsFamily { NT, Win9x };

// The family a GetVersion value belongs to: 9x sets the top bit.
TWindowsFamily FamilyOfVersion(std::uint32_t version);
TWindowsFamily CurrentFamily();

// Schedules, for the next start of Windows, `source` to replace `target`, or its
// deletion when target is "NUL". NT: MoveFileExA with delay until reboot; 9x: a
// line target=source in the [rename] section of the Windows folder's WININIT.INI.
// Returns whether the request was recorded.
bool ReplaceFileAtReboot(const std::string& source, const std::string& target);
// The same for a given family; the 9x way writes `windowsFolder`\WININIT.INI.
bool ReplaceFileAtRebootOn(TWindowsFamily family, const std::string& windowsFolder, const std::string& source,
                           const std::string& target);

// Enables the shutdown privilege (except on Windows kind 3, which has none) and asks
// Windows to restart. Without a process token nothing happens.
void RebootWindows();
// The same for a given Windows kind and process handle; returns whether the
// restart was asked for.
bool RebootWindowsAs(int windowsKind, void* process);

// The call that ends the session: ExitWindowsEx(flags, reason) unless replaced.
using TExitWindowsFunc = bool (*)(unsigned flags, unsigned long reason);
// Replaces it and returns the one replaced. For tests, which must not end the session.
TExitWindowsFunc SetExitWindowsFunc(TExitWindowsFunc function);

} // namespace uReboot
