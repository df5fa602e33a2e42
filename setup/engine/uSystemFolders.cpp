// The Windows kind and the special folders: the shell's folders on NT 5 and later,
// the 9x layout under the Windows folder on the older kinds.
#include "uSystemFolders.h"

#include "Exception.h"
#include "OwnedIdList.h"
#include "SysUtils.h"

#include <windows.h>
#include <shlobj.h>

namespace uSystemFolders {
namespace {

std::string WithoutTrailingBackslash(const std::string& path)
{
    return SysUtils::ExcludeTrailingBackslash(path);
}

} // namespace

int WindowsKindOf(bool ntFamily, unsigned majorVersion)
{
    if (ntFamily) {
        switch (majorVersion) {
        case 5: return 0;
        case 4: return 1;
        case 3: return 2;
        default: return 5;
        }
    }
    switch (majorVersion) {
    case 4: return 3;
    case 3: return 4;
    default: return 6;
    }
}

int WindowsKind()
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!GetVersionExA(&info))
        return WindowsKindOf(false, 0);
    return WindowsKindOf(info.dwPlatformId == VER_PLATFORM_WIN32_NT, info.dwMajorVersion);
}

bool UsesShellFolders(int windowsKind)
{
    // Kind 5 is, in practice, NT after version 5: its folders are where the shell
    // says, and the 9x layout under the Windows folder does not exist there.
    return windowsKind == 0 || windowsKind == 5;
}

std::string TSystemFolderSource::ShellFolder(int csidl)
{
    TOwnedIdList list;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, list.Receive())) || !list.Get())
        return std::string();
    char path[MAX_PATH + 1] = {};
    if (!SHGetPathFromIDListA(list.Get(), path))
        return std::string();
    return path;
}

std::string TSystemFolderSource::WindowsFolder()
{
    char path[MAX_PATH + 1] = {};
    UINT length = GetWindowsDirectoryA(path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

std::string TSystemFolderSource::SystemFolder()
{
    char path[MAX_PATH + 1] = {};
    UINT length = GetSystemDirectoryA(path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

std::string TSystemFolderSource::TempFolder()
{
    char path[MAX_PATH + 1] = {};
    DWORD length = GetTempPathA(MAX_PATH, path);
    return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

std::string TSystemFolderSource::ComputerName()
{
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = sizeof(name);
    return GetComputerNameA(name, &length) ? std::string(name, length) : std::string();
}

TSpecialFolders ResolveSpecialFolders(int windowsKind, TFolderSource& source)
{
    TSpecialFolders folders;
    folders.Windows = WithoutTrailingBackslash(source.WindowsFolder());
    if (folders.Windows.empty())
        throw Exception("Fail to get windows folder");

    auto shell = [&source](int csidl) { return WithoutTrailingBackslash(source.ShellFolder(csidl)); };
    folders.Desktop = shell(CSIDL_DESKTOP);
    folders.System = WithoutTrailingBackslash(source.SystemFolder());
    folders.Programs = shell(CSIDL_PROGRAMS);
    folders.Fonts = shell(CSIDL_FONTS);
    folders.ApplicationData = shell(CSIDL_APPDATA);
    folders.Favorites = shell(CSIDL_FAVORITES);
    folders.SentTo = shell(CSIDL_SENDTO);
    folders.StartMenu = shell(CSIDL_STARTMENU);
    folders.Startup = shell(CSIDL_STARTUP);
    folders.Templates = shell(CSIDL_TEMPLATES);
    folders.Temp = WithoutTrailingBackslash(source.TempFolder());

    if (UsesShellFolders(windowsKind)) {
        folders.CommonDesktop = shell(CSIDL_COMMON_DESKTOPDIRECTORY);
        folders.CommonPrograms = shell(CSIDL_COMMON_PROGRAMS);
        folders.CommonStartMenu = shell(CSIDL_COMMON_STARTMENU);
        folders.CommonStartup = shell(CSIDL_COMMON_STARTUP);
        folders.CommonFiles = shell(CSIDL_PROGRAM_FILES_COMMON);
        folders.ProgramFiles = shell(CSIDL_PROGRAM_FILES);
        folders.CommonApplicationData = shell(CSIDL_COMMON_APPDATA);
        folders.ComputerName = source.ComputerName();
    } else {
        folders.CommonDesktop = folders.Windows + "\\All Users\\Desktop";
        folders.CommonPrograms = folders.Windows + "\\Start Menu\\Programs";
        folders.CommonStartMenu = folders.Windows + "\\Start Menu";
        folders.CommonStartup = folders.Windows + "\\Start Menu\\Programs\\Startup";
        // The drive of the Windows folder: "C:\".
        folders.ProgramFiles = folders.Windows.substr(0, 3) + "Program Files";
        folders.CommonFiles = folders.ProgramFiles + "\\Common Files";
        folders.CommonApplicationData = folders.Windows + "\\Application Data";
    }
    return folders;
}

const TSpecialFolders& SpecialFolders()
{
    static const TSpecialFolders folders = [] {
        TSystemFolderSource source;
        return ResolveSpecialFolders(WindowsKind(), source);
    }();
    return folders;
}

} // namespace uSystemFolders
