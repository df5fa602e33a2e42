// Widening is the class library's conversion, under the engine's name; the
// library has no conversion back, so narrowing lives here.
#include "uWideText.h"

#include "SysUtils.h"

#include <windows.h>

namespace uWideText {

std::wstring Widen(const std::string& text) { return SysUtils::AnsiToWide(text); }

std::string Narrow(const wchar_t* text, std::size_t length)
{
    if (!text || length == 0)
        return std::string();
    int count = WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    if (count <= 0)
        return std::string();
    std::string narrow(static_cast<size_t>(count), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), &narrow[0], count, nullptr, nullptr);
    return narrow;
}

} // namespace uWideText
