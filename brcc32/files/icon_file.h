// Reads .ico and .cur files into the images and group directory entries that the .res format stores.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace brcc {

enum class IconFileKind : std::uint16_t { kIcon = 1, kCursor = 2 };

struct IconImage {
    std::span<const std::uint8_t> data;  // into the file's bytes
    std::uint8_t width = 0;              // as the file's directory says (0 means 256)
    std::uint8_t height = 0;
    std::uint8_t colorCount = 0;
    std::uint8_t reserved = 0;
    std::uint16_t hotspotX = 0;  // cursors only
    std::uint16_t hotspotY = 0;
    std::uint16_t planes = 0;  // from the image's own header
    std::uint16_t bitCount = 0;
    // Set when the directory gives a size that runs past the end of the file while the image itself is whole
    // before it: data then ends at the file's end, and this is the size the directory gave.
    std::uint32_t overstatedSize = 0;
};

// Throws FileFormatError with a reason a user can act on; the images point into `file`.
std::vector<IconImage> ReadIconFile(std::span<const std::uint8_t> file, IconFileKind kind);

// The group resource that lists `images`, numbered from `firstId`: what Windows reads to pick an image by size.
std::vector<std::uint8_t> EncodeIconGroup(const std::vector<IconImage>& images, IconFileKind kind,
                                          std::uint32_t firstId);

}  // namespace brcc
