// Loading the update library and the texts its exports are given.
#include "UpdateLibrary.h"

#include <windows.h>

namespace UpdateLibrary {

const char kProductName[] = "Ferrin 2009";
const char kUpdatePage[] = "http://www.ferrinsoft.example.com/soft/video/update.htm";
const char kVersion[] = "9";

Exports Load()
{
    Exports exports;
    HMODULE library = LoadLibraryA("Freshlib.dll");
    if (!library)
        return exports;
    exports.isNewVersion = reinterpret_cast<UpdateProc>(
        reinterpret_cast<void*>(GetProcAddress(library, "IsNewVersion")));
    exports.downNewVersion = reinterpret_cast<UpdateProc>(
        reinterpret_cast<void*>(GetProcAddress(library, "DownNewVersion")));
    return exports;
}

}  // namespace UpdateLibrary
