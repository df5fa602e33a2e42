// Database-engine alias deletion through the engine's own entry points, bound by
// name at run time because most machines have no engine installed.
#include "uDatabaseAlias.h"

#include "Exception.h"
#include "OwnedHandles.h"
#include "SysUtils.h"

#include <windows.h>

namespace uDatabaseAlias {

const char* const EngineLibrary = "IDAPI32.DLL";

namespace {

using TDbiResult = unsigned short;
using TDbiInit = TDbiResult(WINAPI*)(void* environment);
using TDbiExit = TDbiResult(WINAPI*)();
using TDbiDeleteAlias = TDbiResult(WINAPI*)(void* configuration, const char* alias);
using TDbiCfgSave = TDbiResult(WINAPI*)(void* configuration, const char* file, BOOL persistent);

template <typename T>
T EntryPoint(HMODULE module, const char* name)
{
    FARPROC address = GetProcAddress(module, name);
    if (!address)
        throw Exception("The database engine " + std::string(EngineLibrary) + " has no entry point " + name);
    return reinterpret_cast<T>(reinterpret_cast<void*>(address));
}

[[noreturn]] void RaiseEngineError(const std::string& what, TDbiResult result)
{
    throw Exception("The database engine failed to " + what + " (error " + SysUtils::IntToStr(result) + ")");
}

} // namespace

void DeleteAlias(const std::string& alias)
{
    TOwnedModule engine(LoadLibraryA(EngineLibrary));
    if (!engine.Get())
        throw Exception("The database engine (" + std::string(EngineLibrary) +
                        ") is not installed on this computer; the alias \"" + alias + "\" cannot be deleted");
    auto init = EntryPoint<TDbiInit>(engine.Get(), "DbiInit");
    auto exit = EntryPoint<TDbiExit>(engine.Get(), "DbiExit");
    auto deleteAlias = EntryPoint<TDbiDeleteAlias>(engine.Get(), "DbiDeleteAlias");
    auto save = EntryPoint<TDbiCfgSave>(engine.Get(), "DbiCfgSave");

    // The default session of a fresh engine instance has an automatic name.
    if (TDbiResult result = init(nullptr))
        RaiseEngineError("start a session", result);
    TDbiResult result = deleteAlias(nullptr, alias.c_str());
    if (result == 0)
        result = save(nullptr, nullptr, TRUE);
    exit();
    if (result)
        RaiseEngineError("delete the alias \"" + alias + "\"", result);
}

} // namespace uDatabaseAlias
