// .res parsing: each entry's header, its data and the DWORD padding after both.
#include "brcc32/output/res_file.h"

#include <stdexcept>

#include "brcc32/byte_order.h"
#include "brcc32/script_error.h"

namespace brcc {
namespace {

constexpr std::size_t kFixedHeaderTail = 16;

[[noreturn]] void Malformed() { throw LocalizedError(Compose(msg::kNotARes)); }

ResName ReadName(std::span<const std::uint8_t> header, std::size_t& at) {
    if (at + 2 > header.size()) {
        Malformed();
    }
    if (ReadU16(header, at) == 0xFFFF) {
        if (at + 4 > header.size()) {
            Malformed();
        }
        const ResName name{true, ReadU16(header, at + 2), {}};
        at += 4;
        return name;
    }
    ResName name{false, 0, {}};
    while (true) {
        if (at + 2 > header.size()) {
            Malformed();
        }
        const char16_t unit = ReadU16(header, at);
        at += 2;
        if (unit == 0) {
            return name;
        }
        name.text += unit;
    }
}

}  // namespace

std::vector<ResEntry> ReadResFile(std::span<const std::uint8_t> bytes) {
    std::vector<ResEntry> entries;
    std::size_t at = 0;
    bool first = true;
    while (at < bytes.size()) {
        if (bytes.size() - at < 8) {
            Malformed();
        }
        const std::uint32_t dataSize = ReadU32(bytes, at);
        const std::uint32_t headerSize = ReadU32(bytes, at + 4);
        if (headerSize < 8 + 8 + kFixedHeaderTail || headerSize > bytes.size() - at ||
            dataSize > bytes.size() - at - headerSize) {
            Malformed();
        }
        const std::span<const std::uint8_t> header = bytes.subspan(at, headerSize);
        std::size_t field = 8;
        ResEntry entry;
        entry.type = ReadName(header, field);
        entry.name = ReadName(header, field);
        field = (field + 3) & ~std::size_t{3};
        if (field + kFixedHeaderTail > header.size()) {
            Malformed();
        }
        entry.memoryFlags = ReadU16(header, field + 4);
        entry.language = ReadU16(header, field + 6);
        entry.version = ReadU32(header, field + 8);
        entry.characteristics = ReadU32(header, field + 12);
        entry.data = bytes.subspan(at + headerSize, dataSize);
        at += headerSize + ((static_cast<std::size_t>(dataSize) + 3) & ~std::size_t{3});
        // The leading null entry only says that the file is a 32-bit one.
        const bool marker = first && dataSize == 0 && entry.type == ResName{true, 0, {}};
        if (first && !marker) {
            Malformed();
        }
        if (!first) {
            entries.push_back(entry);
        }
        first = false;
    }
    if (first) {
        Malformed();
    }
    return entries;
}

}  // namespace brcc
