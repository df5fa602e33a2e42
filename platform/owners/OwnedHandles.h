// Owning, move-only handles of the system, one template with a closer per kind:
// kernel handles (both null and INVALID_HANDLE_VALUE count as empty), change
// notifications, icons and menus. Closing keeps the caller's last error.
#pragma once

#include <windows.h>

#include <utility>

template <typename Handle, typename Traits>
class TOwned {
public:
    TOwned() = default;
    explicit TOwned(Handle handle) : handle_(handle) {}
    TOwned(TOwned&& other) noexcept : handle_(other.Detach()) {}
    TOwned& operator=(TOwned&& other) noexcept
    {
        if (this != &other)
            Reset(other.Detach());
        return *this;
    }
    TOwned(const TOwned&) = delete;
    TOwned& operator=(const TOwned&) = delete;
    ~TOwned() { Reset(); }

    bool IsValid() const { return Traits::IsValid(handle_); }
    bool IsNull() const { return !IsValid(); }
    Handle Get() const { return handle_; }
    [[nodiscard]] Handle Detach() { return std::exchange(handle_, Handle()); }
    void Reset(Handle handle = Handle())
    {
        if (IsValid()) {
            DWORD error = GetLastError();
            Traits::Close(handle_);
            SetLastError(error);
        }
        handle_ = handle;
    }

private:
    Handle handle_ = Handle();
};

struct TKernelHandleTraits {
    static bool IsValid(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) { CloseHandle(handle); }
};
struct TChangeNotificationTraits {
    static bool IsValid(HANDLE handle) { return TKernelHandleTraits::IsValid(handle); }
    static void Close(HANDLE handle) { FindCloseChangeNotification(handle); }
};
struct TIconTraits {
    static bool IsValid(HICON icon) { return icon != nullptr; }
    static void Close(HICON icon) { DestroyIcon(icon); }
};
struct TMenuTraits {
    static bool IsValid(HMENU menu) { return menu != nullptr; }
    static void Close(HMENU menu) { DestroyMenu(menu); }
};

// Events, threads, processes, files.
using TOwnedHandle = TOwned<HANDLE, TKernelHandleTraits>;
// A handle of FindFirstChangeNotification.
using TOwnedChangeNotification = TOwned<HANDLE, TChangeNotificationTraits>;
// An icon made for the caller (never one loaded with LR_SHARED).
using TOwnedIcon = TOwned<HICON, TIconTraits>;
using TOwnedMenu = TOwned<HMENU, TMenuTraits>;
