// The About box's texts: its counted strings and the two memory lines. Plain C++, no Windows header.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace talvorine {

// A text held in a fixed buffer: a length byte and room for 100 single-byte characters.
// A longer text keeps its first 100 characters.
class ShortText {
public:
    static constexpr std::size_t kCapacity = 100;

    void Assign(std::string_view bytes);
    std::string Value() const { return std::string(m_chars.data(), m_length); }

private:
    std::uint8_t m_length = 0;
    std::array<char, kCapacity> m_chars{};
};

// "Mémoire physique totale : " and the total in kilobytes of 1,024 bytes, rounded to the
// nearest, its digits grouped by threes with `thousandsSeparator`, then " Ko".
std::wstring PhysicalMemoryLine(std::uint64_t totalBytes, std::wstring_view thousandsSeparator);

// "Ressources système      : " and the share of physical memory that is free, then "% libre.".
std::wstring FreeResourcesLine(unsigned memoryLoad);

}  // namespace talvorine
