// The Windows kind of the running system and the special folders that the setup's
// folder macros name, resolved once per process.
#pragma once

#include <string>

namespace uSystemFolders {

// Windows kinds. NT family: 0 version 5, 1 version 4, 2 version 3, 5 any other;
// 9x family: 3 version 4, 4 version 3, 6 any other.
int WindowsKindOf(bool ntFamily, unsigned majorVersion);
// The kind of the system this program runs on.
int WindowsKind();

// True when the kind keeps its folders where the shell says (NT 5 and later);
// the older kinds use the 9x layout under the Windows folder.
bool UsesShellFolders(int windowsKind);

// Folder paths have no trailing backslash.
struct TSpecialFolders {
    std::string Desktop;
    std::string System;
    std::string Programs;
    std::string CommonDesktop;
    std::string CommonPrograms;
    std::string CommonStartMenu;
    std::string CommonStartup;
    std::string CommonFiles;
    std::string Fonts;
    std::string ProgramFiles;
    std::string ApplicationData;
    std::string Favorites;
    std::string SentTo;
    std::string StartMenu;
    std::string Startup;
    std::string Templates;
    std::string Windows;
    std::string Temp;
    std::string ComputerName;         // empty where the kind does not use the shell's folders
    std::string CommonApplicationData; // holds the install logs
};

// Where folder paths come from. Each answer is empty when the system has none.
class TFolderSource {
public:
    virtual ~TFolderSource() = default;
    virtual std::string ShellFolder(int csidl) = 0;
    virtual std::string WindowsFolder() = 0;
    virtual std::string SystemFolder() = 0;
    virtual std::string TempFolder() = 0;
    virtual std::string ComputerName() = 0;
};

// Asks the shell and the system of this machine.
class TSystemFolderSource : public TFolderSource {
public:
    std::string ShellFolder(int csidl) override;
    std::string WindowsFolder() override;
    std::string SystemFolder() override;
    std::string TempFolder() override;
    std::string ComputerName() override;
};

// Raises Exception "Fail to get windows folder" when the source has no Windows folder.
TSpecialFolders ResolveSpecialFolders(int windowsKind, TFolderSource& source);

// The folders of this machine, resolved on first use and kept for the process.
const TSpecialFolders& SpecialFolders();

} // namespace uSystemFolders
