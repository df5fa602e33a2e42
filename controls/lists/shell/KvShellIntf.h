// KvShellIntf: the COM apartment the shell controls rely on. The program's
// first thread joins it when the program starts, and leaves it when the
// program ends only if joining succeeded.
#pragma once

#include <windows.h>

namespace KvShellIntf {

// The result of the start-up CoInitialize (S_OK or S_FALSE when it succeeded).
HRESULT ComStartResult();
bool ComStarted();

} // namespace KvShellIntf
