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
    ByteRange bytes;  // as much of its raw data as the file holds
};

// The file's bytes from an address to the end of its section's data, or nothing when no section holds it.
ByteRange AtAddress(const std::vector<Section>& sections, std::uint32_t address) {
    for (const Section& section : sections) {
        if (address >= section.address && address - section.address < section.bytes.size) {
            return {section.bytes.offset + (address - section.address),
                    section.bytes.size - (address - section.address)};
        }
    }
    return {};
}

}  // namespace

LocatedResources LocatePeResources(ByteSource& file) {
    const std::uint64_t fileSize = file.Size();
    if (fileSize < kPeOffsetField + 4) {
        Wrong(msg::kHeadersPastEnd);
    }
    const std::uint64_t pe = ReadU32(ReadArray<4>(file, kPeOffsetField), 0);
    const std::uint64_t optional = pe + 4 + kFileHeaderSize;
    if (optional + 2 > fileSize) {
        Wrong(msg::kHeadersPastEnd);
    }
    // The signature, the file header and the optional header's magic.
    const auto headers = ReadArray<4 + kFileHeaderSize + 2>(file, pe);
    if (ReadU32(headers, 0) != 0x00004550u) {
        Wrong(msg::kHeadersPastEnd);
    }
    const std::size_t sectionCount = ReadU16(headers, 4 + 2);
    const std::uint64_t optionalSize = ReadU16(headers, 4 + 16);
    const std::uint16_t magic = ReadU16(headers, 4 + kFileHeaderSize);
    const std::uint64_t countField = (magic == kPe32Plus ? 108 : 92);
    if ((magic != kPe32 && magic != kPe32Plus) || countField + 4 > optionalSize ||
        optional + optionalSize + sectionCount * kSectionHeaderSize > fileSize) {
        Wrong(msg::kHeadersPastEnd);
    }
    // The optional header and the section table after it; offsets below are from the optional header's start.
    const std::vector<std::uint8_t> table =
        ReadVector(file, optional, static_cast<std::size_t>(optionalSize + sectionCount * kSectionHeaderSize));
    const std::uint64_t directoryField = countField + 4 + 8 * kResourceDirectory;
    if (ReadU32(table, static_cast<std::size_t>(countField)) <= kResourceDirectory ||
        directoryField + 8 > optionalSize || ReadU32(table, static_cast<std::size_t>(directoryField)) == 0) {
        Wrong(msg::kNoResourceSection);
    }
    const std::uint32_t root = ReadU32(table, static_cast<std::size_t>(directoryField));
    std::vector<Section> sections;
    for (std::size_t i = 0; i < sectionCount; ++i) {
        const std::size_t header = static_cast<std::size_t>(optionalSize) + i * kSectionHeaderSize;
        const std::uint64_t start = ReadU32(table, header + 20);
        std::uint64_t size = ReadU32(table, header + 16);
        if (start >= fileSize) {
            size = 0;
        }
        // A file cut short keeps what it holds; the rest of the section cannot hold resources.
        size = std::min<std::uint64_t>(size, fileSize - std::min<std::uint64_t>(start, fileSize));
        sections.push_back({ReadU32(table, header + 12), size == 0 ? ByteRange{} : ByteRange{start, size}});
    }
    const ByteRange directory = AtAddress(sections, root);
    if (directory.size == 0) {
        Wrong(msg::kDirectoryOutside);
    }
    const DataResolver resolve = [&](const DataDescription& description) {
        const ByteRange data = AtAddress(sections, description.address);
        if (description.size > data.size || (data.size == 0 && description.size != 0)) {
            throw LocalizedError(
                Compose(msg::kDirectoryWrong, {std::to_string(description.offset), msg::kDirectoryDataOutside}));
        }
        return ByteRange{data.offset, description.size};
    };
    return ReadResourceTree(file, directory, resolve);
}

}  // namespace brcc
