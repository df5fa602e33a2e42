// TOwnedVariant: an automation VARIANT, cleared when it goes, so that the string,
// object or array it holds is freed or released. Move-only; its users link oleaut32.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <utility>

class TOwnedVariant {
public:
    TOwnedVariant() { VariantInit(&value_); }
    TOwnedVariant(TOwnedVariant&& other) noexcept : TOwnedVariant() { std::swap(value_, other.value_); }
    TOwnedVariant& operator=(TOwnedVariant&& other) noexcept
    {
        if (this != &other) {
            Reset();
            std::swap(value_, other.value_);
        }
        return *this;
    }
    TOwnedVariant(const TOwnedVariant&) = delete;
    TOwnedVariant& operator=(const TOwnedVariant&) = delete;
    ~TOwnedVariant() { Reset(); }

    VARIANT* Get() { return &value_; }
    const VARIANT* Get() const { return &value_; }

    // Frees what is held; the variant is empty (VT_EMPTY) afterwards.
    void Reset()
    {
        DWORD error = GetLastError(); // cleanup keeps the caller's error
        VariantClear(&value_);
        SetLastError(error);
    }
    // For out-parameters: frees what is held and hands out the variant.
    VARIANT* Receive()
    {
        Reset();
        return &value_;
    }
    // Hands over what is held; the owner is empty afterwards.
    [[nodiscard]] VARIANT Detach()
    {
        VARIANT value = value_;
        VariantInit(&value_);
        return value;
    }

private:
    VARIANT value_;
};
