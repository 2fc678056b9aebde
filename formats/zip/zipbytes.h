#pragma once

// Little-endian fields of zip records, read from and written into byte
// buffers whose size the caller has checked.

#include <cstddef>
#include <cstdint>

namespace ZipFormat {

inline std::uint16_t read16(const unsigned char *at)
{
    return static_cast<std::uint16_t>(at[0] | (at[1] << 8));
}

inline std::uint32_t read32(const unsigned char *at)
{
    return static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8)
           | (static_cast<std::uint32_t>(at[2]) << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}

inline void write16(unsigned char *at, std::uint16_t value)
{
    at[0] = static_cast<unsigned char>(value);
    at[1] = static_cast<unsigned char>(value >> 8);
}

inline void write32(unsigned char *at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<unsigned char>(value >> (8 * i));
}

} // namespace ZipFormat
