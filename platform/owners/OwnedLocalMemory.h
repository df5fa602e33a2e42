// TOwnedLocalMemory<T>: memory the system allocated for the caller with
// LocalAlloc (FormatMessage's allocated buffer, CommandLineToArgvW's list), freed
// with LocalFree when it goes; on the shared TOwned template.
#pragma once

#include "OwnedHandles.h"

struct TLocalMemoryTraits {
    template <typename T>
    static bool IsValid(T* memory)
    {
        return memory != nullptr;
    }
    template <typename T>
    static void Close(T* memory)
    {
        LocalFree(memory);
    }
};

template <typename T>
using TOwnedLocalMemory = TOwned<T*, TLocalMemoryTraits>;
