// Little-endian words and dwords as the setup data, its trailer, the PE image and
// the uninstaller's tail store them, whatever the byte order of the machine.
#pragma once

#include <cstdint>
#include <string>

namespace uLittleEndian {

inline std::uint16_t GetWord(const unsigned char* bytes)
{
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

inline std::uint32_t GetDword(const unsigned char* bytes)
{
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

inline void PutDword(unsigned char* bytes, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<unsigned char>(value >> (8 * i));
}

inline void AppendDword(std::string& bytes, std::uint32_t value)
{
    unsigned char encoded[4];
    PutDword(encoded, value);
    bytes.append(reinterpret_cast<const char*>(encoded), sizeof(encoded));
}

} // namespace uLittleEndian
