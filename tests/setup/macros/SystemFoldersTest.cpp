// The Windows kind and the folder table: the shell's folders where the kind uses
// them, the 9x layout under the Windows folder elsewhere.
#include "uSystemFolders.h"

#include "Exception.h"
#include "TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

using namespace uSystemFolders;

namespace {

// The shell's own answer through another entry point than the one under test.
std::string ShellPath(int csidl)
{
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, 0, path)))
        return std::string();
    return path;
}

std::string WindowsPath()
{
    char path[MAX_PATH] = {};
    GetWindowsDirectoryA(path, MAX_PATH);
    return path;
}

std::vector<const std::string*> AllFolders(const TSpecialFolders& f)
{
    return {&f.Desktop,   &f.System,        &f.Programs,        &f.CommonDesktop, &f.CommonPrograms,
            &f.CommonStartMenu, &f.CommonStartup, &f.CommonFiles, &f.Fonts,      &f.ProgramFiles,
            &f.ApplicationData, &f.Favorites, &f.SentTo,         &f.StartMenu,     &f.Startup,
            &f.Templates, &f.Windows,       &f.Temp,            &f.CommonApplicationData};
}

// A machine whose Windows folder cannot be read.
class TNoWindowsFolder : public TSystemFolderSource {
public:
    std::string WindowsFolder() override { return std::string(); }
};

} // namespace

TEST(WindowsKind, FollowsFamilyAndMajorVersion)
{
    struct Case {
        bool nt;
        unsigned major;
        int kind;
    } cases[] = {
        {true, 5, 0}, {true, 4, 1}, {true, 3, 2}, {true, 6, 5}, {true, 10, 5},
        {false, 4, 3}, {false, 3, 4}, {false, 5, 6},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.kind, WindowsKindOf(c.nt, c.major)) << "nt " << c.nt << " major " << c.major;
}

TEST(WindowsKind, OfThisMachineIsNtAfterVersionFive)
{
    // Wine answers as Windows 7.
    EXPECT_EQ(5, WindowsKind());
}

TEST(SpecialFolders, ShellKindsTakeTheShellsFolders)
{
    TSystemFolderSource source;
    for (int kind : {0, 5}) {
        TSpecialFolders f = ResolveSpecialFolders(kind, source);
        EXPECT_EQ(ShellPath(CSIDL_COMMON_DESKTOPDIRECTORY), f.CommonDesktop);
        EXPECT_EQ(ShellPath(CSIDL_COMMON_PROGRAMS), f.CommonPrograms);
        EXPECT_EQ(ShellPath(CSIDL_COMMON_STARTMENU), f.CommonStartMenu);
        EXPECT_EQ(ShellPath(CSIDL_COMMON_STARTUP), f.CommonStartup);
        EXPECT_EQ(ShellPath(CSIDL_PROGRAM_FILES_COMMON), f.CommonFiles);
        EXPECT_EQ(ShellPath(CSIDL_PROGRAM_FILES), f.ProgramFiles);
        EXPECT_EQ(ShellPath(CSIDL_COMMON_APPDATA), f.CommonApplicationData);
        EXPECT_FALSE(f.ComputerName.empty());
        EXPECT_TRUE(FolderExists(f.CommonPrograms));
    }
}

TEST(SpecialFolders, OlderKindsUseTheLayoutUnderTheWindowsFolder)
{
    TSystemFolderSource source;
    const std::string windows = WindowsPath();
    const std::string drive = windows.substr(0, 3);
    for (int kind : {1, 2, 3, 4, 6}) {
        TSpecialFolders f = ResolveSpecialFolders(kind, source);
        EXPECT_EQ(windows + "\\All Users\\Desktop", f.CommonDesktop);
        EXPECT_EQ(windows + "\\Start Menu\\Programs", f.CommonPrograms);
        EXPECT_EQ(windows + "\\Start Menu", f.CommonStartMenu);
        EXPECT_EQ(windows + "\\Start Menu\\Programs\\Startup", f.CommonStartup);
        EXPECT_EQ(drive + "Program Files", f.ProgramFiles);
        EXPECT_EQ(drive + "Program Files\\Common Files", f.CommonFiles);
        EXPECT_EQ(windows + "\\Application Data", f.CommonApplicationData);
        EXPECT_EQ("", f.ComputerName) << "kind " << kind;
    }
}

TEST(SpecialFolders, EveryKindSharesThePerUserFolders)
{
    TSystemFolderSource source;
    TSpecialFolders f = ResolveSpecialFolders(3, source);
    EXPECT_EQ(ShellPath(CSIDL_DESKTOP), f.Desktop);
    EXPECT_EQ(ShellPath(CSIDL_PROGRAMS), f.Programs);
    EXPECT_EQ(ShellPath(CSIDL_FONTS), f.Fonts);
    EXPECT_EQ(ShellPath(CSIDL_APPDATA), f.ApplicationData);
    EXPECT_EQ(ShellPath(CSIDL_FAVORITES), f.Favorites);
    EXPECT_EQ(ShellPath(CSIDL_SENDTO), f.SentTo);
    EXPECT_EQ(ShellPath(CSIDL_STARTMENU), f.StartMenu);
    EXPECT_EQ(ShellPath(CSIDL_STARTUP), f.Startup);
    EXPECT_EQ(ShellPath(CSIDL_TEMPLATES), f.Templates);
    EXPECT_EQ(WindowsPath(), f.Windows);
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    EXPECT_EQ(system, f.System);
}

TEST(SpecialFolders, NoneEndsInABackslash)
{
    const TSpecialFolders& f = SpecialFolders();
    for (const std::string* folder : AllFolders(f)) {
        ASSERT_FALSE(folder->empty());
        EXPECT_NE('\\', folder->back()) << *folder;
    }
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    EXPECT_EQ(std::string(temp), f.Temp + "\\"); // the system's answer ends in one
}

TEST(SpecialFolders, MissingWindowsFolderIsAnError)
{
    TNoWindowsFolder source;
    try {
        ResolveSpecialFolders(0, source);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ("Fail to get windows folder", e.Message());
    }
}
