// The SysUtils routines that ask the system. They live apart so that the text
// routines build and run without <windows.h> (the native fuzz targets use them).
#include "SysUtils.h"

#include <windows.h>

namespace SysUtils {

std::string SysErrorMessage(unsigned long error)
{
    char* text = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length ? std::string(text, length) : "error " + std::to_string(error);
    if (text)
        LocalFree(text);
    while (!message.empty() && (message.back() == '\r' || message.back() == '\n' || message.back() == '.'))
        message.pop_back();
    return message;
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

} // namespace SysUtils
