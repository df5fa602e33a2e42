// Owning, move-only kernel handles: both null and INVALID_HANDLE_VALUE count as
// empty, and closing keeps the caller's last error. One face, several closers.
#pragma once

#include <windows.h>

#include <utility>

template <typename Traits>
class TOwnedKernelHandle {
public:
    TOwnedKernelHandle() = default;
    explicit TOwnedKernelHandle(HANDLE handle) : handle_(handle) {}
    TOwnedKernelHandle(TOwnedKernelHandle&& other) noexcept : handle_(other.Detach()) {}
    TOwnedKernelHandle& operator=(TOwnedKernelHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Detach());
        return *this;
    }
    TOwnedKernelHandle(const TOwnedKernelHandle&) = delete;
    TOwnedKernelHandle& operator=(const TOwnedKernelHandle&) = delete;
    ~TOwnedKernelHandle() { Reset(); }

    bool IsValid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    [[nodiscard]] HANDLE Detach() { return std::exchange(handle_, nullptr); }
    void Reset(HANDLE handle = nullptr)
    {
        if (IsValid()) {
            DWORD error = GetLastError();
            Traits::Close(handle_);
            SetLastError(error);
        }
        handle_ = handle;
    }

private:
    HANDLE handle_ = nullptr;
};

struct TCloseHandleTraits {
    static void Close(HANDLE handle) { CloseHandle(handle); }
};
struct TChangeNotificationTraits {
    static void Close(HANDLE handle) { FindCloseChangeNotification(handle); }
};

// Events, threads, processes, files.
using TOwnedHandle = TOwnedKernelHandle<TCloseHandleTraits>;
// A handle of FindFirstChangeNotification.
using TOwnedChangeNotification = TOwnedKernelHandle<TChangeNotificationTraits>;
