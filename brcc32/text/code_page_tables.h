// The tables of the code pages other than UTF-8, generated at build time by tools/make-code-pages.
#pragma once

#include <cstdint>
#include <span>

namespace brcc {

inline constexpr char16_t kNoCharacter = 0xFFFD;

// Bytes below 0x80 are ASCII in every page here. A byte from 0x80 is either a character alone (m_high) or, in the
// East Asian pages, the lead byte of a pair whose second byte is m_firstTrail or above.
struct CodePageTable {
    std::uint32_t m_number;
    const char16_t* m_high;          // per byte 0x80-0xFF; kNoCharacter for a lead byte or an undefined byte
    const std::uint8_t* m_leadRows;  // per byte 0x80-0xFF, its row of m_pairs plus one, or 0; null: no pairs
    const char16_t* m_pairs;         // rows of 256 - m_firstTrail characters, kNoCharacter where undefined
    std::uint8_t m_firstTrail;
};

// Sorted by number.
std::span<const CodePageTable> CodePageTables();

}  // namespace brcc
