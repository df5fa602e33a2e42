// KvShellUtils: the shell-namespace operations the shell controls share: item
// identifier lists (sizes, copies, comparison), binding folders, paths and
// display names, special folders, the system image lists, shortcuts, message
// formatting, network drives and the one device-change handler of the process.
#pragma once

#include "ComPtr.h"
#include "OwnedIdList.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdint>
#include <string>
#include <vector>

class TKvDeviceChangeHandler;

// The names a shell folder gives an item.
enum class TKvNameKind { nkNormal, nkInFolder, nkForParsing, nkInFolderForEditing };

// What ReadShortcut found in a shortcut file.
struct TKvShortcutInfo {
    std::string Path;
    std::string Arguments;
    std::string Description;
    std::string IconFile;
    int IconIndex = 0;
    std::string WorkingFolder;
    int ShowCommand = 0;
    WORD HotKey = 0;
    // Set once all the fields above were read.
    bool Valid = false;
    // The target's item-identifier list, when asked for.
    TOwnedIdList IdList;
};

namespace KvShellUtils {

bool IsWinNT();
// The fixed file version (most significant dword high, least significant low); false when there is none.
bool GetFileVersion(const std::string& file, std::uint64_t& version);
// The versions read at start-up (0 when unreadable).
std::uint64_t ComCtlVersion();
std::uint64_t ShellVersion();

void* ShellAlloc(SIZE_T size);
// Frees memory of the shell allocator; nullptr is ignored.
void ShellFree(void* memory);
IMalloc* ShellAllocator();

// The folder of an absolute list (the desktop for nullptr or the empty list).
HRESULT BindToFolder(LPCITEMIDLIST idList, ComPtr<IShellFolder>& folder);
HRESULT DesktopFolder(ComPtr<IShellFolder>& folder);
HRESULT PathToIdList(const std::string& path, TOwnedIdList& idList);
// The file-system path of a list; empty when it has none.
std::string IdListToPath(LPCITEMIDLIST idList);
std::string SpecialFolderPath(HWND owner, int folderNumber);
HRESULT SpecialFolderIdList(HWND owner, int folderNumber, TOwnedIdList& idList);
// The system icon index of a list (flags as SHGetFileInfo takes them); 0 on failure.
int IdListIconIndex(LPCITEMIDLIST idList, UINT flags);
// The first special folder number (0 to 50) whose list equals this one; 50 when none does.
int SpecialFolderOfIdList(LPCITEMIDLIST idList);
std::string ItemDisplayName(IShellFolder* folder, LPCITEMIDLIST item, TKvNameKind kind);
// The in-folder name of the last item of an absolute list; raises EOleSysError when
// the parent cannot be bound.
std::string IdListDisplayName(LPCITEMIDLIST absoluteList);
// The system image list: size 0 small, 1 large.
HIMAGELIST SystemImageList(int size);
std::string StrRetToText(LPCITEMIDLIST item, const STRRET& strRet);
void FreeStrRet(STRRET& strRet);
std::string AppendDelimiter(const std::string& text, char delimiter);

UINT IdListSize(LPCITEMIDLIST list);
int CompareIdLists(LPCITEMIDLIST a, LPCITEMIDLIST b);
// New lists from the allocator (the shell allocator for nullptr); empty when allocation fails.
TOwnedIdList ConcatIdLists(IMalloc* allocator, LPCITEMIDLIST a, LPCITEMIDLIST b);
TOwnedIdList CopyIdList(IMalloc* allocator, LPCITEMIDLIST list);

HRESULT ReadShortcut(const std::string& linkFile, TKvShortcutInfo& info, bool wantIdList);

// Asks the drives folder to look at its drives again (unless suspended); raises EOleSysError.
void RefreshDriveFolder();
void SuspendDriveRefresh();
void ResumeDriveRefresh();

// Replaces %1..%n of the format by the strings; at most 50 strings.
std::string FormatStrPos(const std::string& format, const std::vector<std::string>& strings);
bool NetDriveConnected(char letter);

TKvDeviceChangeHandler* SharedDeviceChangeHandler();

} // namespace KvShellUtils
