// A .res file is a run of entries, each a header (sizes, type, name, fixed fields) then its data, both padded to 4
// bytes; the first entry is an empty one that tells a 32-bit file from a 16-bit one.
#include <algorithm>
#include <string>

#include "brcc32/byte_order.h"
#include "brcc32/input/resource_input.h"
#include "brcc32/script_error.h"

namespace brcc {
namespace {

constexpr std::size_t kSizes = 8;       // data size, header size
constexpr std::size_t kFixedTail = 16;  // data version, memory flags, language, version, characteristics
constexpr std::size_t kSmallestId = 4;  // FFFF and an ordinal, or a NUL-ended text of at least one unit
constexpr std::size_t kReadAhead = 256;

[[noreturn]] void Wrong(std::uint64_t offset, const MessageText& reason) {
    throw LocalizedError(Compose(msg::kResHeaderWrong, {std::to_string(offset), reason}));
}

// A type or name at `at` in the header that starts at `start`: FFFF and an ordinal, or UTF-16 units ending in NUL.
ResName ReadId(std::span<const std::uint8_t> header, std::size_t& at, std::uint64_t start) {
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

struct ResSizes {
    std::uint32_t data;
    std::uint32_t header;
};

// An entry's two sizes from its first bytes (8, or all that remain), checked against the `remaining` bytes from the
// entry's start at `offset` to the end of the file.
ResSizes ReadResSizes(std::span<const std::uint8_t> start, std::uint64_t offset, std::uint64_t remaining) {
    if (remaining < kSizes || start.size() < kSizes) {
        Wrong(offset, msg::kResPastEnd);
    }
    const ResSizes sizes{ReadU32(start, 0), ReadU32(start, 4)};
    if (sizes.header < kSizes + 2 * kSmallestId + kFixedTail) {
        Wrong(offset, msg::kResTooSmall);
    }
    if (sizes.header > remaining) {
        Wrong(offset, msg::kResPastEnd);
    }
    if (sizes.data > remaining - sizes.header) {
        Wrong(offset, msg::kResDataPastEnd);
    }
    return sizes;
}

// The type, name and fixed fields from the whole header. The file's first entry must be the empty one that marks a
// 32-bit file.
ResEntry ReadResHeader(std::span<const std::uint8_t> header, std::uint64_t offset, bool first) {
    std::size_t field = kSizes;
    ResEntry entry;
    entry.type = ReadId(header, field, offset);
    entry.name = ReadId(header, field, offset);
    field = (field + 3) & ~std::size_t{3};
    if (field + kFixedTail > header.size()) {
        Wrong(offset, msg::kResTooSmall);
    }
    entry.memoryFlags = ReadU16(header, field + 4);
    entry.language = ReadU16(header, field + 6);
    entry.version = ReadU32(header, field + 8);
    entry.characteristics = ReadU32(header, field + 12);
    if (first && (ReadU32(header, 0) != 0 || entry.type != ResName{true, 0, {}})) {
        Wrong(offset, msg::kResNoMarker);
    }
    return entry;
}

}  // namespace

LocatedResources LocateResEntries(ByteSource& file) {
    const std::uint64_t size = file.Size();
    LocatedResources found;
    std::vector<std::uint8_t> header;
    std::uint64_t at = 0;
    for (bool first = true; first || at < size; first = false) {
        // One read takes the sizes and, for all but long names, the rest of the header with them.
        header.resize(static_cast<std::size_t>(std::min<std::uint64_t>(size - at, kReadAhead)));
        file.Read(at, header);
        const ResSizes sizes = ReadResSizes(header, at, size - at);
        if (sizes.header > header.size()) {
            const std::size_t held = header.size();
            header.resize(sizes.header);
            file.Read(at + held, std::span(header).subspan(held));
        }
        ResEntry entry = ReadResHeader(std::span(header).first(sizes.header), at, first);
        if (!first) {
            found.entries.push_back(std::move(entry));
            found.data.push_back({at + sizes.header, sizes.data});
        }
        // The padding after the last resource may be missing: a file cut there still holds every byte of data.
        at += sizes.header + ((std::uint64_t{sizes.data} + 3) & ~std::uint64_t{3});
    }
    return found;
}

}  // namespace brcc
