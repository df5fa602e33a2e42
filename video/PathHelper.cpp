// CPathHelper: the program folder, config.ini access and shot file names.
#include "PathHelper.h"

#include <climits>
#include <cstdlib>

namespace {

constexpr int kSettingLength = 260;

BOOL FileOrFolderExists(LPCSTR path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

CString CPathHelper::GetProgramFolder() const
{
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    CString program(path, static_cast<int>(length));
    const int slash = program.ReverseFind('\\');
    return slash < 0 ? CString() : program.Left(slash);
}

CString CPathHelper::GetConfigPath() const
{
    return GetProgramFolder() + "\\config.ini";
}

BOOL CPathHelper::ConfigExists() const
{
    const DWORD attributes = GetFileAttributesA(GetConfigPath());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

CString CPathHelper::ReadSetting(LPCSTR section, LPCSTR key, LPCSTR fallback) const
{
    CString value;
    char* buffer = value.GetBuffer(kSettingLength);
    GetPrivateProfileStringA(section, key, fallback, buffer, kSettingLength, GetConfigPath());
    value.ReleaseBuffer();
    return value;
}

BOOL CPathHelper::WriteSetting(LPCSTR section, LPCSTR key, LPCSTR value) const
{
    return WritePrivateProfileStringA(section, key, value, GetConfigPath());
}

BOOL CPathHelper::FolderExists(LPCSTR path)
{
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

CString CPathHelper::MakeClockFileName(const SYSTEMTIME& time, int number)
{
    CString name;
    name.Format("%d%d%d%d%d%df%d", time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond,
                number);
    return name;
}

CString CPathHelper::MakeClockFileName()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return MakeClockFileName(now, std::rand() % 11);
}

CString CPathHelper::MakeShotPath(LPCSTR folder, LPCSTR extension)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return MakeShotPath(folder, extension, now, std::rand() % 11);
}

CString CPathHelper::MakeShotPath(LPCSTR folder, LPCSTR extension, const SYSTEMTIME& time, int firstNumber)
{
    // A shot never replaces an earlier one: the numbers after the drawn one
    // are tried until a name of this second is free.
    for (int number = firstNumber;; ++number) {
        CString path = CString(folder) + "\\" + MakeClockFileName(time, number) + extension;
        if (!FileOrFolderExists(path) || number == INT_MAX)
            return path;
    }
}
