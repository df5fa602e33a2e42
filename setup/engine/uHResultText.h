// HRESULTs as the engine's error messages write them: the code in hexadecimal,
// and with the system's description where it has one.
#pragma once

#include <string>

namespace uHResultText {

// "0x80004005".
std::string Code(long result);
// "0x80004005: Unspecified error", without the description's closing line break,
// blanks and full stop; the code alone when the system has no text for it.
std::string CodeAndText(long result);

} // namespace uHResultText
