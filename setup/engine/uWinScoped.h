// Move-only owners for the Win32 handles and COM state that the install actions
// hold: a kernel handle, a loaded module and the COM apartment of one call.
#pragma once

#include "ComPtr.h"
#include "OwnedHandles.h"

#include <windows.h>
#include <objbase.h>

namespace uWinScoped {

// A kernel handle: the shared owner of platform/owners.
using TScopedHandle = TOwnedHandle;

// A library loaded with LoadLibrary: the shared owner of platform/owners.
using TScopedModule = TOwnedModule;

// CoInitialize for the lifetime of the object, balanced only when it succeeded
// (S_FALSE, "already initialised", must be balanced too).
class TComApartment {
public:
    TComApartment() : result_(CoInitialize(nullptr)) {}
    TComApartment(const TComApartment&) = delete;
    TComApartment& operator=(const TComApartment&) = delete;
    ~TComApartment()
    {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }

private:
    HRESULT result_;
};

// A COM interface pointer: the shared owner of platform/owners.
template <typename I>
using TComPtr = ComPtr<I>;

} // namespace uWinScoped
