// TOwnedCoTaskMem<T>: memory of the COM task allocator that the caller was given
// (a shell name result's wide text, a string from StringFromCLSID), freed with
// CoTaskMemFree when it goes; on the shared TOwned template.
#pragma once

#include "OwnedHandles.h"

#include <objbase.h>

struct TCoTaskMemTraits {
    template <typename T>
    static bool IsValid(T* memory)
    {
        return memory != nullptr;
    }
    template <typename T>
    static void Close(T* memory)
    {
        CoTaskMemFree(memory);
    }
};

template <typename T>
using TOwnedCoTaskMem = TOwned<T*, TCoTaskMemTraits>;
