// Text between the ANSI code page and UTF-16, for the COM and OLE calls that take
// or give only wide strings.
#pragma once

#include <cstddef>
#include <string>

namespace uWideText {

// `text` in the ANSI code page as UTF-16; embedded nulls are kept.
std::wstring Widen(const std::string& text);

// `length` UTF-16 characters from `text` in the ANSI code page; empty for a null
// text. Embedded nulls are kept.
std::string Narrow(const wchar_t* text, std::size_t length);

} // namespace uWideText
