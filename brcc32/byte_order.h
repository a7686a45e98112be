// Little-endian reads and writes of the fixed-size fields of icon, bitmap and .res files and of the data scripts build.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace brcc {

inline std::uint16_t ReadU16(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

inline std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::uint32_t>(bytes[offset]) | (static_cast<std::uint32_t>(bytes[offset + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[offset + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

inline void WriteU16(std::uint8_t* out, std::uint16_t value) {
    out[0] = static_cast<std::uint8_t>(value);
    out[1] = static_cast<std::uint8_t>(value >> 8);
}

inline void WriteU32(std::uint8_t* out, std::uint32_t value) {
    WriteU16(out, static_cast<std::uint16_t>(value));
    WriteU16(out + 2, static_cast<std::uint16_t>(value >> 16));
}

inline void PutU16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

inline void PutUtf16(std::vector<std::uint8_t>& out, std::u16string_view text, bool terminate) {
    for (const char16_t c : text) {
        PutU16(out, c);
    }
    if (terminate) {
        PutU16(out, 0);
    }
}

}  // namespace brcc
