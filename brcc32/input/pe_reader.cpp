// An executable's resources are where its resource data directory points, an address that a section maps to the
// file; every address is checked against the section that holds it, so a hostile file reads nothing beyond itself.
#include <algorithm>
#include <string>

#include "brcc32/byte_order.h"
#include "brcc32/input/resource_input.h"
#include "brcc32/input/resource_tree.h"
#include "brcc32/script_error.h"

namespace brcc {
namespace {

constexpr std::size_t kPeOffsetField = 0x3C;
constexpr std::size_t kFileHeaderSize = 20;
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::uint16_t kPe32 = 0x10B;
constexpr std::uint16_t kPe32Plus = 0x20B;
constexpr std::uint32_t kResourceDirectory = 2;

[[noreturn]] void Wrong(const MessageText& reason) { throw LocalizedError(Compose(msg::kNotAnExecutable, {reason})); }

struct Section {
    std::uint32_t address;
    std::span<const std::uint8_t> bytes;  // as much of its raw data as the file holds
};

// The file's bytes from an address to the end of its section's data, or nothing when no section holds it.
std::span<const std::uint8_t> AtAddress(const std::vector<Section>& sections, std::uint32_t address) {
    for (const Section& section : sections) {
        if (address >= section.address && address - section.address < section.bytes.size()) {
            return section.bytes.subspan(address - section.address);
        }
    }
    return {};
}

}  // namespace

std::vector<ResEntry> ReadPeResources(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kPeOffsetField + 4) {
        Wrong(msg::kHeadersPastEnd);
    }
    const std::uint64_t pe = ReadU32(bytes, kPeOffsetField);
    const std::uint64_t optional = pe + 4 + kFileHeaderSize;
    if (optional + 2 > bytes.size() || ReadU32(bytes, static_cast<std::size_t>(pe)) != 0x00004550u) {
        Wrong(msg::kHeadersPastEnd);
    }
    const std::size_t file = static_cast<std::size_t>(pe + 4);
    const std::size_t sectionCount = ReadU16(bytes, file + 2);
    const std::uint64_t optionalSize = ReadU16(bytes, file + 16);
    const std::uint16_t magic = ReadU16(bytes, static_cast<std::size_t>(optional));
    const std::uint64_t countField = optional + (magic == kPe32Plus ? 108 : 92);
    if ((magic != kPe32 && magic != kPe32Plus) || countField + 4 > optional + optionalSize ||
        optional + optionalSize + sectionCount * kSectionHeaderSize > bytes.size()) {
        Wrong(msg::kHeadersPastEnd);
    }
    const std::uint64_t directoryField = countField + 4 + 8 * kResourceDirectory;
    if (ReadU32(bytes, static_cast<std::size_t>(countField)) <= kResourceDirectory ||
        directoryField + 8 > optional + optionalSize || ReadU32(bytes, static_cast<std::size_t>(directoryField)) == 0) {
        Wrong(msg::kNoResourceSection);
    }
    const std::uint32_t root = ReadU32(bytes, static_cast<std::size_t>(directoryField));
    std::vector<Section> sections;
    for (std::size_t i = 0; i < sectionCount; ++i) {
        const std::size_t header = static_cast<std::size_t>(optional + optionalSize) + i * kSectionHeaderSize;
        const std::uint64_t start = ReadU32(bytes, header + 20);
        std::uint64_t size = ReadU32(bytes, header + 16);
        if (start >= bytes.size()) {
            size = 0;
        }
        // A file cut short keeps what it holds; the rest of the section cannot hold resources.
        size = std::min<std::uint64_t>(size, bytes.size() - std::min<std::uint64_t>(start, bytes.size()));
        sections.push_back({ReadU32(bytes, header + 12), size == 0 ? std::span<const std::uint8_t>{}
                                                                   : bytes.subspan(static_cast<std::size_t>(start),
                                                                                   static_cast<std::size_t>(size))});
    }
    const std::span<const std::uint8_t> directory = AtAddress(sections, root);
    if (directory.empty()) {
        Wrong(msg::kDirectoryOutside);
    }
    const DataResolver resolve = [&](const DataDescription& description) {
        const std::span<const std::uint8_t> data = AtAddress(sections, description.address);
        if (description.size > data.size() || (data.empty() && description.size != 0)) {
            throw LocalizedError(
                Compose(msg::kDirectoryWrong, {std::to_string(description.offset), msg::kDirectoryDataOutside}));
        }
        return data.first(description.size);
    };
    return ReadResourceTree(directory, resolve);
}

}  // namespace brcc
