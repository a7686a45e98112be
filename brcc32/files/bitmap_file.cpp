// Bitmap file check: the BM mark and a DIB header of a known size that fits the file.
#include "brcc32/files/bitmap_file.h"

#include <string>

#include "brcc32/byte_order.h"
#include "brcc32/script_error.h"

namespace brcc {
namespace {

constexpr std::uint32_t kCoreHeaderSize = 12;

bool IsKnownHeaderSize(std::uint32_t size) {
    return size == kCoreHeaderSize || size == 40 || size == 52 || size == 56 || size == 64 || size == 108 ||
           size == 124;
}

}  // namespace

void CheckBitmapFile(std::span<const std::uint8_t> start, std::uint64_t fileSize) {
    if (start.size() < 2 || start[0] != 'B' || start[1] != 'M') {
        throw FileFormatError(Compose(msg::kNoBmSignature));
    }
    if (start.size() < kBitmapFileHeaderSize + 4) {
        throw FileFormatError(Compose(msg::kBitmapTooShort));
    }
    const std::uint32_t headerSize = ReadU32(start, kBitmapFileHeaderSize);
    if (!IsKnownHeaderSize(headerSize)) {
        throw FileFormatError(Compose(msg::kBitmapHeaderSize, {std::to_string(headerSize)}));
    }
    if (fileSize < kBitmapFileHeaderSize + headerSize || start.size() < kBitmapFileHeaderSize + headerSize) {
        throw FileFormatError(Compose(msg::kBitmapHeaderCut));
    }
    const std::size_t planesAt = kBitmapFileHeaderSize + (headerSize == kCoreHeaderSize ? 8 : 12);
    if (ReadU16(start, planesAt) != 1) {
        throw FileFormatError(Compose(msg::kBitmapPlanes));
    }
}

}  // namespace brcc
