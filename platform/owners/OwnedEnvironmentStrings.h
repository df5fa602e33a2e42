// TOwnedEnvironmentStrings: the process environment block that
// GetEnvironmentStringsA gave the caller, freed with FreeEnvironmentStringsA
// when it goes; on the shared TOwned template.
#pragma once

#include "OwnedHandles.h"

struct TEnvironmentStringsTraits {
    static bool IsValid(char* block) { return block != nullptr; }
    static void Close(char* block) { FreeEnvironmentStringsA(block); }
};

using TOwnedEnvironmentStrings = TOwned<char*, TEnvironmentStringsTraits>;
