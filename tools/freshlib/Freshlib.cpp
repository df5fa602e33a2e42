// A stand-in for the update library: IsNewVersion and DownNewVersion append a
// line per call to the file named by FRESHLIB_LOG, and IsNewVersion answers
// the number in FRESHLIB_ANSWER (0, "no new version", when it is unset).
#include <windows.h>

#include <cstdlib>
#include <string>

#include "OwnedHandles.h"

namespace {

std::string Environment(const char* name)
{
    char value[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

// One line per call: the export's name and its three arguments, TAB-separated.
void Record(const char* call, const char* product, const char* page, const char* version)
{
    const std::string log = Environment("FRESHLIB_LOG");
    if (log.empty())
        return;
    std::string line = call;
    for (const char* argument : {product, page, version}) {
        line += '\t';
        line += argument ? argument : "(null)";
    }
    line += "\r\n";
    // Appends are serialised by the file system, so a caller's two threads
    // never interleave within a line.
    const TOwnedHandle file(CreateFileA(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.IsNull())
        return;
    DWORD written = 0;
    WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace

extern "C" {

__declspec(dllexport) int __cdecl IsNewVersion(const char* product, const char* page,
                                               const char* version)
{
    Record("IsNewVersion", product, page, version);
    return std::atoi(Environment("FRESHLIB_ANSWER").c_str());
}

__declspec(dllexport) int __cdecl DownNewVersion(const char* product, const char* page,
                                                 const char* version)
{
    Record("DownNewVersion", product, page, version);
    return 1;
}

}  // extern "C"
