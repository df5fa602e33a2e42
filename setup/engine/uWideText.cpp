// Widening of ANSI text through MultiByteToWideChar.
#include "uWideText.h"

#include <windows.h>

namespace uWideText {

std::wstring Widen(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    int count = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(count), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], count);
    return wide;
}

} // namespace uWideText
