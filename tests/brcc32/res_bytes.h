// The bytes a .res file holds for resources written out by hand: for layouts no reference compiler writes.
#pragma once

#include <cstdint>
#include <vector>

namespace brcc::test {

// One resource with a numeric type and name and the default language (0x0409), padded as .res entries are.
inline std::vector<std::uint8_t> ResEntry(std::uint16_t type, std::uint16_t name, std::uint16_t flags,
                                          const std::vector<std::uint8_t>& data) {
    std::vector<std::uint8_t> out;
    auto u16 = [&out](std::uint32_t value) {
        out.push_back(static_cast<std::uint8_t>(value));
        out.push_back(static_cast<std::uint8_t>(value >> 8));
    };
    auto u32 = [&](std::uint32_t value) {
        u16(value & 0xFFFF);
        u16(value >> 16);
    };
    u32(static_cast<std::uint32_t>(data.size()));
    u32(0x20);
    u16(0xFFFF);
    u16(type);
    u16(0xFFFF);
    u16(name);
    u32(0);
    u16(flags);
    u16(0x0409);
    u32(0);
    u32(0);
    out.insert(out.end(), data.begin(), data.end());
    out.resize((out.size() + 3) & ~std::size_t{3});
    return out;
}

// The empty entry every .res file starts with, then the entries given.
inline std::vector<std::uint8_t> ResFile(const std::vector<std::vector<std::uint8_t>>& entries) {
    std::vector<std::uint8_t> out = {0, 0, 0, 0, 0x20, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0};
    out.resize(32, 0);
    for (const std::vector<std::uint8_t>& entry : entries) {
        out.insert(out.end(), entry.begin(), entry.end());
    }
    return out;
}

}  // namespace brcc::test
