// Small sets of enumeration values (the class library's "set of" types): control
// styles, font styles, shift states, border sides.
#pragma once

#include <cstdint>
#include <initializer_list>

template <typename E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(E value) : bits_(Bit(value)) {}
    constexpr TSet(std::initializer_list<E> values)
    {
        for (E value : values)
            bits_ |= Bit(value);
    }
    static constexpr TSet FromBits(std::uint32_t bits)
    {
        TSet set;
        set.bits_ = bits;
        return set;
    }

    constexpr bool Contains(E value) const { return (bits_ & Bit(value)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr std::uint32_t Bits() const { return bits_; }

    constexpr TSet operator+(TSet other) const { return FromBits(bits_ | other.bits_); }
    constexpr TSet operator-(TSet other) const { return FromBits(bits_ & ~other.bits_); }
    constexpr TSet operator*(TSet other) const { return FromBits(bits_ & other.bits_); }
    TSet& operator+=(TSet other) { bits_ |= other.bits_; return *this; }
    TSet& operator-=(TSet other) { bits_ &= ~other.bits_; return *this; }
    constexpr bool operator==(TSet other) const { return bits_ == other.bits_; }
    constexpr bool operator!=(TSet other) const { return bits_ != other.bits_; }

private:
    static constexpr std::uint32_t Bit(E value) { return std::uint32_t(1) << static_cast<unsigned>(value); }
    std::uint32_t bits_ = 0;
};
