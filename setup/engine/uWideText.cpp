// Widening of ANSI text: the class library's conversion, under the engine's name.
#include "uWideText.h"

#include "SysUtils.h"

namespace uWideText {

std::wstring Widen(const std::string& text) { return SysUtils::AnsiToWide(text); }

} // namespace uWideText
