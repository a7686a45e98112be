// Checks a .bmp file before its contents, less the 14-byte file header, become a BITMAP resource.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace brcc {

inline constexpr std::size_t kBitmapFileHeaderSize = 14;
// Enough of the file's start for CheckBitmapFile: the file header and the largest known DIB header.
inline constexpr std::size_t kBitmapProbeSize = kBitmapFileHeaderSize + 124;

// `start` holds the first min(fileSize, kBitmapProbeSize) bytes. Throws FileFormatError when it is no bitmap.
void CheckBitmapFile(std::span<const std::uint8_t> start, std::uint64_t fileSize);

}  // namespace brcc
