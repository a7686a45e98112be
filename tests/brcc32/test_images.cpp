// Generators of image files with a pattern that differs per size, so a swapped image shows in a byte compare.
#include "test_images.h"

namespace brcc::test {
namespace {

void Put16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(Bytes& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

void PutBigEndian32(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void PutPattern(Bytes& out, std::size_t count, std::uint32_t seed) {
    for (std::size_t i = 0; i < count; ++i) {
        out.push_back(static_cast<std::uint8_t>((i * 31 + seed * 7) ^ (i >> 3)));
    }
}

std::size_t RowBytes(int width, int bitCount) { return ((static_cast<std::size_t>(width) * bitCount + 31) / 32) * 4; }

void PutInfoHeader(Bytes& out, std::uint32_t size, int width, int height, int bitCount, std::size_t imageSize) {
    Put32(out, size);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(bitCount));
    Put32(out, 0);
    Put32(out, static_cast<std::uint32_t>(imageSize));
    for (int i = 0; i < 4; ++i) {
        Put32(out, 0);
    }
    while (out.size() % 4 != 0 || out.size() < size) {
        out.push_back(0);
    }
}

}  // namespace

Bytes MakeDibImage(int width, int height, int bitCount) {
    Bytes out;
    const std::size_t colourBytes = RowBytes(width, bitCount) * height;
    const std::size_t maskBytes = RowBytes(width, 1) * height;
    PutInfoHeader(out, 40, width, height * 2, bitCount, colourBytes + maskBytes);
    if (bitCount <= 8) {
        PutPattern(out, (std::size_t{1} << bitCount) * 4, static_cast<std::uint32_t>(bitCount));
    }
    PutPattern(out, colourBytes, static_cast<std::uint32_t>(width));
    PutPattern(out, maskBytes, static_cast<std::uint32_t>(height + 1));
    return out;
}

Bytes MakePngImage(int width, int height) {
    Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    auto chunk = [&out](const char* type, const Bytes& data) {
        PutBigEndian32(out, static_cast<std::uint32_t>(data.size()));
        out.insert(out.end(), type, type + 4);
        out.insert(out.end(), data.begin(), data.end());
        PutBigEndian32(out, 0x12345678);  // the compiler copies PNG data and never checks a CRC
    };
    Bytes header;
    PutBigEndian32(header, static_cast<std::uint32_t>(width));
    PutBigEndian32(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 6, 0, 0, 0});
    chunk("IHDR", header);
    Bytes pixels;
    PutPattern(pixels, static_cast<std::size_t>(width) + 13, static_cast<std::uint32_t>(height));
    chunk("IDAT", pixels);
    chunk("IEND", {});
    return out;
}

Bytes MakeIconFile(const std::vector<IconEntry>& entries, bool isCursor) {
    Bytes out;
    Put16(out, 0);
    Put16(out, isCursor ? 2 : 1);
    Put16(out, static_cast<std::uint32_t>(entries.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
    for (const IconEntry& entry : entries) {
        out.push_back(static_cast<std::uint8_t>(entry.width & 0xFF));
        out.push_back(static_cast<std::uint8_t>(entry.height & 0xFF));
        out.push_back(static_cast<std::uint8_t>(entry.bitCount < 8 ? 1 << entry.bitCount : 0));
        out.push_back(0);
        Put16(out, isCursor ? entry.hotspotX : 1);
        Put16(out, isCursor ? entry.hotspotY : static_cast<std::uint32_t>(entry.bitCount));
        Put32(out, static_cast<std::uint32_t>(entry.image.size()));
        Put32(out, offset);
        offset += static_cast<std::uint32_t>(entry.image.size());
    }
    for (const IconEntry& entry : entries) {
        out.insert(out.end(), entry.image.begin(), entry.image.end());
    }
    return out;
}

Bytes MakeBitmapFile(int width, int height, int bitCount, std::uint32_t headerSize) {
    const std::size_t paletteBytes = bitCount <= 8 ? (std::size_t{1} << bitCount) * (headerSize == 12 ? 3 : 4) : 0;
    const std::size_t pixelBytes = RowBytes(width, bitCount) * height;
    const std::size_t offset = 14 + headerSize + paletteBytes;
    Bytes out = {'B', 'M'};
    Put32(out, static_cast<std::uint32_t>(offset + pixelBytes));
    Put32(out, 0);
    Put32(out, static_cast<std::uint32_t>(offset));
    if (headerSize == 12) {
        Put32(out, 12);
        Put16(out, static_cast<std::uint32_t>(width));
        Put16(out, static_cast<std::uint32_t>(height));
        Put16(out, 1);
        Put16(out, static_cast<std::uint32_t>(bitCount));
    } else {
        Bytes header;
        PutInfoHeader(header, headerSize, width, height, bitCount, pixelBytes);
        out.insert(out.end(), header.begin(), header.end());
    }
    PutPattern(out, paletteBytes + pixelBytes, static_cast<std::uint32_t>(width * height));
    return out;
}

Bytes MakeFontFile(const std::string& face, const std::string& device) {
    constexpr std::size_t kHeaderSize = 148;
    Bytes out;
    Put16(out, 0x0300);
    // Metrics and copyright as a pattern: a field taken from a wrong offset shows.
    PutPattern(out, 101 - out.size(), static_cast<std::uint32_t>(face.size()));
    const std::size_t deviceOffset = device.empty() ? 0 : kHeaderSize;
    Put32(out, static_cast<std::uint32_t>(deviceOffset));
    Put32(out, static_cast<std::uint32_t>(kHeaderSize + (device.empty() ? 0 : device.size() + 1)));
    PutPattern(out, kHeaderSize - out.size(), 7);
    for (const std::string* name : {&device, &face}) {
        if (!name->empty() || name == &face) {
            out.insert(out.end(), name->begin(), name->end());
            out.push_back(0);
        }
    }
    PutPattern(out, 40, 3);
    return out;
}

}  // namespace brcc::test
