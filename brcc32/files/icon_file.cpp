// Icon and cursor file reader: checks every offset against the file before it is used.
#include "brcc32/files/icon_file.h"

#include <algorithm>
#include <array>
#include <string>

#include "brcc32/byte_order.h"
#include "brcc32/script_error.h"

namespace brcc {
namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::array<std::uint8_t, 8> kPngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

bool IsValidBitCount(std::uint16_t bits) {
    return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

void ReadImageHeader(IconImage& image, std::size_t index) {
    const std::string which = "image " + std::to_string(index + 1);
    // Both forms need at least a 40-byte header; a shorter image cannot be shown by Windows.
    if (image.data.size() < kInfoHeaderSize) {
        throw FileFormatError(which + " is only " + std::to_string(image.data.size()) + " bytes long");
    }
    if (std::equal(kPngSignature.begin(), kPngSignature.end(), image.data.begin())) {
        // Windows only takes 32-bit PNG images in icons, so the group says so whatever the PNG holds.
        image.planes = 1;
        image.bitCount = 32;
        return;
    }
    if (ReadU32(image.data, 0) != kInfoHeaderSize) {
        throw FileFormatError(which + " is neither a PNG image nor a bitmap with a 40-byte header");
    }
    image.planes = ReadU16(image.data, 12);
    image.bitCount = ReadU16(image.data, 14);
    if (image.planes != 1 || !IsValidBitCount(image.bitCount)) {
        throw FileFormatError(which + " has " + std::to_string(image.planes) + " planes and " +
                              std::to_string(image.bitCount) + " bits per pixel");
    }
}

}  // namespace

std::vector<IconImage> ReadIconFile(std::span<const std::uint8_t> file, IconFileKind kind) {
    const bool isIcon = kind == IconFileKind::kIcon;
    if (file.size() < kHeaderSize || ReadU16(file, 0) != 0) {
        throw FileFormatError("it does not start with an icon or cursor header");
    }
    const std::uint16_t type = ReadU16(file, 2);
    if (type != static_cast<std::uint16_t>(kind)) {
        if (type == 1 || type == 2) {
            throw FileFormatError(std::string("it is ") +
                                  (isIcon ? "a cursor file, not an icon file" : "an icon file, not a cursor file"));
        }
        throw FileFormatError("it does not start with an icon or cursor header");
    }
    const std::size_t count = ReadU16(file, 4);
    if (count == 0) {
        throw FileFormatError("it holds no image");
    }
    if (file.size() < kHeaderSize + count * kEntrySize) {
        throw FileFormatError("its directory of " + std::to_string(count) + " images is cut short");
    }
    std::vector<IconImage> images(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = kHeaderSize + i * kEntrySize;
        IconImage& image = images[i];
        image.width = file[entry];
        image.height = file[entry + 1];
        image.colorCount = file[entry + 2];
        image.reserved = file[entry + 3];
        if (!isIcon) {
            image.hotspotX = ReadU16(file, entry + 4);
            image.hotspotY = ReadU16(file, entry + 6);
        }
        const std::uint64_t size = ReadU32(file, entry + 8);
        const std::uint64_t offset = ReadU32(file, entry + 12);
        if (offset > file.size() || size > file.size() - offset) {
            throw FileFormatError("image " + std::to_string(i + 1) + " lies beyond the end of the file");
        }
        image.data = file.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(size));
        ReadImageHeader(image, i);
    }
    return images;
}

}  // namespace brcc
