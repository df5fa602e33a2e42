// TOwnedGlobalMemory: a global memory block that the system handed to the
// caller (the printer settings of the print dialog, clipboard data taken over),
// freed with GlobalFree when its owner goes.
#pragma once

#include "OwnedHandles.h"

#include <windows.h>

struct TGlobalMemoryTraits {
    static bool IsValid(HGLOBAL memory) { return memory != nullptr; }
    static void Close(HGLOBAL memory) { GlobalFree(memory); }
};

using TOwnedGlobalMemory = TOwned<HGLOBAL, TGlobalMemoryTraits>;
