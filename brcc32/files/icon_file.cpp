// Icon and cursor file reader: checks every offset against the file before it is used.
#include "brcc32/files/icon_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "brcc32/byte_order.h"
#include "brcc32/script_error.h"

namespace brcc {
namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::array<std::uint8_t, 8> kPngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::array<std::uint8_t, 4> kPngEnd = {'I', 'E', 'N', 'D'};
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

bool IsValidBitCount(std::uint16_t bits) {
    return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

void ReadImageHeader(IconImage& image, std::size_t index) {
    const std::string which = std::to_string(index + 1);
    // Both forms need at least a 40-byte header; a shorter image cannot be shown by Windows.
    if (image.data.size() < kInfoHeaderSize) {
        throw FileFormatError(Compose(msg::kImageTooShort, {which, std::to_string(image.data.size())}));
    }
    if (std::equal(kPngSignature.begin(), kPngSignature.end(), image.data.begin())) {
        // Windows only takes 32-bit PNG images in icons, so the group says so whatever the PNG holds.
        image.planes = 1;
        image.bitCount = 32;
        return;
    }
    if (ReadU32(image.data, 0) != kInfoHeaderSize) {
        throw FileFormatError(Compose(msg::kImageUnknownFormat, {which}));
    }
    image.planes = ReadU16(image.data, 12);
    image.bitCount = ReadU16(image.data, 14);
    if (image.planes != 1 || !IsValidBitCount(image.bitCount)) {
        throw FileFormatError(
            Compose(msg::kImagePlanesAndBits, {which, std::to_string(image.planes), std::to_string(image.bitCount)}));
    }
}

// Bytes an image needs, from its own header, when that says: a PNG up to its end chunk, an uncompressed bitmap up to
// the end of its mask.
std::optional<std::uint64_t> ImageSize(std::span<const std::uint8_t> image) {
    if (image.size() >= kPngSignature.size() && std::equal(kPngSignature.begin(), kPngSignature.end(), image.begin())) {
        std::uint64_t at = kPngSignature.size();
        while (at + 12 <= image.size()) {
            const std::uint64_t length =
                static_cast<std::uint64_t>(image[at]) << 24 | image[at + 1] << 16 | image[at + 2] << 8 | image[at + 3];
            const bool last = std::equal(kPngEnd.begin(), kPngEnd.end(), image.begin() + at + 4);
            at += 12 + length;
            if (last) {
                return at;
            }
        }
        return std::nullopt;
    }
    if (image.size() < kInfoHeaderSize || ReadU32(image, 0) != kInfoHeaderSize) {
        return std::nullopt;
    }
    const std::uint64_t width = ReadU32(image, 4);
    const std::uint64_t height = ReadU32(image, 8) / 2;  // the colour bits and the mask, one above the other
    const std::uint16_t bitCount = ReadU16(image, 14);
    const std::uint32_t compression = ReadU32(image, 16);
    const std::uint64_t colorsUsed = ReadU32(image, 32);
    if ((compression != kBiRgb && compression != kBiBitfields) || width > 0xFFFF || height > 0xFFFF ||
        !IsValidBitCount(bitCount)) {
        return std::nullopt;
    }
    std::uint64_t palette = colorsUsed != 0 ? colorsUsed : bitCount <= 8 ? std::uint64_t{1} << bitCount : 0;
    palette = palette * 4 + (compression == kBiBitfields ? 12 : 0);
    const std::uint64_t colorRow = (width * bitCount + 31) / 32 * 4;
    const std::uint64_t maskRow = (width + 31) / 32 * 4;
    return kInfoHeaderSize + palette + (colorRow + maskRow) * height;
}

}  // namespace

std::vector<IconImage> ReadIconFile(std::span<const std::uint8_t> file, IconFileKind kind) {
    const bool isIcon = kind == IconFileKind::kIcon;
    if (file.size() < kHeaderSize || ReadU16(file, 0) != 0) {
        throw FileFormatError(Compose(msg::kNoIconHeader));
    }
    const std::uint16_t type = ReadU16(file, 2);
    if (type != static_cast<std::uint16_t>(kind)) {
        if (type == 1 || type == 2) {
            throw FileFormatError(Compose(isIcon ? msg::kCursorNotIcon : msg::kIconNotCursor));
        }
        throw FileFormatError(Compose(msg::kNoIconHeader));
    }
    const std::size_t count = ReadU16(file, 4);
    if (count == 0) {
        throw FileFormatError(Compose(msg::kNoImage));
    }
    if (file.size() < kHeaderSize + count * kEntrySize) {
        throw FileFormatError(Compose(msg::kIconDirectoryCut, {std::to_string(count)}));
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
        std::uint64_t size = ReadU32(file, entry + 8);
        const std::uint64_t offset = ReadU32(file, entry + 12);
        if (offset > file.size()) {
            throw FileFormatError(Compose(msg::kImageBeyondEnd, {std::to_string(i + 1)}));
        }
        if (size > file.size() - offset) {
            // Editors have written sizes past the file's end for images that are whole: those are kept as far as
            // the file goes. An image that is really cut short would show garbage, and stays refused.
            const std::span<const std::uint8_t> rest = file.subspan(static_cast<std::size_t>(offset));
            const std::optional<std::uint64_t> needed = ImageSize(rest);
            if (!needed || *needed > rest.size()) {
                throw FileFormatError(Compose(msg::kImageBeyondEnd, {std::to_string(i + 1)}));
            }
            image.overstatedSize = static_cast<std::uint32_t>(size);
            size = rest.size();
        }
        image.data = file.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(size));
        ReadImageHeader(image, i);
    }
    return images;
}

std::vector<std::uint8_t> EncodeIconGroup(const std::vector<IconImage>& images, IconFileKind kind,
                                          std::uint32_t firstId) {
    constexpr std::size_t kGroupHeaderSize = 6;
    constexpr std::size_t kGroupEntrySize = 14;
    const bool isIcon = kind == IconFileKind::kIcon;
    std::vector<std::uint8_t> group(kGroupHeaderSize + kGroupEntrySize * images.size());
    WriteU16(group.data() + 2, static_cast<std::uint16_t>(kind));
    WriteU16(group.data() + 4, static_cast<std::uint16_t>(images.size()));
    for (std::size_t i = 0; i < images.size(); ++i) {
        const IconImage& image = images[i];
        std::uint8_t* entry = group.data() + kGroupHeaderSize + kGroupEntrySize * i;
        if (isIcon) {
            entry[0] = image.width;
            entry[1] = image.height;
            entry[2] = image.colorCount;
            entry[3] = image.reserved;
            WriteU32(entry + 8, static_cast<std::uint32_t>(image.data.size()));
        } else {
            // A cursor's bitmap holds the AND and XOR masks one above the other: twice the cursor's height.
            WriteU16(entry, image.width);
            WriteU16(entry + 2, static_cast<std::uint16_t>(image.height * 2));
            WriteU32(entry + 8, static_cast<std::uint32_t>(image.data.size() + 4));
        }
        WriteU16(entry + 4, image.planes);
        WriteU16(entry + 6, image.bitCount);
        WriteU16(entry + 12, static_cast<std::uint16_t>(firstId + i));
    }
    return group;
}

}  // namespace brcc
