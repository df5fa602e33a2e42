// Run-time binding of the skin library's loader by ordinal.
#include "SkinLibrary.h"

#include <windows.h>

namespace SkinLibrary {

namespace {
// The loader takes the skin file name and a flag (0: the name is a skin file).
typedef BOOL(__stdcall* LoadSkinProc)(char* skinFile, BOOL fromIni);
const WORD kLoadSkinOrdinal = 3;
}  // namespace

bool ApplySkin(const char* skinFile)
{
    // The library stays loaded for the life of the process: it keeps painting
    // the program's windows.
    HMODULE library = LoadLibraryA("SkinPPWTL.dll");
    if (!library)
        return false;  // no skin: the standard look
    auto load = reinterpret_cast<LoadSkinProc>(
        reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCEA(kLoadSkinOrdinal))));
    if (!load)
        return false;
    load(const_cast<char*>(skinFile), FALSE);
    return true;
}

}  // namespace SkinLibrary
