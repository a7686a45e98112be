// A COFF object keeps its resource directory in .rsrc (GNU's single section, data after the directory) or .rsrc$01
// (Microsoft's, data in .rsrc$02). Either way a description's data address is a relocation against a symbol, which
// names the section and the offset the description's own field adds to.
#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_map>

#include "brcc32/byte_order.h"
#include "brcc32/input/resource_input.h"
#include "brcc32/input/resource_tree.h"
#include "brcc32/script_error.h"

namespace brcc {
namespace {

constexpr std::size_t kFileHeaderSize = 20;
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::size_t kRelocationSize = 10;
constexpr std::size_t kSymbolSize = 18;
constexpr std::uint32_t kRelocationOverflow = 0x01000000u;

[[noreturn]] void Wrong(const LocalText& reason) { throw LocalizedError(Compose(msg::kNotACoffObject, {reason})); }
[[noreturn]] void Wrong(const MessageText& reason) { Wrong(Compose(reason)); }

struct Section {
    std::string name;
    ByteRange bytes;
    std::uint64_t relocations;
    std::uint32_t relocationCount;
};

ByteRange Within(std::uint64_t fileSize, std::uint64_t offset, std::uint64_t size, const std::string& name) {
    if (offset > fileSize || size > fileSize - offset) {
        Wrong(Compose(msg::kSectionPastEnd, {name}));
    }
    return {offset, size};
}

std::vector<Section> ReadSections(ByteSource& file) {
    const std::uint64_t fileSize = file.Size();
    if (fileSize < kFileHeaderSize) {
        Wrong(msg::kHeadersPastEnd);
    }
    const auto fileHeader = ReadArray<kFileHeaderSize>(file, 0);
    const std::size_t count = ReadU16(fileHeader, 2);
    const std::uint64_t table = kFileHeaderSize + std::uint64_t{ReadU16(fileHeader, 16)};
    if (table + count * kSectionHeaderSize > fileSize) {
        Wrong(msg::kHeadersPastEnd);
    }
    const std::vector<std::uint8_t> headers = ReadVector(file, table, count * kSectionHeaderSize);
    std::vector<Section> sections;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t header = i * kSectionHeaderSize;
        Section section;
        const auto* name = reinterpret_cast<const char*>(headers.data() + header);
        section.name = std::string(name, std::string_view(name, 8).find('\0') == std::string_view::npos
                                             ? 8
                                             : std::string_view(name, 8).find('\0'));
        // An uninitialized section has no bytes in the file whatever its size.
        const std::uint32_t size = ReadU32(headers, header + 20) == 0 ? 0 : ReadU32(headers, header + 16);
        section.bytes = Within(fileSize, ReadU32(headers, header + 20), size, section.name);
        section.relocations = ReadU32(headers, header + 24);
        section.relocationCount = ReadU16(headers, header + 32);
        if ((ReadU32(headers, header + 36) & kRelocationOverflow) != 0 && section.relocationCount == 0xFFFF) {
            // The real count is in the first relocation, which counts itself.
            Within(fileSize, section.relocations, kRelocationSize, section.name);
            section.relocationCount = ReadU32(ReadArray<4>(file, section.relocations), 0);
            if (section.relocationCount == 0) {
                Wrong(Compose(msg::kRelocationWrong, {section.name}));
            }
            section.relocations += kRelocationSize;
            --section.relocationCount;
        }
        if (section.relocationCount != 0) {
            Within(fileSize, section.relocations, std::uint64_t{section.relocationCount} * kRelocationSize,
                   section.name);
        }
        sections.push_back(section);
    }
    return sections;
}

// Where each relocation of the directory points: the symbol of the data it fills in, by the field it fills.
std::unordered_map<std::uint32_t, std::uint32_t> RelocationTargets(ByteSource& file, const Section& directory) {
    std::unordered_map<std::uint32_t, std::uint32_t> targets;
    // A piece at a time: a hostile count is only bounded by the file's size.
    constexpr std::uint32_t kPiece = 4096;
    std::vector<std::uint8_t> piece;
    for (std::uint32_t done = 0; done < directory.relocationCount;) {
        const std::uint32_t count = std::min(kPiece, directory.relocationCount - done);
        piece.resize(std::size_t{count} * kRelocationSize);
        file.Read(directory.relocations + std::uint64_t{done} * kRelocationSize, piece);
        for (std::uint32_t i = 0; i < count; ++i) {
            targets[ReadU32(piece, i * kRelocationSize)] = ReadU32(piece, i * kRelocationSize + 4);
        }
        done += count;
    }
    return targets;
}

}  // namespace

LocatedResources LocateCoffResources(ByteSource& file) {
    const std::vector<Section> sections = ReadSections(file);
    const Section* directory = nullptr;
    for (const Section& section : sections) {
        if (section.name == ".rsrc" || section.name == ".rsrc$01") {
            directory = &section;
            break;
        }
    }
    if (directory == nullptr) {
        Wrong(msg::kNoResourceSection);
    }
    const auto fileHeader = ReadArray<kFileHeaderSize>(file, 0);
    const std::uint64_t symbols = ReadU32(fileHeader, 8);
    const std::uint64_t symbolCount = ReadU32(fileHeader, 12);
    const std::unordered_map<std::uint32_t, std::uint32_t> targets = RelocationTargets(file, *directory);
    const DataResolver resolve = [&](const DataDescription& description) {
        ByteRange home = directory->bytes;
        std::uint64_t offset = description.address;
        if (const auto found = targets.find(description.offset); found != targets.end()) {
            const std::uint64_t at = symbols + std::uint64_t{found->second} * kSymbolSize;
            if (found->second >= symbolCount || at + kSymbolSize > file.Size()) {
                Wrong(Compose(msg::kRelocationWrong, {directory->name}));
            }
            const auto symbol = ReadArray<kSymbolSize>(file, at);
            const std::uint16_t section = ReadU16(symbol, 12);
            if (section == 0 || section > sections.size()) {
                Wrong(Compose(msg::kRelocationWrong, {directory->name}));
            }
            home = sections[section - 1].bytes;
            offset += ReadU32(symbol, 8);
        }
        if (offset > home.size || description.size > home.size - offset) {
            throw LocalizedError(
                Compose(msg::kDirectoryWrong, {std::to_string(description.offset), msg::kDirectoryDataOutside}));
        }
        return ByteRange{home.offset + offset, description.size};
    };
    return ReadResourceTree(file, directory->bytes, resolve);
}

}  // namespace brcc
