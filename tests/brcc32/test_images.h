// Icon, cursor and bitmap files made in code for the compiler's tests and its corpus.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brcc::test {

using Bytes = std::vector<std::uint8_t>;

// An icon image as a DIB: 40-byte header with doubled height, palette, colour bits and AND mask.
Bytes MakeDibImage(int width, int height, int bitCount);
// A small PNG stream: signature, IHDR, IDAT and IEND chunks.
Bytes MakePngImage(int width, int height);

struct IconEntry {
    Bytes image;
    int width = 0;  // 256 is written as 0
    int height = 0;
    int bitCount = 0;
    std::uint16_t hotspotX = 0;  // cursors only
    std::uint16_t hotspotY = 0;
};

Bytes MakeIconFile(const std::vector<IconEntry>& entries, bool isCursor = false);
// A .bmp file; headerSize 12 writes a core header, 40/108/124 the info header and its later versions.
Bytes MakeBitmapFile(int width, int height, int bitCount, std::uint32_t headerSize = 40);
// A Windows 3.0 .fnt font: its 148-byte header, the device name (offset 0 when empty), the face name, glyph bytes.
Bytes MakeFontFile(const std::string& face, const std::string& device = "");

}  // namespace brcc::test
