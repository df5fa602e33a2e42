// The SysUtils routines that ask the system. They live apart so that the text
// routines build and run without <windows.h> (the native fuzz targets use them).
#include "SysUtils.h"

#include "Exception.h"
#include "OwnedLocalMemory.h"

#include <windows.h>

namespace SysUtils {

std::string SystemErrorText(unsigned long code)
{
    TOwnedLocalMemory<char> text;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, reinterpret_cast<char*>(text.Receive()), 0, nullptr);
    if (length == 0 || text.Get() == nullptr)
        return std::string();
    std::string message(text.Get(), length);
    while (!message.empty() && (message.back() == '\r' || message.back() == '\n' || message.back() == ' ' ||
                                message.back() == '.'))
        message.pop_back();
    return message;
}

std::string SysErrorMessage(unsigned long error)
{
    std::string text = SystemErrorText(error);
    return text.empty() ? "error " + std::to_string(error) : text;
}

std::wstring AnsiToWide(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    int count = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(count), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], count);
    return wide;
}

bool FileExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path)
{
    if (path.empty())
        return false;
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ForceDirectories(const std::string& folder)
{
    std::string path = ExcludeTrailingBackslash(folder);
    if (path.empty())
        return false;
    if (DirectoryExists(path))
        return true;
    std::string parent = ExcludeTrailingBackslash(ExtractFilePath(path));
    // Stop at a drive ("C:") or at the top of a relative path.
    if (!parent.empty() && parent != path && parent.back() != ':' && !ForceDirectories(parent))
        return false;
    if (CreateDirectoryA(path.c_str(), nullptr))
        return true;
    DWORD error = GetLastError();
    if (DirectoryExists(path)) // made by someone else meanwhile
        return true;
    SetLastError(error);
    return false;
}

std::string TempFolder()
{
    char buffer[MAX_PATH + 1];
    DWORD length = GetTempPathA(sizeof(buffer), buffer);
    if (length == 0 || length > MAX_PATH)
        throw Exception("cannot find the temporary folder");
    return ExcludeTrailingBackslash(std::string(buffer, length));
}

} // namespace SysUtils
