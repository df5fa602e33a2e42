// Self-registration of COM servers and type libraries.
#include "uSelfRegister.h"

#include "ComApartment.h"
#include "ComPtr.h"
#include "Exception.h"
#include "OwnedHandles.h"
#include "ScopeExit.h"
#include "SysUtils.h"
#include "uCommandAction.h"
#include "uHResultText.h"
#include "uWideText.h"

#include <windows.h>
#include <oleauto.h>


namespace uSelfRegister {
namespace {

using uHResultText::Code;
using uWideText::Widen;

void RegisterTypeLibrary(const std::string& path, TRegisterMode mode)
{
    std::wstring wide = Widen(path);
    ComPtr<ITypeLib> library;
    HRESULT result = LoadTypeLibEx(wide.c_str(), REGKIND_NONE, library.Receive());
    if (FAILED(result))
        throw Exception("cannot load the type library " + path + " (" + Code(result) + ")");
    if (mode == TRegisterMode::Register) {
        result = RegisterTypeLib(library.Get(), &wide[0], nullptr);
    } else {
        TLIBATTR* attributes = nullptr;
        result = library->GetLibAttr(&attributes);
        if (SUCCEEDED(result)) {
            TScopeExit releaseAttributes([&] { library->ReleaseTLibAttr(attributes); });
            result = UnRegisterTypeLib(attributes->guid, attributes->wMajorVerNum, attributes->wMinorVerNum,
                                       attributes->lcid, attributes->syskind);
        }
    }
    if (FAILED(result))
        throw Exception("cannot " + std::string(mode == TRegisterMode::Register ? "register" : "unregister") +
                        " the type library " + path + " (" + Code(result) + ")");
}

void RegisterProgram(const std::string& path, TRegisterMode mode)
{
    // Waited for with the messages flowing, so that the wizard's window stays alive.
    uCommandAction::RunAndWait(
        "\"" + path + "\" " + (mode == TRegisterMode::Register ? "/RegServer" : "/UnRegServer"), false);
}

void RegisterServerLibrary(const std::string& path, TRegisterMode mode)
{
    const char* entryName = mode == TRegisterMode::Register ? "DllRegisterServer" : "DllUnregisterServer";
    TOwnedModule module(LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    if (!module.Get())
        throw Exception("cannot load " + path + " (error " + SysUtils::IntToStr(GetLastError()) + ")");
    using TEntry = HRESULT(STDAPICALLTYPE*)();
    auto entry = reinterpret_cast<TEntry>(reinterpret_cast<void*>(GetProcAddress(module.Get(), entryName)));
    if (!entry)
        throw Exception(path + " has no entry point " + entryName);
    HRESULT result = entry();
    if (FAILED(result))
        throw Exception(std::string(entryName) + " of " + path + " failed (" + Code(result) + ")");
}

} // namespace

void RegisterComponent(const std::string& path, TRegisterMode mode)
{
    TComApartment apartment;
    std::string extension = SysUtils::LowerCase(SysUtils::ExtractFileExt(path));
    if (extension == ".tlb" || extension == ".olb")
        RegisterTypeLibrary(path, mode);
    else if (extension == ".exe")
        RegisterProgram(path, mode);
    else
        RegisterServerLibrary(path, mode);
}

} // namespace uSelfRegister
