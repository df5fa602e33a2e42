// The update library Freshlib.dll, bound at run time: whether a newer version
// of the product exists, and the download of it.
#pragma once

namespace UpdateLibrary {

// What both exports are told: product, the update page, the installed version.
extern const char kProductName[];  // "Ferrin 2009"
extern const char kUpdatePage[];
extern const char kVersion[];      // "9"

typedef int(__cdecl* UpdateProc)(const char* product, const char* page, const char* version);

struct Exports {
    UpdateProc isNewVersion = nullptr;
    UpdateProc downNewVersion = nullptr;
};

// Loads the library (it is never freed: a download it starts may outlive the
// call) and binds both exports; each is null when absent, both when the
// library is missing.
Exports Load();

}  // namespace UpdateLibrary
