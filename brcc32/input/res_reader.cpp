// A .res file is a run of entries, each a header (sizes, type, name, fixed fields) then its data, both padded to 4
// bytes; the first entry is an empty one that tells a 32-bit file from a 16-bit one.
#include <string>

#include "brcc32/byte_order.h"
#include "brcc32/input/resource_input.h"
#include "brcc32/script_error.h"

namespace brcc {
namespace {

constexpr std::size_t kSizes = 8;       // data size, header size
constexpr std::size_t kFixedTail = 16;  // data version, memory flags, language, version, characteristics
constexpr std::size_t kSmallestId = 4;  // FFFF and an ordinal, or a NUL-ended text of at least one unit

[[noreturn]] void Wrong(std::size_t offset, const MessageText& reason) {
    throw LocalizedError(Compose(msg::kResHeaderWrong, {std::to_string(offset), reason}));
}

// A type or name at `at` in the header that starts at `start`: FFFF and an ordinal, or UTF-16 units ending in NUL.
ResName ReadId(std::span<const std::uint8_t> header, std::size_t& at, std::size_t start) {
    if (at + 2 > header.size()) {
        Wrong(start, msg::kResTooSmall);
    }
    if (ReadU16(header, at) == 0xFFFF) {
        if (at + 4 > header.size()) {
            Wrong(start, msg::kResTooSmall);
        }
        const ResName name{true, ReadU16(header, at + 2), {}};
        at += 4;
        return name;
    }
    ResName name{false, 0, {}};
    for (; at + 2 <= header.size(); at += 2) {
        const char16_t unit = ReadU16(header, at);
        if (unit == 0) {
            at += 2;
            return name;
        }
        name.text += unit;
    }
    Wrong(start, msg::kResNameNotEnded);
}

}  // namespace

std::vector<ResEntry> ReadResEntries(std::span<const std::uint8_t> bytes) {
    std::vector<ResEntry> entries;
    std::size_t at = 0;
    bool first = true;
    while (first || at < bytes.size()) {
        if (bytes.size() - at < kSizes) {
            Wrong(at, msg::kResPastEnd);
        }
        const std::uint32_t dataSize = ReadU32(bytes, at);
        const std::uint32_t headerSize = ReadU32(bytes, at + 4);
        if (headerSize < kSizes + 2 * kSmallestId + kFixedTail) {
            Wrong(at, msg::kResTooSmall);
        }
        if (headerSize > bytes.size() - at) {
            Wrong(at, msg::kResPastEnd);
        }
        if (dataSize > bytes.size() - at - headerSize) {
            Wrong(at, msg::kResDataPastEnd);
        }
        const std::span<const std::uint8_t> header = bytes.subspan(at, headerSize);
        std::size_t field = kSizes;
        ResEntry entry;
        entry.type = ReadId(header, field, at);
        entry.name = ReadId(header, field, at);
        field = (field + 3) & ~std::size_t{3};
        if (field + kFixedTail > header.size()) {
            Wrong(at, msg::kResTooSmall);
        }
        entry.memoryFlags = ReadU16(header, field + 4);
        entry.language = ReadU16(header, field + 6);
        entry.version = ReadU32(header, field + 8);
        entry.characteristics = ReadU32(header, field + 12);
        entry.data = bytes.subspan(at + headerSize, dataSize);
        if (first) {
            if (dataSize != 0 || entry.type != ResName{true, 0, {}}) {
                Wrong(at, msg::kResNoMarker);
            }
        } else {
            entries.push_back(std::move(entry));
        }
        first = false;
        // The padding after the last resource may be missing: a file cut there still holds every byte of data.
        const std::size_t next = at + headerSize + ((static_cast<std::size_t>(dataSize) + 3) & ~std::size_t{3});
        at = next < bytes.size() ? next : bytes.size();
    }
    return entries;
}

}  // namespace brcc
