// A .fnt header: version, size, copyright, metrics, then the offsets of the device and face names in the file.
#include "brcc32/files/font_file.h"

#include <algorithm>
#include <string>

#include "brcc32/byte_order.h"
#include "brcc32/script_error.h"

namespace brcc {
namespace {

constexpr std::size_t kVersionOffset = 0;
constexpr std::size_t kDeviceOffset = 101;
constexpr std::size_t kFaceOffset = 105;
constexpr std::uint16_t kVersion2 = 0x0200;
constexpr std::uint16_t kVersion3 = 0x0300;

// The NUL-terminated name at `offset`, with its NUL; `what` names it in the error.
void AppendName(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> file, std::uint32_t offset,
                const MessageText& what) {
    if (offset >= file.size()) {
        throw FileFormatError(Compose(msg::kFontNameBeyondEnd, {what}));
    }
    const auto begin = file.begin() + offset;
    const auto end = std::find(begin, file.end(), std::uint8_t{0});
    if (end == file.end()) {
        throw FileFormatError(Compose(msg::kFontNameNotEnded, {what}));
    }
    out.insert(out.end(), begin, end + 1);
}

}  // namespace

std::vector<std::uint8_t> ReadFontDirEntry(std::span<const std::uint8_t> file) {
    if (file.size() < kFontDirEntryFixedSize) {
        throw FileFormatError(Compose(msg::kFontTooShort));
    }
    const std::uint16_t version = ReadU16(file, kVersionOffset);
    if (version != kVersion2 && version != kVersion3) {
        throw FileFormatError(Compose(msg::kNotAFntFont));
    }
    std::vector<std::uint8_t> entry(file.begin(), file.begin() + kFontDirEntryFixedSize);
    // A device name offset of 0 marks a font for any device: its name is empty.
    const std::uint32_t device = ReadU32(file, kDeviceOffset);
    if (device == 0) {
        entry.push_back(0);
    } else {
        AppendName(entry, file, device, msg::kFontDevice);
    }
    AppendName(entry, file, ReadU32(file, kFaceOffset), msg::kFontFace);
    return entry;
}

}  // namespace brcc
