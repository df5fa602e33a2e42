// Formatting of HRESULTs for error messages.
#include "uHResultText.h"

#include "SysUtils.h"

#include <windows.h>

namespace uHResultText {

std::string Code(long result)
{
    char text[16];
    wsprintfA(text, "0x%08lX", static_cast<unsigned long>(result));
    return text;
}

std::string CodeAndText(long result)
{
    // The code alone where the system has no text for it.
    std::string description = SysUtils::SystemErrorText(static_cast<unsigned long>(result));
    return description.empty() ? Code(result) : Code(result) + ": " + description;
}

} // namespace uHResultText
