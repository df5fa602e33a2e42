// TByteReader: bounds-checked little-endian reads over the bytes of a picture or
// another untrusted record; reading past the end raises EInvalidGraphic naming
// what was being read.
#pragma once

#include "TGraphic.h"

#include <cstddef>
#include <cstdint>
#include <string>

class TByteReader {
public:
    TByteReader(const unsigned char* data, size_t size, const char* kind) : data_(data), size_(size), kind_(kind) {}

    size_t Size() const { return size_; }
    // Raises unless `count` bytes lie at `offset`.
    void Require(size_t offset, size_t count) const
    {
        if (offset > size_ || count > size_ - offset)
            throw EInvalidGraphic(std::string(kind_) + " data is truncated");
    }
    std::uint8_t U8(size_t offset) const
    {
        Require(offset, 1);
        return data_[offset];
    }
    std::uint16_t U16(size_t offset) const
    {
        Require(offset, 2);
        return static_cast<std::uint16_t>(data_[offset] | (data_[offset + 1] << 8));
    }
    std::uint32_t U32(size_t offset) const
    {
        Require(offset, 4);
        return static_cast<std::uint32_t>(data_[offset]) | (static_cast<std::uint32_t>(data_[offset + 1]) << 8) |
               (static_cast<std::uint32_t>(data_[offset + 2]) << 16) |
               (static_cast<std::uint32_t>(data_[offset + 3]) << 24);
    }
    std::int16_t I16(size_t offset) const { return static_cast<std::int16_t>(U16(offset)); }
    std::int32_t I32(size_t offset) const { return static_cast<std::int32_t>(U32(offset)); }
    const unsigned char* At(size_t offset, size_t count) const
    {
        Require(offset, count);
        return data_ + offset;
    }
    [[noreturn]] void Fail(const std::string& what) const { throw EInvalidGraphic(std::string(kind_) + " " + what); }

private:
    const unsigned char* data_;
    size_t size_;
    const char* kind_;
};
