// The macro expander's view of this machine: its folders, the running program's
// folder and the process environment. Apart from the expansion itself, which
// builds and runs without <windows.h>.
#include "uMacros.h"

#include "OwnedEnvironmentStrings.h"
#include "SysUtils.h"
#include "uProgramPath.h"

#include <windows.h>

#include <cstring>

namespace uMacros {

std::string ExpandMacros(const std::string& text, const TProductMacros& product)
{
    return ExpandMacros(text, product, uSystemFolders::SpecialFolders(), SetupSourceFolder(), EnvironmentValue);
}

std::string EnvironmentValue(const std::string& name)
{
    // Read from the environment block: Wine's GetEnvironmentVariableA cuts double-byte
    // values to their character count.
    if (name.empty())
        return std::string();
    TOwnedEnvironmentStrings block(GetEnvironmentStringsA());
    if (!block.IsValid())
        return std::string();
    for (const char* entry = block.Get(); *entry; entry += std::strlen(entry) + 1) {
        // Names may begin with "=" (the per-drive folders), so the separator is searched from the second byte.
        const char* equals = std::strchr(entry + 1, '=');
        if (equals && SysUtils::SameText(std::string(entry, equals), name))
            return equals + 1;
    }
    return std::string();
}

std::string SetupSourceFolder()
{
    return SysUtils::ExcludeTrailingBackslash(SysUtils::ExtractFilePath(uProgramPath::RunningProgramPath()));
}

} // namespace uMacros
