// A COFF object keeps its resource directory in .rsrc (GNU's single section, data after the directory) or .rsrc$01
// (Microsoft's, data in .rsrc$02). Either way a description's data address is a relocation against a symbol, which
// names the section and the offset the description's own field adds to.
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
    std::span<const std::uint8_t> bytes;
    std::uint64_t relocations;
    std::uint32_t relocationCount;
};

std::span<const std::uint8_t> Within(std::span<const std::uint8_t> bytes, std::uint64_t offset, std::uint64_t size,
                                     const std::string& name) {
    if (offset > bytes.size() || size > bytes.size() - offset) {
        Wrong(Compose(msg::kSectionPastEnd, {name}));
    }
    return bytes.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(size));
}

std::vector<Section> ReadSections(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kFileHeaderSize) {
        Wrong(msg::kHeadersPastEnd);
    }
    const std::size_t count = ReadU16(bytes, 2);
    const std::uint64_t table = kFileHeaderSize + std::uint64_t{ReadU16(bytes, 16)};
    if (table + count * kSectionHeaderSize > bytes.size()) {
        Wrong(msg::kHeadersPastEnd);
    }
    std::vector<Section> sections;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t header = static_cast<std::size_t>(table) + i * kSectionHeaderSize;
        Section section;
        const auto* name = reinterpret_cast<const char*>(bytes.data() + header);
        section.name = std::string(name, std::string_view(name, 8).find('\0') == std::string_view::npos
                                             ? 8
                                             : std::string_view(name, 8).find('\0'));
        // An uninitialized section has no bytes in the file whatever its size.
        const std::uint32_t size = ReadU32(bytes, header + 20) == 0 ? 0 : ReadU32(bytes, header + 16);
        section.bytes = Within(bytes, ReadU32(bytes, header + 20), size, section.name);
        section.relocations = ReadU32(bytes, header + 24);
        section.relocationCount = ReadU16(bytes, header + 32);
        if ((ReadU32(bytes, header + 36) & kRelocationOverflow) != 0 && section.relocationCount == 0xFFFF) {
            // The real count is in the first relocation, which counts itself.
            Within(bytes, section.relocations, kRelocationSize, section.name);
            section.relocationCount = ReadU32(bytes, static_cast<std::size_t>(section.relocations));
            if (section.relocationCount == 0) {
                Wrong(Compose(msg::kRelocationWrong, {section.name}));
            }
            section.relocations += kRelocationSize;
            --section.relocationCount;
        }
        if (section.relocationCount != 0) {
            Within(bytes, section.relocations, std::uint64_t{section.relocationCount} * kRelocationSize, section.name);
        }
        sections.push_back(section);
    }
    return sections;
}

}  // namespace

std::vector<ResEntry> ReadCoffResources(std::span<const std::uint8_t> bytes) {
    const std::vector<Section> sections = ReadSections(bytes);
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
    const std::uint64_t symbols = ReadU32(bytes, 8);
    const std::uint64_t symbolCount = ReadU32(bytes, 12);
    // Where each relocation of the directory points: the symbol of the data it fills in.
    std::unordered_map<std::uint32_t, std::uint32_t> targets;
    for (std::uint32_t i = 0; i < directory->relocationCount; ++i) {
        const std::size_t at = static_cast<std::size_t>(directory->relocations) + i * kRelocationSize;
        targets[ReadU32(bytes, at)] = ReadU32(bytes, at + 4);
    }
    const DataResolver resolve = [&](const DataDescription& description) {
        std::span<const std::uint8_t> home = directory->bytes;
        std::uint64_t offset = description.address;
        if (const auto found = targets.find(description.offset); found != targets.end()) {
            if (found->second >= symbolCount || symbols + (found->second + 1) * kSymbolSize > bytes.size()) {
                Wrong(Compose(msg::kRelocationWrong, {directory->name}));
            }
            const std::size_t symbol = static_cast<std::size_t>(symbols + found->second * kSymbolSize);
            const std::uint16_t section = ReadU16(bytes, symbol + 12);
            if (section == 0 || section > sections.size()) {
                Wrong(Compose(msg::kRelocationWrong, {directory->name}));
            }
            home = sections[section - 1].bytes;
            offset += ReadU32(bytes, symbol + 8);
        }
        if (offset > home.size() || description.size > home.size() - offset) {
            throw LocalizedError(
                Compose(msg::kDirectoryWrong, {std::to_string(description.offset), msg::kDirectoryDataOutside}));
        }
        return home.subspan(static_cast<std::size_t>(offset), description.size);
    };
    return ReadResourceTree(directory->bytes, resolve);
}

}  // namespace brcc
