// The resource directory is a three-level tree (type, name, language) laid out breadth first, as linkers and the
// Windows loader read it; data descriptions follow the tables, then the names.
#include "brcc32/output/coff_writer.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "brcc32/byte_order.h"

namespace brcc {
namespace {

constexpr std::size_t kFileHeaderSize = 20;
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::size_t kSymbolSize = 18;
constexpr std::size_t kRelocationSize = 10;
constexpr std::size_t kDirectorySize = 16;
constexpr std::size_t kEntrySize = 8;
constexpr std::size_t kDataEntrySize = 16;
constexpr std::size_t kDataAlignment = 8;
constexpr std::uint32_t kSubdirectoryBit = 0x80000000u;
constexpr std::uint32_t kNameBit = 0x80000000u;
constexpr std::uint32_t kSectionCharacteristics = 0x40000040u;  // initialized data, readable
constexpr std::uint16_t kFile32BitMachine = 0x0100;
constexpr std::uint8_t kStorageStatic = 3;
constexpr std::uint16_t kAbsoluteSection = 0xFFFF;
// The symbols before the one of each resource: @feat.00, then each section's with its auxiliary record.
constexpr std::uint32_t kFixedSymbols = 5;
// @feat.00 says the object is safe for /SAFESEH, which Microsoft's linker asks of every x86 object.
constexpr std::uint32_t kFeatures = 0x11;

std::size_t Align(std::size_t value, std::size_t alignment) { return (value + alignment - 1) / alignment * alignment; }

std::uint16_t RelocationType(Machine machine) {
    switch (machine) {
        case Machine::kX86:
            return 0x0007;  // IMAGE_REL_I386_DIR32NB
        case Machine::kX64:
            return 0x0003;  // IMAGE_REL_AMD64_ADDR32NB
        case Machine::kArm64:
            return 0x0002;  // IMAGE_REL_ARM64_ADDR32NB
    }
    return 0;
}

// Name -> language -> index into the entries; a map keeps each level in the directory's order.
using LanguageLevel = std::map<std::uint16_t, std::size_t>;
using NameLevel = std::map<ResName, LanguageLevel>;
using TypeLevel = std::map<ResName, NameLevel>;

std::string DescribeName(const ResName& name) {
    if (name.m_isOrdinal) {
        return std::to_string(name.m_ordinal);
    }
    std::string text;
    for (const char16_t unit : name.m_text) {
        text += unit < 0x80 ? static_cast<char>(unit) : '?';
    }
    return text;
}

class DirectoryLayout {
public:
    DirectoryLayout(const TypeLevel& tree, std::size_t resourceCount) {
        // Offsets first: every table's size is known from the tree, so one pass places the tables, a second the
        // data descriptions, a third the names.
        std::size_t tables = TableSize(tree.size());
        for (const auto& [type, names] : tree) {
            tables += TableSize(names.size());
            for (const auto& [name, languages] : names) {
                tables += TableSize(languages.size());
            }
        }
        m_dataEntriesStart = tables;
        m_namesStart = tables + resourceCount * kDataEntrySize;
    }

    static std::size_t TableSize(std::size_t entries) { return kDirectorySize + entries * kEntrySize; }
    std::size_t m_dataEntriesStart = 0;
    std::size_t m_namesStart = 0;
};

void PutName(std::vector<std::uint8_t>& out, const std::u16string& text) {
    PutU16(out, static_cast<std::uint32_t>(text.size()));
    for (const char16_t unit : text) {
        PutU16(out, unit);
    }
}

void PutDirectoryHeader(std::vector<std::uint8_t>& out, std::size_t named, std::size_t numbered) {
    out.resize(out.size() + 12, 0);
    PutU16(out, static_cast<std::uint32_t>(named));
    PutU16(out, static_cast<std::uint32_t>(numbered));
}

void PutSymbol(std::vector<std::uint8_t>& out, std::string_view name, std::uint32_t value, std::uint16_t section,
               std::uint8_t auxiliaries) {
    std::uint8_t shortName[8] = {};
    std::copy_n(name.begin(), std::min<std::size_t>(name.size(), 8), shortName);
    out.insert(out.end(), shortName, shortName + 8);
    PutU32(out, value);
    PutU16(out, section);
    PutU16(out, 0);  // type: none
    out.push_back(kStorageStatic);
    out.push_back(auxiliaries);
}

void PutSectionAuxiliary(std::vector<std::uint8_t>& out, std::size_t length, std::size_t relocations) {
    PutU32(out, static_cast<std::uint32_t>(length));
    PutU16(out, static_cast<std::uint32_t>(relocations));
    out.resize(out.size() + kSymbolSize - 6, 0);
}

void PutSectionHeader(std::vector<std::uint8_t>& out, std::string_view name, std::size_t size, std::size_t offset,
                      std::size_t relocationsOffset, std::size_t relocations) {
    std::uint8_t shortName[8] = {};
    std::copy_n(name.begin(), std::min<std::size_t>(name.size(), 8), shortName);
    out.insert(out.end(), shortName, shortName + 8);
    PutU32(out, 0);  // virtual size
    PutU32(out, 0);  // virtual address
    PutU32(out, static_cast<std::uint32_t>(size));
    PutU32(out, static_cast<std::uint32_t>(offset));
    PutU32(out, static_cast<std::uint32_t>(relocationsOffset));
    PutU32(out, 0);  // line numbers
    PutU16(out, static_cast<std::uint32_t>(relocations));
    PutU16(out, 0);
    PutU32(out, kSectionCharacteristics);
}

}  // namespace

void WriteCoffObject(std::span<const ResEntry> entries, Machine machine, std::streambuf& out) {
    if (entries.size() > 0xFFFF) {
        // A section counts its relocations in 16 bits (the overflow form is not read by every linker).
        throw std::runtime_error("more than 65535 resources do not fit in one COFF object");
    }
    TypeLevel tree;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const ResEntry& entry = entries[i];
        auto [at, added] = tree[entry.m_type][entry.m_name].try_emplace(entry.m_language, i);
        if (!added) {
            char language[8];
            std::snprintf(language, sizeof language, "%04X", static_cast<unsigned>(entry.m_language));
            throw std::runtime_error("duplicate resource: type " + DescribeName(entry.m_type) + ", name " +
                                     DescribeName(entry.m_name) + ", language " + language);
        }
    }
    const DirectoryLayout layout(tree, entries.size());

    // Each named node of the tree holds its own copy of its name, in the order the .res file first meets the node:
    // the order of llvm-cvtres, so that the same .res gives the same object.
    std::vector<std::uint8_t> names;
    std::map<ResName, std::uint32_t> typeNames;
    std::map<std::pair<ResName, ResName>, std::uint32_t> nameNames;
    auto placeName = [&](const ResName& name) {
        const auto offset = static_cast<std::uint32_t>(layout.m_namesStart + names.size());
        PutName(names, name.m_text);
        return offset;
    };
    for (const ResEntry& entry : entries) {
        if (!entry.m_type.m_isOrdinal && !typeNames.contains(entry.m_type)) {
            typeNames[entry.m_type] = placeName(entry.m_type);
        }
        const std::pair key(entry.m_type, entry.m_name);
        if (!entry.m_name.m_isOrdinal && !nameNames.contains(key)) {
            nameNames[key] = placeName(entry.m_name);
        }
    }
    auto putEntry = [](std::vector<std::uint8_t>& table, std::uint32_t id, std::uint32_t offset) {
        PutU32(table, id);
        PutU32(table, offset);
    };
    auto countNamed = [](const auto& level) {
        return static_cast<std::size_t>(
            std::count_if(level.begin(), level.end(), [](const auto& item) { return !item.first.m_isOrdinal; }));
    };

    // Breadth first: the root, every type's table, every name's table, then the data descriptions.
    std::vector<std::uint8_t> section;
    std::size_t next = DirectoryLayout::TableSize(tree.size());
    PutDirectoryHeader(section, countNamed(tree), tree.size() - countNamed(tree));
    for (const auto& [type, names2] : tree) {
        putEntry(section, type.m_isOrdinal ? type.m_ordinal : typeNames[type] | kNameBit,
                 static_cast<std::uint32_t>(next) | kSubdirectoryBit);
        next += DirectoryLayout::TableSize(names2.size());
    }
    for (const auto& [type, nameLevel] : tree) {
        PutDirectoryHeader(section, countNamed(nameLevel), nameLevel.size() - countNamed(nameLevel));
        for (const auto& [name, languages] : nameLevel) {
            putEntry(section, name.m_isOrdinal ? name.m_ordinal : nameNames[{type, name}] | kNameBit,
                     static_cast<std::uint32_t>(next) | kSubdirectoryBit);
            next += DirectoryLayout::TableSize(languages.size());
        }
    }
    // The resources' data go in their .res order; each description is relocated to its resource's symbol.
    std::vector<std::uint32_t> descriptionOf(entries.size());
    for (const auto& [type, nameLevel] : tree) {
        for (const auto& [name, languages] : nameLevel) {
            PutDirectoryHeader(section, 0, languages.size());
            for (const auto& [language, index] : languages) {
                descriptionOf[index] = static_cast<std::uint32_t>(next);
                putEntry(section, language, static_cast<std::uint32_t>(next));
                next += kDataEntrySize;
            }
        }
    }
    for (const auto& [type, nameLevel] : tree) {
        for (const auto& [name, languages] : nameLevel) {
            for (const auto& [language, index] : languages) {
                PutU32(section, 0);  // the data's address, which the relocation fills in
                PutU32(section, static_cast<std::uint32_t>(entries[index].m_data.size()));
                PutU32(section, 0);  // code page
                PutU32(section, 0);
            }
        }
    }
    section.insert(section.end(), names.begin(), names.end());
    section.resize(Align(section.size(), 4), 0);

    const std::size_t sectionOneOffset = kFileHeaderSize + 2 * kSectionHeaderSize;
    const std::size_t relocationsOffset = sectionOneOffset + section.size();
    const std::size_t sectionTwoOffset = Align(relocationsOffset + entries.size() * kRelocationSize, kDataAlignment);
    std::vector<std::uint32_t> dataOffsets(entries.size());
    std::size_t sectionTwoSize = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        dataOffsets[i] = static_cast<std::uint32_t>(sectionTwoSize);
        sectionTwoSize += Align(entries[i].m_data.size(), kDataAlignment);
    }
    if (sectionTwoOffset + sectionTwoSize > 0xFFFFFFF0u) {
        throw std::runtime_error("the resources are too large for a COFF object (4 GB)");
    }
    const std::size_t symbolsOffset = Align(sectionTwoOffset + sectionTwoSize, kDataAlignment);

    std::vector<std::uint8_t> head;
    head.reserve(relocationsOffset + entries.size() * kRelocationSize);
    PutU16(head, CoffMachineValue(machine));
    PutU16(head, 2);
    PutU32(head, 0);  // no time stamp: the same script gives the same object
    PutU32(head, static_cast<std::uint32_t>(symbolsOffset));
    PutU32(head, static_cast<std::uint32_t>(kFixedSymbols + entries.size()));
    PutU16(head, 0);
    PutU16(head, machine == Machine::kX86 ? kFile32BitMachine : 0);
    PutSectionHeader(head, ".rsrc$01", section.size(), sectionOneOffset, relocationsOffset, entries.size());
    PutSectionHeader(head, ".rsrc$02", sectionTwoSize, sectionTwoOffset, 0, 0);
    head.insert(head.end(), section.begin(), section.end());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        PutU32(head, descriptionOf[i]);
        PutU32(head, static_cast<std::uint32_t>(kFixedSymbols + i));
        PutU16(head, RelocationType(machine));
    }
    head.resize(sectionTwoOffset, 0);

    auto put = [&out](std::span<const std::uint8_t> bytes) {
        const auto size = static_cast<std::streamsize>(bytes.size());
        if (out.sputn(reinterpret_cast<const char*>(bytes.data()), size) != size) {
            throw std::runtime_error("the output file cannot be written (is the disk full?)");
        }
    };
    put(head);
    static constexpr std::uint8_t kZeros[kDataAlignment] = {};
    for (const ResEntry& entry : entries) {
        put(entry.m_data);
        put(std::span(kZeros, Align(entry.m_data.size(), kDataAlignment) - entry.m_data.size()));
    }
    put(std::span(kZeros, symbolsOffset - sectionTwoOffset - sectionTwoSize));

    std::vector<std::uint8_t> symbols;
    symbols.reserve((kFixedSymbols + entries.size()) * kSymbolSize + 4);
    PutSymbol(symbols, "@feat.00", kFeatures, kAbsoluteSection, 0);
    PutSymbol(symbols, ".rsrc$01", 0, 1, 1);
    PutSectionAuxiliary(symbols, section.size(), entries.size());
    PutSymbol(symbols, ".rsrc$02", 0, 2, 1);
    PutSectionAuxiliary(symbols, sectionTwoSize, 0);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        char name[9];
        std::snprintf(name, sizeof name, "$R%06X", static_cast<unsigned>(i) & 0xFFFFFFu);
        PutSymbol(symbols, name, dataOffsets[i], 2, 0);
    }
    PutU32(symbols, 4);  // an empty string table: its size counts itself
    put(symbols);
}

}  // namespace brcc
