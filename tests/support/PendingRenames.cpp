// Reading the restart-time rename list back.
#include "PendingRenames.h"

#include "OwnedHandles.h"

std::vector<std::wstring> PendingFileRenames()
{
    const wchar_t* const sessionManager = L"System\\CurrentControlSet\\Control\\Session Manager";
    const wchar_t* const pendingValue = L"PendingFileRenameOperations";
    std::vector<std::wstring> entries;
    TOwnedRegKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, sessionManager, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
        return entries;
    DWORD size = 0, type = 0;
    if (RegQueryValueExW(key.Get(), pendingValue, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return entries;
    std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key.Get(), pendingValue, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size) !=
        ERROR_SUCCESS)
        return entries;
    data.resize(size / sizeof(wchar_t));
    size_t start = 0;
    while (start < data.size()) {
        size_t end = data.find(L'\0', start);
        if (end == std::wstring::npos)
            end = data.size();
        entries.push_back(data.substr(start, end - start));
        start = end + 1;
    }
    return entries;
}
