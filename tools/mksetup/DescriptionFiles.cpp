// Resolving and reading the files of a setup description.
#include "DescriptionFiles.h"

#include "SysUtils.h"
#include "TMemoryStream.h"

std::string ResolveDescribedPath(const std::string& baseFolder, const std::string& path)
{
    bool absolute = (path.size() > 1 && path[1] == ':') || (!path.empty() && path[0] == '\\');
    return absolute || baseFolder.empty() ? path : SysUtils::IncludeTrailingBackslash(baseFolder) + path;
}

std::string ReadDescribedFile(const std::string& baseFolder, const std::string& path)
{
    TMemoryStream file;
    file.LoadFromFile(ResolveDescribedPath(baseFolder, path));
    return std::string(file.Memory(), static_cast<size_t>(file.Size()));
}
