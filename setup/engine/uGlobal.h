// TGlobal: the setup program's command line as option lines, the Windows kind and
// the special folders, placed on the main form for the wizard to read.
#pragma once

#include "TComponent.h"
#include "TStringList.h"
#include "uSystemFolders.h"

#include <string>
#include <vector>

namespace uGlobal {

// The program's arguments as the class library's parameter routine reads them:
// separated by blanks, double quotes group blanks and are removed. Element 0 is
// the program.
std::vector<std::string> ParseArguments(const std::string& commandLine);

// The arguments after the program, joined by blanks and split at "/", each line
// trimmed. Line 0 is what stands before the first "/" (normally empty), so the
// options are the lines from the second on; no arguments give no lines.
void SplitOptions(const std::vector<std::string>& arguments, TStrings& lines);

} // namespace uGlobal

class TGlobal : public TComponent {
public:
    CLASSLIB_CLASS_NAME(TGlobal)
    // Reads the running program's command line.
    explicit TGlobal(TComponent* owner);

    // Replaces the command line that the lines come from.
    void SetCommandLine(const std::string& commandLine);
    const std::string& CommandLine() const { return commandLine_; }

    // The option lines, e.g. "", "l:D:\setup.dat", "silent" for
    // setup.exe /l:D:\setup.dat /silent.
    const TStringList& CommandLines() const { return lines_; }
    // ParamStr: argument 0 is the program; empty past the last.
    std::string ParamStr(int index) const;
    int ParamCount() const { return arguments_.empty() ? 0 : static_cast<int>(arguments_.size()) - 1; }

    int WindowsKind() const { return windowsKind_; }
    const uSystemFolders::TSpecialFolders& SpecialFolders() const { return uSystemFolders::SpecialFolders(); }

private:
    std::string commandLine_;
    std::vector<std::string> arguments_;
    TStringList lines_;
    int windowsKind_;
};
