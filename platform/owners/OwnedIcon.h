// TOwnedIcon: an owning, move-only icon handle, destroyed when it goes (never
// give it a shared icon loaded with LR_SHARED).
#pragma once

#include <windows.h>

#include <utility>

class TOwnedIcon {
public:
    TOwnedIcon() = default;
    explicit TOwnedIcon(HICON icon) : icon_(icon) {}
    TOwnedIcon(const TOwnedIcon&) = delete;
    TOwnedIcon& operator=(const TOwnedIcon&) = delete;
    TOwnedIcon(TOwnedIcon&& other) noexcept : icon_(other.Detach()) {}
    TOwnedIcon& operator=(TOwnedIcon&& other) noexcept
    {
        if (this != &other)
            Reset(other.Detach());
        return *this;
    }
    ~TOwnedIcon() { Reset(); }

    HICON Get() const { return icon_; }
    bool IsNull() const { return icon_ == nullptr; }
    void Reset(HICON icon = nullptr)
    {
        if (icon_ != nullptr)
            DestroyIcon(icon_);
        icon_ = icon;
    }
    [[nodiscard]] HICON Detach() { return std::exchange(icon_, nullptr); }

private:
    HICON icon_ = nullptr;
};
