// Shell-namespace operations over the desktop folder and the shell allocator.
#include "KvShellUtils.h"

#include "EOleSysError.h"
#include "KvDeviceChangeHandler.h"
#include "KvIdListArray.h"
#include "KvShellIntf.h"
#include "OwnedCoTaskMem.h"
#include "OwnedHandles.h"
#include "OwnedLocalMemory.h"
#include "ScopeExit.h"
#include "SysUtils.h"

#include <lm.h>
#include <shellapi.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <utility>

namespace {

using NetUseGetInfoFn = NET_API_STATUS(WINAPI*)(LMSTR, LMSTR, DWORD, LPBYTE*);
using NetApiBufferFreeFn = NET_API_STATUS(WINAPI*)(LPVOID);

enum class TNetApiState { NotTried, Unavailable, Available };

// Everything the unit keeps for the process: read once at start, released at the end.
struct TUnitState {
    TUnitState()
    {
        KvShellIntf::ComStarted(); // the apartment is joined before the allocator is asked for
        version.dwOSVersionInfoSize = sizeof(version);
        GetVersionExA(&version);
        SHGetMalloc(allocator.Receive());
        KvShellUtils::GetFileVersion("comctl32.dll", comCtlVersion);
        KvShellUtils::GetFileVersion("shell32.dll", shellVersion);
    }
    ~TUnitState() { deviceChangeHandler.reset(); } // before the network library goes

    OSVERSIONINFOA version = {};
    ComPtr<IMalloc> allocator;
    std::uint64_t comCtlVersion = 0;
    std::uint64_t shellVersion = 0;
    std::unique_ptr<TKvDeviceChangeHandler> deviceChangeHandler;
    TOwnedModule netApi;
    TNetApiState netApiState = TNetApiState::NotTried;
    NetUseGetInfoFn netUseGetInfo = nullptr;
    NetApiBufferFreeFn netApiBufferFree = nullptr;
    bool overlaysSet = false;
    int driveRefreshSuspended = 0;
};

TUnitState& State()
{
    static TUnitState state;
    return state;
}

constexpr int kLastSpecialFolder = 50;
constexpr int kMaxSubstitutions = 50;
constexpr size_t kLastInsert = 99; // FormatMessage's highest insert number
constexpr int kDrivesFolder = 17; // CSIDL_DRIVES
constexpr UINT kShortcutText = MAX_PATH + 1;

std::string Narrow(const wchar_t* text)
{
    if (text == nullptr || *text == L'\0')
        return std::string();
    int length = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(std::max(length, 1)), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, &narrow[0], length, nullptr, nullptr);
    narrow.resize(static_cast<size_t>(std::max(length - 1, 0)));
    return narrow;
}

const USHORT kEmptyList = 0;
LPCITEMIDLIST EmptyIdList() { return reinterpret_cast<LPCITEMIDLIST>(&kEmptyList); }

// The loaded small and large system image lists, with the shell's two overlays added once.
void SetUpOverlays()
{
    TUnitState& state = State();
    if (state.overlaysSet)
        return;
    state.overlaysSet = true;
    TOwnedModule shell(LoadLibraryA("shell32.dll"));
    if (shell.IsNull())
        return;
    for (int size = 0; size < 2; ++size) {
        SHFILEINFOA info = {};
        UINT flags = SHGFI_SYSICONINDEX | (size == 0 ? SHGFI_SMALLICON : 0);
        auto list = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA("C:\\", 0, &info, sizeof(info), flags));
        if (list == nullptr)
            list = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA(reinterpret_cast<LPCSTR>(EmptyIdList()), 0, &info,
                                                               sizeof(info), flags | SHGFI_PIDL));
        if (list == nullptr)
            continue;
        int pixels = size == 0 ? 16 : 32;
        for (int overlay = 1; overlay <= 2; ++overlay) {
            TOwnedIcon icon(static_cast<HICON>(
                LoadImageA(shell.Get(), MAKEINTRESOURCEA(28 + overlay), IMAGE_ICON, pixels, pixels, 0)));
            if (icon.IsNull())
                continue;
            int index = ImageList_AddIcon(list, icon.Get());
            if (index >= 0)
                ImageList_SetOverlayImage(list, index, overlay);
        }
    }
}

} // namespace

namespace KvShellUtils {

bool IsWinNT() { return State().version.dwPlatformId == VER_PLATFORM_WIN32_NT; }

bool GetFileVersion(const std::string& file, std::uint64_t& version)
{
    version = 0;
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
    if (size == 0)
        return false;
    std::vector<char> data(size);
    if (!GetFileVersionInfoA(file.c_str(), 0, size, data.data()))
        return false;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || fixed == nullptr ||
        length < sizeof(VS_FIXEDFILEINFO))
        return false;
    version = (static_cast<std::uint64_t>(fixed->dwFileVersionMS) << 32) | fixed->dwFileVersionLS;
    return true;
}

std::uint64_t ComCtlVersion() { return State().comCtlVersion; }
std::uint64_t ShellVersion() { return State().shellVersion; }

void* ShellAlloc(SIZE_T size) { return ShellAllocator()->Alloc(size); }

void ShellFree(void* memory)
{
    if (memory != nullptr)
        ShellAllocator()->Free(memory);
}

IMalloc* ShellAllocator() { return State().allocator.Get(); }

HRESULT DesktopFolder(ComPtr<IShellFolder>& folder) { return SHGetDesktopFolder(folder.Receive()); }

HRESULT BindToFolder(LPCITEMIDLIST idList, ComPtr<IShellFolder>& folder)
{
    ComPtr<IShellFolder> desktop;
    HRESULT result = DesktopFolder(desktop);
    if (FAILED(result))
        return result;
    if (IdListSize(idList) <= sizeof(USHORT)) {
        folder = std::move(desktop);
        return S_OK;
    }
    return desktop->BindToObject(idList, nullptr, IID_IShellFolder, folder.ReceiveVoid());
}

HRESULT PathToIdList(const std::string& path, TOwnedIdList& idList)
{
    idList.Reset();
    std::wstring wide = SysUtils::AnsiToWide(path);
    // The shell reads at most MAX_PATH characters; a longer path would name another item.
    if (wide.size() >= MAX_PATH)
        return E_INVALIDARG;
    ComPtr<IShellFolder> desktop;
    HRESULT result = DesktopFolder(desktop);
    if (FAILED(result))
        return result;
    ULONG eaten = 0, attributes = 0;
    return desktop->ParseDisplayName(nullptr, nullptr, &wide[0], &eaten, idList.Receive(), &attributes);
}

std::string IdListToPath(LPCITEMIDLIST idList)
{
    char path[MAX_PATH + 1] = {};
    if (!SHGetPathFromIDListA(idList != nullptr ? idList : EmptyIdList(), path))
        return std::string();
    return path;
}

std::string SpecialFolderPath(HWND owner, int folderNumber)
{
    TOwnedIdList list;
    if (FAILED(SpecialFolderIdList(owner, folderNumber, list)))
        return std::string();
    return IdListToPath(list.Get());
}

HRESULT SpecialFolderIdList(HWND owner, int folderNumber, TOwnedIdList& idList)
{
    return SHGetSpecialFolderLocation(owner, folderNumber & 0x7F, idList.Receive());
}

int IdListIconIndex(LPCITEMIDLIST idList, UINT flags)
{
    SHFILEINFOA info = {};
    if (!SHGetFileInfoA(reinterpret_cast<LPCSTR>(idList), 0, &info, sizeof(info),
                        flags | SHGFI_SYSICONINDEX | SHGFI_PIDL))
        return 0;
    return info.iIcon;
}

int SpecialFolderOfIdList(LPCITEMIDLIST idList)
{
    for (int folder = 0; folder <= kLastSpecialFolder; ++folder) {
        TOwnedIdList special;
        if (SUCCEEDED(SpecialFolderIdList(nullptr, folder, special)) && special &&
            CompareIdLists(special.Get(), idList) == 0)
            return folder;
    }
    return kLastSpecialFolder;
}

std::string ItemDisplayName(IShellFolder* folder, LPCITEMIDLIST item, TKvNameKind kind)
{
    static const SHGDNF kFlags[] = {SHGDN_NORMAL, SHGDN_INFOLDER, SHGDN_FORPARSING,
                                    SHGDN_INFOLDER | SHGDN_FOREDITING};
    ComPtr<IShellFolder> desktop;
    if (folder == nullptr) {
        if (FAILED(DesktopFolder(desktop)))
            return std::string();
        folder = desktop.Get();
    }
    STRRET name = {};
    name.uType = STRRET_WSTR;
    SHGDNF flags = kFlags[static_cast<int>(kind)];
    if (FAILED(folder->GetDisplayNameOf(item, flags, &name))) {
        name = STRRET{};
        name.uType = STRRET_CSTR;
        if (FAILED(folder->GetDisplayNameOf(item, flags, &name)))
            return std::string();
    }
    std::string text = StrRetToText(item, name);
    FreeStrRet(name);
    return text;
}

std::string IdListDisplayName(LPCITEMIDLIST absoluteList)
{
    TKvIdListArray items(absoluteList);
    if (items.GetCount() > 1) {
        ComPtr<IShellFolder> parent;
        OleCheck(BindToFolder(items.GetLeadingItems(1), parent), "Binding the parent folder");
        LPCITEMIDLIST last = items.GetItem(items.GetCount() - 1);
        return ItemDisplayName(parent.Get(), last, TKvNameKind::nkInFolder);
    }
    return ItemDisplayName(nullptr, absoluteList != nullptr ? absoluteList : EmptyIdList(), TKvNameKind::nkInFolder);
}

HIMAGELIST SystemImageList(int size)
{
    if (IsWinNT() && (ComCtlVersion() >> 32) >= 0x40047)
        SetUpOverlays();
    SHFILEINFOA info = {};
    UINT flags = SHGFI_SYSICONINDEX | (size == 0 ? SHGFI_SMALLICON : 0);
    auto list = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA("C:\\", 0, &info, sizeof(info), flags));
    if (list == nullptr)
        list = reinterpret_cast<HIMAGELIST>(
            SHGetFileInfoA(reinterpret_cast<LPCSTR>(EmptyIdList()), 0, &info, sizeof(info), flags | SHGFI_PIDL));
    return list;
}

std::string StrRetToText(LPCITEMIDLIST item, const STRRET& strRet)
{
    switch (strRet.uType) {
    case STRRET_WSTR:
        return Narrow(strRet.pOleStr);
    case STRRET_OFFSET: {
        if (item == nullptr)
            return std::string();
        // The text lies inside the item: read no further than the item's own bytes.
        UINT size = IdListSize(item);
        if (strRet.uOffset >= size)
            return std::string();
        const char* text = reinterpret_cast<const char*>(item) + strRet.uOffset;
        return std::string(text, strnlen(text, size - strRet.uOffset));
    }
    case STRRET_CSTR:
        return std::string(strRet.cStr, strnlen(strRet.cStr, sizeof(strRet.cStr)));
    default:
        return std::string();
    }
}

void FreeStrRet(STRRET& strRet)
{
    if (strRet.uType != STRRET_WSTR)
        return;
    // The owner takes the wide text over and frees it as it goes.
    TOwnedCoTaskMem<wchar_t> text(std::exchange(strRet.pOleStr, nullptr));
}

std::string AppendDelimiter(const std::string& text, char delimiter)
{
    if (text.empty())
        return text;
    // Is the last byte the second half of a double-byte character? Walk from the start to know.
    size_t i = 0, lastStart = 0;
    while (i < text.size()) {
        lastStart = i;
        bool lead = IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < text.size();
        i += lead ? 2 : 1;
    }
    bool endsDoubleByte = text.size() - lastStart == 2;
    if (!endsDoubleByte && text.back() == delimiter)
        return text;
    return text + delimiter;
}

UINT IdListSize(LPCITEMIDLIST list)
{
    if (list == nullptr)
        return 0;
    UINT size = 0;
    const BYTE* item = reinterpret_cast<const BYTE*>(list);
    for (;;) {
        USHORT count;
        std::memcpy(&count, item + size, sizeof(count));
        if (count == 0)
            break;
        size += count;
    }
    return size + sizeof(USHORT);
}

int CompareIdLists(LPCITEMIDLIST a, LPCITEMIDLIST b)
{
    if (a == nullptr && b == nullptr)
        return 0;
    if (a == nullptr || b == nullptr)
        return -1;
    bool aEmpty = IdListSize(a) == sizeof(USHORT), bEmpty = IdListSize(b) == sizeof(USHORT);
    if (aEmpty && bEmpty)
        return 0;
    if (aEmpty || bEmpty)
        return -1;
    ComPtr<IShellFolder> desktop;
    if (FAILED(DesktopFolder(desktop)))
        return INT_MAX;
    HRESULT result = desktop->CompareIDs(0, a, b);
    if (FAILED(result))
        return INT_MAX;
    return static_cast<short>(HRESULT_CODE(result));
}

TOwnedIdList ConcatIdLists(IMalloc* allocator, LPCITEMIDLIST a, LPCITEMIDLIST b)
{
    IMalloc* from = allocator != nullptr ? allocator : ShellAllocator();
    UINT sizeA = IdListSize(a), sizeB = IdListSize(b);
    // Each list's terminator is dropped; one is written at the end.
    UINT bytesA = sizeA > 0 ? sizeA - sizeof(USHORT) : 0;
    UINT bytesB = sizeB > 0 ? sizeB - sizeof(USHORT) : 0;
    auto* joined = static_cast<BYTE*>(from->Alloc(bytesA + bytesB + sizeof(USHORT)));
    if (joined == nullptr)
        return TOwnedIdList();
    if (bytesA > 0)
        std::memcpy(joined, a, bytesA);
    if (bytesB > 0)
        std::memcpy(joined + bytesA, b, bytesB);
    std::memset(joined + bytesA + bytesB, 0, sizeof(USHORT));
    return TOwnedIdList(reinterpret_cast<LPITEMIDLIST>(joined), from);
}

TOwnedIdList CopyIdList(IMalloc* allocator, LPCITEMIDLIST list) { return ConcatIdLists(allocator, list, nullptr); }

HRESULT ReadShortcut(const std::string& linkFile, TKvShortcutInfo& info, bool wantIdList)
{
    info = TKvShortcutInfo{};
    ComPtr<IShellLinkA> link;
    HRESULT result =
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.ReceiveVoid());
    if (FAILED(result))
        return result;
    ComPtr<IPersistFile> file;
    if (FAILED(result = link->QueryInterface(IID_IPersistFile, file.ReceiveVoid())))
        return result;
    std::wstring wide = SysUtils::AnsiToWide(linkFile);
    if (FAILED(result = file->Load(wide.c_str(), STGM_READ)))
        return result;
    if (FAILED(result = link->Resolve(nullptr, SLR_NO_UI | SLR_NOUPDATE | SLR_NOSEARCH | SLR_NOTRACK)))
        return result;
    char text[kShortcutText] = {};
    auto take = [&text](HRESULT got, std::string& field) {
        text[kShortcutText - 1] = '\0';
        field = SUCCEEDED(got) ? std::string(text) : std::string();
        text[0] = '\0';
        return got;
    };
    if (FAILED(result = take(link->GetPath(text, kShortcutText, nullptr, 0), info.Path)))
        return result;
    if (FAILED(result = take(link->GetArguments(text, kShortcutText), info.Arguments)))
        return result;
    if (FAILED(result = take(link->GetDescription(text, kShortcutText), info.Description)))
        return result;
    if (FAILED(result = take(link->GetIconLocation(text, kShortcutText, &info.IconIndex), info.IconFile)))
        return result;
    if (FAILED(result = take(link->GetWorkingDirectory(text, kShortcutText), info.WorkingFolder)))
        return result;
    if (FAILED(result = link->GetShowCmd(&info.ShowCommand)))
        return result;
    if (FAILED(result = link->GetHotkey(&info.HotKey)))
        return result;
    info.Valid = true;
    if (wantIdList && FAILED(result = link->GetIDList(info.IdList.Receive())))
        return result;
    return S_OK;
}

void RefreshDriveFolder()
{
    if (State().driveRefreshSuspended > 0)
        return;
    TOwnedIdList drives;
    OleCheck(SpecialFolderIdList(nullptr, kDrivesFolder, drives), "Locating the drives folder");
    ComPtr<IShellFolder> folder;
    OleCheck(BindToFolder(drives.Get(), folder), "Binding the drives folder");
    SFGAOF attributes = SFGAO_VALIDATE;
    OleCheck(folder->GetAttributesOf(0, nullptr, &attributes), "Validating the drives folder");
}

void SuspendDriveRefresh() { ++State().driveRefreshSuspended; }

void ResumeDriveRefresh()
{
    if (State().driveRefreshSuspended > 0)
        --State().driveRefreshSuspended;
}

std::string FormatStrPos(const std::string& format, const std::vector<std::string>& strings)
{
    if (strings.size() > kMaxSubstitutions)
        throw Exception("FormatStrPos: Too many substitution strings");
    if (format.empty())
        return std::string();
    // The format may name any insert up to %99, and FormatMessage reads whatever
    // it names: every one has an entry, and those above the given strings stand
    // for themselves.
    std::vector<std::string> unnamed;
    unnamed.reserve(kLastInsert - strings.size());
    DWORD_PTR arguments[kLastInsert] = {};
    for (size_t i = 0; i < kLastInsert; ++i) {
        if (i < strings.size()) {
            arguments[i] = reinterpret_cast<DWORD_PTR>(strings[i].c_str());
        } else {
            unnamed.push_back("%" + std::to_string(i + 1));
            arguments[i] = reinterpret_cast<DWORD_PTR>(unnamed.back().c_str());
        }
    }
    TOwnedLocalMemory<char> text;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY |
                                      FORMAT_MESSAGE_ALLOCATE_BUFFER,
                                  format.c_str(), 0, 0, reinterpret_cast<LPSTR>(text.Receive()), 0,
                                  reinterpret_cast<va_list*>(arguments));
    if (length == 0 || text.Get() == nullptr)
        return std::string();
    return std::string(text.Get(), length);
}

bool NetDriveConnected(char letter)
{
    TUnitState& state = State();
    if (state.netApiState == TNetApiState::NotTried) {
        state.netApiState = TNetApiState::Unavailable;
        state.netApi.Reset(LoadLibraryA("netapi32.dll"));
        if (state.netApi.IsValid()) {
            state.netUseGetInfo = reinterpret_cast<NetUseGetInfoFn>(
                reinterpret_cast<void*>(GetProcAddress(state.netApi.Get(), "NetUseGetInfo")));
            state.netApiBufferFree = reinterpret_cast<NetApiBufferFreeFn>(
                reinterpret_cast<void*>(GetProcAddress(state.netApi.Get(), "NetApiBufferFree")));
            if (state.netUseGetInfo != nullptr && state.netApiBufferFree != nullptr)
                state.netApiState = TNetApiState::Available;
        }
    }
    if (state.netApiState != TNetApiState::Available)
        return true;
    wchar_t name[3] = {static_cast<wchar_t>(static_cast<unsigned char>(letter)), L':', L'\0'};
    LPBYTE buffer = nullptr;
    // The buffer is the network library's, given back through its own routine
    // (loaded at run time, so no owner of the shared foundation fits it).
    TScopeExit freeBuffer([&] {
        if (buffer != nullptr)
            state.netApiBufferFree(buffer);
    });
    if (state.netUseGetInfo(nullptr, name, 1, &buffer) != NERR_Success)
        return false;
    return buffer != nullptr && reinterpret_cast<USE_INFO_1*>(buffer)->ui1_status == USE_OK;
}

TKvDeviceChangeHandler* SharedDeviceChangeHandler()
{
    TUnitState& state = State();
    if (!state.deviceChangeHandler)
        state.deviceChangeHandler = std::make_unique<TKvDeviceChangeHandler>();
    return state.deviceChangeHandler.get();
}

} // namespace KvShellUtils
