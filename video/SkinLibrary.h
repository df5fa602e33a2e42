// The skin library SkinPPWTL.dll, loaded when the program starts; without it
// the program keeps the standard look.
#pragma once

namespace SkinLibrary {

// Loads the library and calls its skin loader (export ordinal 3) with
// `skinFile` and 0. FALSE when the library or the export is absent; the
// loader's own answer is not looked at.
bool ApplySkin(const char* skinFile);

}  // namespace SkinLibrary
