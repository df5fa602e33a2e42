// ANSI text widened for the COM and OLE calls that take only UTF-16 strings.
#pragma once

#include <string>

namespace uWideText {

// `text` in the ANSI code page as UTF-16; embedded nulls are kept.
std::wstring Widen(const std::string& text);

} // namespace uWideText
