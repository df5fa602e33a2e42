// Move-only owners for the Win32 handles and COM state that the install actions
// hold: a kernel handle, a loaded module and the COM apartment of one call.
#pragma once

#include "OwnedHandles.h"

#include <windows.h>
#include <objbase.h>

#include <utility>

namespace uWinScoped {

// A kernel handle: the shared owner of platform/owners.
using TScopedHandle = TOwnedHandle;

class TScopedModule {
public:
    explicit TScopedModule(HMODULE module) : module_(module) {}
    TScopedModule(const TScopedModule&) = delete;
    TScopedModule& operator=(const TScopedModule&) = delete;
    ~TScopedModule()
    {
        if (module_)
            FreeLibrary(module_);
    }
    HMODULE Get() const { return module_; }

private:
    HMODULE module_;
};

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

// A COM interface pointer released when it goes.
template <typename I>
class TComPtr {
public:
    TComPtr() = default;
    TComPtr(const TComPtr&) = delete;
    TComPtr& operator=(const TComPtr&) = delete;
    ~TComPtr()
    {
        if (pointer_)
            pointer_->Release();
    }
    I* operator->() const { return pointer_; }
    I* Get() const { return pointer_; }
    I** Receive() { return &pointer_; }
    void** ReceiveVoid() { return reinterpret_cast<void**>(&pointer_); }

private:
    I* pointer_ = nullptr;
};

} // namespace uWinScoped
