// Reads .ico and .cur files into the images and group directory entries that the .res format stores.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace brcc {

enum class IconFileKind : std::uint16_t { kIcon = 1, kCursor = 2 };

struct IconImage {
    std::span<const std::uint8_t> m_data;  // into the file's bytes
    std::uint8_t m_width = 0;              // as the file's directory says (0 means 256)
    std::uint8_t m_height = 0;
    std::uint8_t m_colorCount = 0;
    std::uint8_t m_reserved = 0;
    std::uint16_t m_hotspotX = 0;  // cursors only
    std::uint16_t m_hotspotY = 0;
    std::uint16_t m_planes = 0;  // from the image's own header
    std::uint16_t m_bitCount = 0;
};

// Throws FileFormatError with a reason a user can act on; the images point into `file`.
std::vector<IconImage> ReadIconFile(std::span<const std::uint8_t> file, IconFileKind kind);

}  // namespace brcc
