// Reads a 32-bit .res file back into its entries: for the COFF writer, and for tests that compare resources.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace brcc {

// A resource type or name as a .res file holds it: an ordinal, or UTF-16 text.
struct ResName {
    bool m_isOrdinal = true;
    std::uint16_t m_ordinal = 0;
    std::u16string m_text;

    bool operator==(const ResName&) const = default;
    // Text names before ordinals, each in ascending order: the order of a resource directory.
    bool operator<(const ResName& other) const {
        if (m_isOrdinal != other.m_isOrdinal) {
            return !m_isOrdinal;
        }
        return m_isOrdinal ? m_ordinal < other.m_ordinal : m_text < other.m_text;
    }
};

struct ResEntry {
    ResName m_type;
    ResName m_name;
    std::uint16_t m_memoryFlags = 0;
    std::uint16_t m_language = 0;
    std::uint32_t m_version = 0;
    std::uint32_t m_characteristics = 0;
    std::span<const std::uint8_t> m_data;  // into the bytes read
};

// The entries of a .res file without its leading null entry. Throws std::runtime_error when the bytes are not one.
std::vector<ResEntry> ReadResFile(std::span<const std::uint8_t> bytes);

}  // namespace brcc
