// Self-registration of installed components: COM servers (DLL, OCX and programs)
// and type libraries, used by the file action and undone by the uninstall replay.
#pragma once

#include <string>

namespace uSelfRegister {

enum class TRegisterMode { Register, Unregister };

// Type libraries (.tlb, .olb) go through the OLE automation registry, programs
// (.exe) are run with /RegServer or /UnRegServer, every other file is loaded and
// its DllRegisterServer or DllUnregisterServer is called. Raises an Exception that
// names the file and what failed.
void RegisterComponent(const std::string& path, TRegisterMode mode);

} // namespace uSelfRegister
