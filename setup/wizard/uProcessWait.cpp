// Waiting for another process to end.
#include "uProcessWait.h"

#include "OwnedHandles.h"
#include "SysUtils.h"

namespace uProcessWait {

DWORD ProcessIdOf(const std::string& optionLine)
{
    if (optionLine.size() < 2)
        return 0;
    return static_cast<DWORD>(SysUtils::StrToIntDef(SysUtils::Trim(optionLine.substr(2)), 0));
}

bool WaitForProcessEnd(DWORD processId, DWORD milliseconds)
{
    TOwnedHandle process(processId != 0 ? OpenProcess(SYNCHRONIZE, FALSE, processId) : nullptr);
    return !process.IsValid() || WaitForSingleObject(process.Get(), milliseconds) == WAIT_OBJECT_0;
}

} // namespace uProcessWait
