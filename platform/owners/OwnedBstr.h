// TOwnedBstr: a string of the automation allocator (SysAllocString, or a BSTR
// that an automation call hands out, such as the fields of an EXCEPINFO), freed
// with SysFreeString when it goes. Its users link oleaut32.
#pragma once

#include "OwnedHandles.h"

#include <oleauto.h>

struct TBstrTraits {
    static bool IsValid(BSTR text) { return text != nullptr; }
    static void Close(BSTR text) { SysFreeString(text); }
};

using TOwnedBstr = TOwned<BSTR, TBstrTraits>;
