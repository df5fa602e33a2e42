// A self-registering DLL for tests: registering it sets a value named after its
// own path below HKEY_CURRENT_USER\Software\FerrinTests\SelfRegistered, and
// unregistering it removes that value again.
#include "OwnedHandles.h"

#include <windows.h>

namespace {

HMODULE self = nullptr;
const char* const kKey = "Software\\FerrinTests\\SelfRegistered";

HRESULT Mark(bool registered)
{
    char path[MAX_PATH];
    if (!GetModuleFileNameA(self, path, MAX_PATH))
        return E_FAIL;
    TOwnedRegKey key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.Receive(), nullptr) !=
        ERROR_SUCCESS)
        return E_FAIL;
    LONG result = registered ? RegSetValueExA(key.Get(), path, 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2)
                             : RegDeleteValueA(key.Get(), path);
    return result == ERROR_SUCCESS ? S_OK : E_FAIL;
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        self = instance;
    return TRUE;
}

extern "C" HRESULT WINAPI DllRegisterServer() { return Mark(true); }
extern "C" HRESULT WINAPI DllUnregisterServer() { return Mark(false); }
