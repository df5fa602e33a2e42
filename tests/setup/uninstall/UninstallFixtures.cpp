// Registry scratch keys, report recorder and message-box answerer for the replay tests.
#include "UninstallFixtures.h"

#include "PendingRenames.h"

#include "OwnedHandles.h"
#include "uWideText.h"

#include <chrono>
#include <sstream>

std::string UniqueName(const std::string& prefix)
{
    static unsigned counter = 0;
    std::ostringstream name;
    name << prefix << "-" << GetCurrentProcessId() << "-" << GetTickCount() << "-" << ++counter;
    return name.str();
}

TScratchKey::TScratchKey() : path_("Software\\FerrinTests\\" + UniqueName("uninstall"))
{
    CreateKey(HKEY_CURRENT_USER, path_);
}

TScratchKey::~TScratchKey() { DeleteKeyTree(HKEY_CURRENT_USER, path_); }

bool KeyExists(HKEY root, const std::string& key)
{
    TOwnedRegKey opened;
    return RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, opened.Receive()) == ERROR_SUCCESS;
}

void CreateKey(HKEY root, const std::string& key)
{
    TOwnedRegKey created;
    RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, created.Receive(), nullptr);
}

void DeleteKeyTree(HKEY root, const std::string& key)
{
    TOwnedRegKey opened;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS, opened.Receive()) != ERROR_SUCCESS)
        return;
    char name[256];
    std::vector<std::string> children;
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof(name);
        if (RegEnumKeyExA(opened.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        children.push_back(name);
    }
    opened.Reset(); // the key is deleted below, after its children
    for (const std::string& child : children)
        DeleteKeyTree(root, key + "\\" + child);
    RegDeleteKeyA(root, key.c_str());
}

void SetString(HKEY root, const std::string& key, const std::string& name, const std::string& value, DWORD type)
{
    TOwnedRegKey opened;
    RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, opened.Receive(), nullptr);
    RegSetValueExA(opened.Get(), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
}

void SetDword(HKEY root, const std::string& key, const std::string& name, DWORD value)
{
    TOwnedRegKey opened;
    RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, opened.Receive(), nullptr);
    RegSetValueExA(opened.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

namespace {

bool QueryValue(HKEY root, const std::string& key, const std::string& name, DWORD& type, std::string& data)
{
    TOwnedRegKey opened;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, opened.Receive()) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    bool found = RegQueryValueExA(opened.Get(), name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
    if (found) {
        data.assign(size, '\0');
        RegQueryValueExA(opened.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size);
        data.resize(size);
    }
    return found;
}

} // namespace

bool ValueExists(HKEY root, const std::string& key, const std::string& name)
{
    DWORD type = 0;
    std::string data;
    return QueryValue(root, key, name, type, data);
}

DWORD ValueType(HKEY root, const std::string& key, const std::string& name)
{
    DWORD type = REG_NONE;
    std::string data;
    return QueryValue(root, key, name, type, data) ? type : REG_NONE;
}

std::string StringValue(HKEY root, const std::string& key, const std::string& name)
{
    DWORD type = 0;
    std::string data;
    if (!QueryValue(root, key, name, type, data))
        return "<absent>";
    while (!data.empty() && data.back() == '\0')
        data.pop_back();
    return data;
}

DWORD DwordValue(HKEY root, const std::string& key, const std::string& name)
{
    DWORD type = 0;
    std::string data;
    DWORD value = 0xFFFFFFFF;
    if (QueryValue(root, key, name, type, data) && type == REG_DWORD && data.size() == sizeof(value))
        memcpy(&value, data.data(), sizeof(value));
    return value;
}

TUninstallEntry::TUninstallEntry(bool create) : projectId_(UniqueName("FerrinProduct"))
{
    if (create)
        CreateKey(HKEY_LOCAL_MACHINE, Key());
}

TUninstallEntry::~TUninstallEntry() { DeleteKeyTree(HKEY_LOCAL_MACHINE, Key()); }

std::string TUninstallEntry::Key() const
{
    return "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + projectId_;
}

void TReportRecorder::Attach(TOstrelUninstall& uninstall)
{
    uninstall.OnDeleteTarget = TOnDeleteTarget::FromFunction(
        [this](const std::string& target, int position) { Reports.push_back({target, position}); });
    uninstall.OnStartUninstall = TOnStartUninstall::FromFunction([this](int count) { StartCounts.push_back(count); });
}

std::vector<std::string> TReportRecorder::Targets() const
{
    std::vector<std::string> targets;
    for (const TReport& report : Reports)
        targets.push_back(report.Target);
    return targets;
}

int TReportRecorder::IndexOf(const std::string& target) const
{
    for (size_t index = 0; index < Reports.size(); ++index)
        if (Reports[index].Target == target)
            return static_cast<int>(index);
    return -1;
}

TMessageBoxAnswerer::TMessageBoxAnswerer() : thread_([this] { Watch(); }) {}

TMessageBoxAnswerer::~TMessageBoxAnswerer()
{
    stop_ = true;
    thread_.join();
}

std::vector<std::string> TMessageBoxAnswerer::Texts() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return texts_;
}

namespace {

struct TBoxSearch {
    HWND Box = nullptr;
};

// A visible dialog of this process: a message box the code under test opened.
BOOL CALLBACK FindOwnMessageBox(HWND window, LPARAM data)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[32] = {};
    GetClassNameA(window, className, sizeof(className));
    if (process == GetCurrentProcessId() && std::string(className) == "#32770" && IsWindowVisible(window)) {
        reinterpret_cast<TBoxSearch*>(data)->Box = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

void TMessageBoxAnswerer::Watch()
{
    while (!stop_) {
        TBoxSearch search;
        EnumWindows(&FindOwnMessageBox, reinterpret_cast<LPARAM>(&search));
        if (search.Box) {
            char text[1024] = {};
            GetDlgItemTextA(search.Box, 0xFFFF, text, sizeof(text)); // the box's message
            {
                std::lock_guard<std::mutex> lock(mutex_);
                texts_.push_back(text);
            }
            PostMessageA(search.Box, WM_COMMAND, IDOK, 0);
            // Wait until that box has gone before looking for the next one.
            for (int wait = 0; wait < 200 && IsWindow(search.Box) && IsWindowVisible(search.Box); ++wait)
                Sleep(10);
        }
        Sleep(20);
    }
}

namespace {

const wchar_t* const SessionManager = L"System\\CurrentControlSet\\Control\\Session Manager";
const wchar_t* const PendingValue = L"PendingFileRenameOperations";

std::vector<std::wstring> PendingEntries()
{
    std::vector<std::wstring> entries = PendingFileRenames();
    // Pairs of source and target; drop the list's closing empty entries.
    while (entries.size() % 2 != 0)
        entries.pop_back();
    return entries;
}

bool NamesPath(const std::wstring& entry, const std::wstring& path)
{
    return entry.size() >= path.size() &&
           _wcsicmp(entry.c_str() + entry.size() - path.size(), path.c_str()) == 0;
}

} // namespace

bool DeletionPendingAtRestart(const std::string& path)
{
    std::vector<std::wstring> entries = PendingEntries();
    for (size_t index = 0; index + 1 < entries.size(); index += 2)
        if (NamesPath(entries[index], uWideText::Widen(path)) && entries[index + 1].empty())
            return true;
    return false;
}

void ForgetPendingOperations(const std::string& path)
{
    std::vector<std::wstring> entries = PendingEntries();
    std::wstring kept;
    for (size_t index = 0; index + 1 < entries.size(); index += 2) {
        if (NamesPath(entries[index], uWideText::Widen(path)))
            continue;
        kept += entries[index];
        kept.push_back(L'\0');
        kept += entries[index + 1];
        kept.push_back(L'\0');
    }
    TOwnedRegKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, SessionManager, 0, KEY_ALL_ACCESS, key.Receive()) != ERROR_SUCCESS)
        return;
    if (kept.empty())
        RegDeleteValueW(key.Get(), PendingValue);
    else {
        kept.push_back(L'\0');
        RegSetValueExW(key.Get(), PendingValue, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(kept.data()),
                       static_cast<DWORD>(kept.size() * sizeof(wchar_t)));
    }
}
