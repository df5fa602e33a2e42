// TOwnedMenu: an owning, move-only menu handle, destroyed when it goes.
#pragma once

#include <windows.h>

#include <utility>

class TOwnedMenu {
public:
    TOwnedMenu() = default;
    explicit TOwnedMenu(HMENU menu) : menu_(menu) {}
    TOwnedMenu(const TOwnedMenu&) = delete;
    TOwnedMenu& operator=(const TOwnedMenu&) = delete;
    TOwnedMenu(TOwnedMenu&& other) noexcept : menu_(other.Detach()) {}
    TOwnedMenu& operator=(TOwnedMenu&& other) noexcept
    {
        if (this != &other)
            Reset(other.Detach());
        return *this;
    }
    ~TOwnedMenu() { Reset(); }

    HMENU Get() const { return menu_; }
    void Reset(HMENU menu = nullptr)
    {
        if (menu_ != nullptr)
            DestroyMenu(menu_);
        menu_ = menu;
    }
    [[nodiscard]] HMENU Detach() { return std::exchange(menu_, nullptr); }

private:
    HMENU menu_ = nullptr;
};
