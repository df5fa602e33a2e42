// A small program that stands in for the setup program in the uninstaller tests. It
// carries a SETUPDATA resource like the setup program and, when started, reports
// where it runs, how it was started, whether its own deletion at restart was
// already scheduled, and the product identifier at its end.
#include "Exception.h"
#include "OwnedHandles.h"
#include "uUninstaller.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::wstring Wide(const std::string& text)
{
    int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length) - 1);
    return wide;
}

// True when a pending deletion at restart names this file.
bool DeletionScheduled(const std::string& path)
{
    TOwnedRegKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\Session Manager", 0, KEY_READ,
                      key.Receive()) != ERROR_SUCCESS)
        return false;
    DWORD size = 0, type = 0;
    std::wstring data;
    if (RegQueryValueExW(key.Get(), L"PendingFileRenameOperations", nullptr, &type, nullptr, &size) ==
        ERROR_SUCCESS) {
        data.assign(size / sizeof(wchar_t) + 1, L'\0');
        RegQueryValueExW(key.Get(), L"PendingFileRenameOperations", nullptr, &type,
                         reinterpret_cast<BYTE*>(&data[0]), &size);
        data.resize(size / sizeof(wchar_t));
    }
    key.Reset();
    // Pairs of source and target; an empty target is a deletion.
    std::vector<std::wstring> entries;
    for (size_t start = 0; start < data.size();) {
        size_t end = std::min(data.find(L'\0', start), data.size());
        entries.push_back(data.substr(start, end - start));
        start = end + 1;
    }
    const std::wstring wide = Wide(path);
    for (size_t i = 0; i + 1 < entries.size(); i += 2) {
        const std::wstring& source = entries[i];
        if (entries[i + 1].empty() && source.size() >= wide.size() &&
            _wcsicmp(source.c_str() + source.size() - wide.size(), wide.c_str()) == 0)
            return true;
    }
    return false;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char reportPath[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("FERRIN_FIXTURE_REPORT", reportPath, MAX_PATH))
        return 1;
    const std::string self = uUninstaller::RunningProgramPath();
    std::string report = "module=" + self + "\r\n";
    report += std::string("command=") + GetCommandLineA() + "\r\n";
    report += std::string("scheduled=") + (DeletionScheduled(self) ? "1" : "0") + "\r\n";
    try {
        report += "id=" + uUninstaller::ReadProductId() + "\r\n";
    } catch (const Exception& e) {
        report += "error=" + e.Message() + "\r\n";
    }
    // Written aside and renamed, so that the test never reads half a report.
    const std::string part = std::string(reportPath) + ".part";
    TOwnedHandle file(
        CreateFileA(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return 2;
    DWORD written = 0;
    WriteFile(file.Get(), report.data(), static_cast<DWORD>(report.size()), &written, nullptr);
    file.Reset(); // the whole report is on disk before it takes its name
    return MoveFileExA(part.c_str(), reportPath, MOVEFILE_REPLACE_EXISTING) ? 0 : 3;
}
