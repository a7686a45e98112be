// One resource as every reader hands it on: its identity, its header fields and where its bytes lie.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace brcc {

// A resource type or name as a .res file holds it: an ordinal, or UTF-16 text.
struct ResName {
    bool isOrdinal = true;
    std::uint16_t ordinal = 0;
    std::u16string text;

    bool operator==(const ResName&) const = default;
    // Text names before ordinals, each in ascending order: the order of a resource directory.
    bool operator<(const ResName& other) const {
        if (isOrdinal != other.isOrdinal) {
            return !isOrdinal;
        }
        return isOrdinal ? ordinal < other.ordinal : text < other.text;
    }
};

struct ResEntry {
    ResName type;
    ResName name;
    std::uint16_t memoryFlags = 0;
    std::uint16_t language = 0;
    std::uint32_t version = 0;
    std::uint32_t characteristics = 0;
    std::span<const std::uint8_t> data;  // into the bytes read
};

}  // namespace brcc
