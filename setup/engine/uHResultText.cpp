// Formatting of HRESULTs for error messages.
#include "uHResultText.h"

#include "OwnedLocalMemory.h"

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
    std::string message = Code(result);
    // Not SysUtils::SysErrorMessage: that one answers "error <n>" where the system
    // has no text, and here the code alone must stand then.
    TOwnedLocalMemory<char> system;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, static_cast<DWORD>(result), 0, reinterpret_cast<char*>(system.Receive()),
                                  0, nullptr);
    if (length > 0 && system.Get()) {
        std::string description(system.Get(), length);
        while (!description.empty() && (description.back() == '\r' || description.back() == '\n' ||
                                        description.back() == ' ' || description.back() == '.'))
            description.pop_back();
        message += ": " + description;
    }
    return message;
}

} // namespace uHResultText
