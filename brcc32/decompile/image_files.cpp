// Icon, cursor and bitmap files built back from their resources, each checked by reading it as the compiler does.
#include "brcc32/decompile/image_files.h"

#include <algorithm>

#include "brcc32/byte_order.h"
#include "brcc32/files/bitmap_file.h"
#include "brcc32/files/font_file.h"
#include "brcc32/files/icon_file.h"
#include "brcc32/resource_id.h"

namespace brcc {
namespace {

constexpr std::size_t kGroupHeaderSize = 6;
constexpr std::size_t kGroupEntrySize = 14;
constexpr std::size_t kFileEntrySize = 16;
constexpr std::size_t kHotspotSize = 4;

bool Same(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

}  // namespace

std::uint16_t GroupFlagsFor(std::uint16_t imageFlags) {
    const std::uint16_t flags = kMemMoveable | kMemPure | kMemDiscardable;
    return (imageFlags & kMemPreload) ? static_cast<std::uint16_t>((flags | kMemPreload) & ~kMemPure) : flags;
}

std::optional<std::vector<std::uint16_t>> GroupImageIds(const ResEntry& group) {
    const std::span<const std::uint8_t> data = group.data;
    if (data.size() < kGroupHeaderSize) {
        return std::nullopt;
    }
    const std::size_t count = ReadU16(data, 4);
    if (data.size() != kGroupHeaderSize + kGroupEntrySize * count) {
        return std::nullopt;
    }
    std::vector<std::uint16_t> ids;
    for (std::size_t i = 0; i < count; ++i) {
        ids.push_back(ReadU16(data, kGroupHeaderSize + kGroupEntrySize * i + 12));
    }
    return ids;
}

std::optional<std::vector<std::uint8_t>> IconFileOf(const ResEntry& group, std::span<const ResEntry* const> images,
                                                    std::uint32_t firstId) {
    const bool isIcon = group.type.ordinal == kTypeGroupIcon;
    const std::span<const std::uint8_t> directory = group.data;
    std::vector<std::uint8_t> file(kGroupHeaderSize + kFileEntrySize * images.size());
    WriteU16(file.data() + 2, isIcon ? 1 : 2);
    WriteU16(file.data() + 4, static_cast<std::uint16_t>(images.size()));
    for (std::size_t i = 0; i < images.size(); ++i) {
        const ResEntry& image = *images[i];
        if (image.language != group.language || image.memoryFlags != images[0]->memoryFlags || image.version != 0 ||
            image.characteristics != 0 || (!isIcon && image.data.size() < kHotspotSize)) {
            return std::nullopt;
        }
        const std::size_t from = kGroupHeaderSize + kGroupEntrySize * i;
        std::uint8_t* entry = file.data() + kGroupHeaderSize + kFileEntrySize * i;
        const std::span<const std::uint8_t> bits = isIcon ? image.data : image.data.subspan(kHotspotSize);
        if (isIcon) {
            std::copy_n(directory.begin() + from, 8, entry);  // size, colours, planes and bit count as the group has
        } else {
            entry[0] = static_cast<std::uint8_t>(ReadU16(directory, from));
            entry[1] = static_cast<std::uint8_t>(ReadU16(directory, from + 2) / 2);
            std::copy_n(image.data.begin(), kHotspotSize, entry + 4);
        }
        WriteU32(entry + 8, static_cast<std::uint32_t>(bits.size()));
        WriteU32(entry + 12, static_cast<std::uint32_t>(file.size()));
        file.insert(file.end(), bits.begin(), bits.end());
    }
    try {
        const std::vector<IconImage> read = ReadIconFile(file, isIcon ? IconFileKind::kIcon : IconFileKind::kCursor);
        if (read.size() != images.size() || group.version != 0 || group.characteristics != 0 ||
            group.memoryFlags != GroupFlagsFor(images.empty() ? group.memoryFlags : images[0]->memoryFlags) ||
            !Same(EncodeIconGroup(read, isIcon ? IconFileKind::kIcon : IconFileKind::kCursor, firstId), directory)) {
            return std::nullopt;
        }
        for (std::size_t i = 0; i < read.size(); ++i) {
            const std::span<const std::uint8_t> stored = images[i]->data;
            if (!Same(read[i].data, isIcon ? stored : stored.subspan(kHotspotSize))) {
                return std::nullopt;
            }
        }
    } catch (...) {
        return std::nullopt;  // a file the compiler refuses
    }
    return file;
}

std::optional<std::vector<std::uint8_t>> BitmapFileOf(const ResEntry& bitmap) {
    const std::span<const std::uint8_t> data = bitmap.data;
    if (data.size() < 16 || bitmap.version != 0 || bitmap.characteristics != 0) {
        return std::nullopt;
    }
    const std::uint32_t headerSize = ReadU32(data, 0);
    std::uint64_t bitsAt = kBitmapFileHeaderSize + std::uint64_t{headerSize};
    if (headerSize == 12) {
        const std::uint16_t bitCount = ReadU16(data, 10);
        bitsAt += bitCount <= 8 ? 3u << bitCount : 0;
    } else if (data.size() >= 36) {
        const std::uint16_t bitCount = ReadU16(data, 14);
        const std::uint32_t compression = ReadU32(data, 16);
        const std::uint32_t used = ReadU32(data, 32);
        bitsAt += 4ull * (used != 0 ? used : bitCount <= 8 ? 1u << bitCount : 0);
        if (headerSize == 40 && (compression == 3 || compression == 6)) {
            bitsAt += compression == 3 ? 12 : 16;  // the colour masks after a BITMAPINFOHEADER
        }
    }
    std::vector<std::uint8_t> file(kBitmapFileHeaderSize);
    file[0] = 'B';
    file[1] = 'M';
    WriteU32(file.data() + 2, static_cast<std::uint32_t>(kBitmapFileHeaderSize + data.size()));
    WriteU32(file.data() + 10, static_cast<std::uint32_t>(std::min<std::uint64_t>(bitsAt, 0xFFFFFFFF)));
    file.insert(file.end(), data.begin(), data.end());
    try {
        CheckBitmapFile(std::span(file).first(std::min(file.size(), kBitmapProbeSize)), file.size());
    } catch (...) {
        return std::nullopt;
    }
    return file;
}

bool AddToFontDirectory(std::vector<std::uint8_t>& directory, const ResEntry& font) {
    if (!font.name.isOrdinal) {
        return false;
    }
    try {
        const std::vector<std::uint8_t> entry = ReadFontDirEntry(font.data);
        PutU16(directory, font.name.ordinal);
        directory.insert(directory.end(), entry.begin(), entry.end());
    } catch (...) {
        return false;
    }
    return true;
}

}  // namespace brcc
