// TGlobal: the command line split into option lines, the Windows kind, the folders.
#include "uGlobal.h"

#include "SysUtils.h"

#include <windows.h>

namespace uGlobal {

std::vector<std::string> ParseArguments(const std::string& commandLine)
{
    // Blanks, quotes and "/" are never trail bytes of a double-byte character, so a
    // byte-wise walk is safe for GBK paths.
    std::vector<std::string> arguments;
    size_t i = 0;
    const size_t n = commandLine.size();
    for (;;) {
        while (i < n && static_cast<unsigned char>(commandLine[i]) <= ' ')
            ++i;
        if (i >= n)
            break;
        std::string argument;
        bool quoted = false;
        while (i < n && (quoted || static_cast<unsigned char>(commandLine[i]) > ' ')) {
            if (commandLine[i] == '"')
                quoted = !quoted;
            else
                argument += commandLine[i];
            ++i;
        }
        arguments.push_back(argument);
    }
    return arguments;
}

void SplitOptions(const std::vector<std::string>& arguments, TStrings& lines)
{
    lines.Clear();
    std::string joined;
    for (size_t i = 1; i < arguments.size(); ++i)
        joined += (i > 1 ? " " : "") + arguments[i];
    if (joined.empty())
        return;
    size_t start = 0;
    for (;;) {
        size_t slash = joined.find('/', start);
        lines.Add(SysUtils::Trim(joined.substr(start, slash == std::string::npos ? std::string::npos : slash - start)));
        if (slash == std::string::npos)
            break;
        start = slash + 1;
    }
}

} // namespace uGlobal

TGlobal::TGlobal(TComponent* owner) : TComponent(owner), windowsKind_(uSystemFolders::WindowsKind())
{
    SetCommandLine(GetCommandLineA());
}

void TGlobal::SetCommandLine(const std::string& commandLine)
{
    commandLine_ = commandLine;
    arguments_ = uGlobal::ParseArguments(commandLine);
    uGlobal::SplitOptions(arguments_, lines_);
}

std::string TGlobal::ParamStr(int index) const
{
    return index >= 0 && index < static_cast<int>(arguments_.size()) ? arguments_[static_cast<size_t>(index)]
                                                                      : std::string();
}
