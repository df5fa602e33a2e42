// Waiting for another process to end: the "w:" option of the installer and the
// relaunched uninstaller's wait for the copy that started it.
#pragma once

#include <windows.h>

#include <string>

namespace uProcessWait {

// The decimal process number after an option's two-character head ("w:", "U:");
// 0 when there is none.
DWORD ProcessIdOf(const std::string& optionLine);

// Waits up to `milliseconds` for the process to end. True when it ended, or
// when it cannot be opened (it has ended already, or there is no number);
// false when it still runs after the wait.
bool WaitForProcessEnd(DWORD processId, DWORD milliseconds);

} // namespace uProcessWait
