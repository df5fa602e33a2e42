// The registry class over the ANSI registry functions.
#include "TRegistry.h"

#include "TStrings.h"

#include <windows.h>

#include <vector>

namespace {

std::string Trimmed(const std::string& key)
{
    size_t start = key.find_first_not_of('\\');
    if (start == std::string::npos)
        return std::string();
    size_t end = key.find_last_not_of('\\');
    return key.substr(start, end - start + 1);
}

bool IsPredefined(HKEY key)
{
    ULONG_PTR value = reinterpret_cast<ULONG_PTR>(key);
    return value >= reinterpret_cast<ULONG_PTR>(HKEY_CLASSES_ROOT) &&
           value <= reinterpret_cast<ULONG_PTR>(HKEY_DYN_DATA);
}

// Deletes the subkeys of `parent\name` first, then the key itself.
LONG DeleteTree(HKEY parent, const std::string& name)
{
    TOwnedRegKey key;
    LONG result = RegOpenKeyExA(parent, name.c_str(), 0, KEY_ALL_ACCESS, key.Receive());
    if (result != ERROR_SUCCESS)
        return result;
    std::vector<std::string> children;
    char buffer[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof buffer;
        if (RegEnumKeyExA(key.Get(), i, buffer, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        children.emplace_back(buffer, length);
    }
    for (const std::string& child : children)
        DeleteTree(key.Get(), child);
    key.Reset(); // closed before the key itself is deleted
    return RegDeleteKeyA(parent, name.c_str());
}

} // namespace

TRegistry::TRegistry() : TRegistry(KEY_ALL_ACCESS) {}

TRegistry::TRegistry(std::uint32_t access) : rootKey_(HKEY_CURRENT_USER), access_(access) {}

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY rootKey)
{
    if (rootKey == rootKey_)
        return;
    CloseKey();
    rootKey_ = rootKey;
}

void TRegistry::CloseKey()
{
    if (currentKey_.IsValid()) {
        if (!lazyWrite_)
            RegFlushKey(currentKey_.Get());
        currentKey_.Reset();
        currentPath_.clear();
    }
}

void TRegistry::ChangeKey(TOwnedRegKey key, const std::string& path)
{
    CloseKey();
    currentKey_ = std::move(key);
    currentPath_ = path;
}

HKEY TRegistry::BaseKeyFor(const std::string& key) const
{
    bool relative = key.empty() || key[0] != '\\';
    return relative && currentKey_.IsValid() ? currentKey_.Get() : rootKey_;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate)
{
    bool relative = key.empty() || key[0] != '\\';
    HKEY base = BaseKeyFor(key);
    std::string path = Trimmed(key);
    TOwnedRegKey opened;
    LONG result;
    if (canCreate && !path.empty()) {
        DWORD disposition = 0;
        result = RegCreateKeyExA(base, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access_, nullptr,
                                 opened.Receive(), &disposition);
    } else {
        result = RegOpenKeyExA(base, path.c_str(), 0, access_, opened.Receive());
    }
    if (result != ERROR_SUCCESS)
        return false;
    std::string fullPath = relative && currentKey_.IsValid() && !currentPath_.empty()
                               ? (path.empty() ? currentPath_ : currentPath_ + "\\" + path)
                               : path;
    ChangeKey(std::move(opened), fullPath);
    return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& key)
{
    std::uint32_t saved = access_;
    access_ = KEY_READ;
    bool opened = OpenKey(key, false);
    access_ = saved;
    return opened;
}

bool TRegistry::CreateKey(const std::string& key)
{
    TOwnedRegKey created;
    DWORD disposition = 0;
    LONG result = RegCreateKeyExA(BaseKeyFor(key), Trimmed(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  access_, nullptr, created.Receive(), &disposition);
    return result == ERROR_SUCCESS;
}

bool TRegistry::DeleteKey(const std::string& key)
{
    std::string path = Trimmed(key);
    if (path.empty())
        return false; // never the root or the current key itself
    return DeleteTree(BaseKeyFor(key), path) == ERROR_SUCCESS;
}

bool TRegistry::KeyExists(const std::string& key)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(BaseKeyFor(key), Trimmed(key).c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    // An empty path below a root key may answer the root key itself, which is not ours to close.
    TOwnedRegKey owned(IsPredefined(opened) ? nullptr : opened);
    return true;
}

bool TRegistry::DeleteValue(const std::string& name)
{
    return RegDeleteValueA(ValueKey(), name.c_str()) == ERROR_SUCCESS;
}

bool TRegistry::ValueExists(const std::string& name) const { return GetDataSize(name) >= 0; }

bool TRegistry::HasSubKeys() const
{
    DWORD subKeys = 0;
    return RegQueryInfoKeyA(ValueKey(), nullptr, nullptr, nullptr, &subKeys, nullptr,
                            nullptr, nullptr, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
           subKeys > 0;
}

namespace {

struct ValueInfo {
    bool exists = false;
    DWORD type = REG_NONE;
    DWORD size = 0;
};

ValueInfo QueryValue(HKEY key, const std::string& name)
{
    ValueInfo info;
    info.exists = RegQueryValueExA(key, name.c_str(), nullptr, &info.type, nullptr, &info.size) == ERROR_SUCCESS;
    return info;
}

TRegDataType DataTypeOf(DWORD type)
{
    switch (type) {
    case REG_SZ: return TRegDataType::rdString;
    case REG_EXPAND_SZ: return TRegDataType::rdExpandString;
    case REG_DWORD: return TRegDataType::rdInteger;
    case REG_BINARY: return TRegDataType::rdBinary;
    default: return TRegDataType::rdUnknown;
    }
}

} // namespace

TRegDataType TRegistry::GetDataType(const std::string& name) const
{
    ValueInfo info = QueryValue(ValueKey(), name);
    return info.exists ? DataTypeOf(info.type) : TRegDataType::rdUnknown;
}

int TRegistry::GetDataSize(const std::string& name) const
{
    ValueInfo info = QueryValue(ValueKey(), name);
    return info.exists ? static_cast<int>(info.size) : -1;
}

void TRegistry::GetValueNames(TStrings& names) const
{
    names.Clear();
    HKEY key = ValueKey();
    DWORD longest = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longest, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return;
    std::vector<char> buffer(longest + 1);
    for (DWORD i = 0;; ++i) {
        DWORD length = static_cast<DWORD>(buffer.size());
        if (RegEnumValueA(key, i, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.Add(std::string(buffer.data(), length));
    }
}

void TRegistry::GetKeyNames(TStrings& names) const
{
    names.Clear();
    HKEY key = ValueKey();
    char buffer[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof buffer;
        if (RegEnumKeyExA(key, i, buffer, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.Add(std::string(buffer, length));
    }
}

std::string TRegistry::ReadString(const std::string& name) const
{
    HKEY key = ValueKey();
    ValueInfo info = QueryValue(key, name);
    if (!info.exists)
        return std::string();
    if (info.type != REG_SZ && info.type != REG_EXPAND_SZ)
        throw ERegistryException("Invalid data type for '" + name + "'");
    std::vector<char> buffer(info.size + 1);
    DWORD size = info.size;
    if (RegQueryValueExA(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
        ERROR_SUCCESS)
        throw ERegistryException("Failed to get data for '" + name + "'");
    std::string value(buffer.data(), std::min<size_t>(size, info.size));
    while (!value.empty() && value.back() == '\0')
        value.pop_back();
    return value;
}

namespace {

void SetValue(HKEY key, const std::string& name, DWORD type, const void* data, DWORD size)
{
    if (RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size) != ERROR_SUCCESS)
        throw ERegistryException("Failed to set data for '" + name + "'");
}

} // namespace

void TRegistry::WriteString(const std::string& name, const std::string& value)
{
    SetValue(ValueKey(), name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void TRegistry::WriteExpandString(const std::string& name, const std::string& value)
{
    SetValue(ValueKey(), name, REG_EXPAND_SZ, value.c_str(),
             static_cast<DWORD>(value.size() + 1));
}

int TRegistry::ReadInteger(const std::string& name) const
{
    HKEY key = ValueKey();
    DWORD type = 0, value = 0, size = sizeof value;
    LONG result = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA)
        throw ERegistryException("Failed to get data for '" + name + "'");
    if (type != REG_DWORD || size != sizeof value)
        throw ERegistryException("Invalid data type for '" + name + "'");
    return static_cast<int>(value);
}

void TRegistry::WriteInteger(const std::string& name, int value)
{
    DWORD data = static_cast<DWORD>(value);
    SetValue(ValueKey(), name, REG_DWORD, &data, sizeof data);
}

int TRegistry::ReadBinaryData(const std::string& name, void* buffer, int size) const
{
    HKEY key = ValueKey();
    ValueInfo info = QueryValue(key, name);
    if (!info.exists)
        throw ERegistryException("Failed to get data for '" + name + "'");
    if (info.type != REG_BINARY)
        throw ERegistryException("Invalid data type for '" + name + "'");
    if (size < 0 || info.size > static_cast<DWORD>(size))
        throw ERegistryException("Failed to get data for '" + name + "': the buffer is too small");
    DWORD got = static_cast<DWORD>(size);
    if (RegQueryValueExA(key, name.c_str(), nullptr, nullptr, static_cast<BYTE*>(buffer), &got) != ERROR_SUCCESS)
        throw ERegistryException("Failed to get data for '" + name + "'");
    return static_cast<int>(got);
}

void TRegistry::WriteBinaryData(const std::string& name, const void* buffer, int size)
{
    if (size < 0)
        throw ERegistryException("Failed to set data for '" + name + "'");
    SetValue(ValueKey(), name, REG_BINARY, buffer, static_cast<DWORD>(size));
}
