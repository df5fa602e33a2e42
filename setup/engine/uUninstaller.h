// The uninstaller program: Uninstall.exe written as the setup program's image with
// the product identifier at its end, the identifier read back, and the relaunch
// from the temporary folder that lets the uninstaller's own file be deleted.
#pragma once

#include "uProgramPath.h"

#include <cstdint>
#include <string>

namespace uUninstaller {

// Ends Uninstall.exe and masks the setup data's lengths.
constexpr std::uint32_t kProductIdMarker = 0x5A3C9E71u;

// Writes installPath + "\Uninstall.exe": `setupProgram` from offset 0 (only up to
// the data start of its trailer when the setup data is carried in it), then the
// identifier, its length and the marker. Creates the install folder when missing;
// an existing file is overwritten. Returns the path written. File errors raise the
// class library's stream errors, a damaged trailer an Exception; no partial file
// is left behind.
std::string WriteUninstaller(const std::string& setupProgram, bool dataInProgram, const std::string& installPath,
                             const std::string& projectId);

// The identifier at the end of the running program. Raises Exception
// "Installation not found" when the file does not end in the marker.
std::string ReadProductId();
std::string ReadProductId(const std::string& fileName);

// A fresh GUID as 32 hexadecimal digits.
std::string NewGuidName();

// Copies the running program to the temporary folder under a fresh GUID name,
// schedules the copy's deletion at the next restart and starts it hidden with
// "/U:" and this process's identifier. Failures are not reported: the caller ends
// the first process anyway.
void RelaunchFromTemp();
// The same for a given program and temporary folder; returns the copy's path.
std::string RelaunchCopy(const std::string& program, const std::string& tempFolder);

// The path of the running program.
using uProgramPath::RunningProgramPath;

} // namespace uUninstaller
