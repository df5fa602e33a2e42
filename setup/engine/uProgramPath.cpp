// The running program's path through GetModuleFileNameA, with a buffer that grows
// until the whole path fits.
#include "uProgramPath.h"

#include <windows.h>

namespace uProgramPath {

std::string RunningProgramPath()
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0)
            return std::string();
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2); // cut short: try again with more room
    }
}

} // namespace uProgramPath
