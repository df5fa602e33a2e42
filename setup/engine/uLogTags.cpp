// The install log's lines built from their tags.
#include "uLogTags.h"

#include "SysUtils.h"

namespace uLogTags {

std::string Line(const char* tag, const std::string& value) { return std::string(tag) + "=" + value; }

std::string FolderLine(const std::string& folder, int uninstallOption)
{
    return Line(Folder, folder) + "\t" + UninstallOption + "=" + SysUtils::IntToStr(uninstallOption);
}

} // namespace uLogTags
