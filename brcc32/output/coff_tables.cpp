// Field layouts of the COFF file header, section headers, relocations and symbols, as Microsoft's and GNU's linkers
// read them.
#include "brcc32/output/coff_tables.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "brcc32/byte_order.h"

namespace brcc {
namespace {

constexpr std::size_t kRelocationSize = 10;
constexpr std::size_t kSymbolSize = 18;
// The symbols before the one of each resource: @feat.00, then each section's with its auxiliary record.
constexpr std::uint32_t kFixedSymbols = 5;
constexpr std::size_t kMaxRelocationCount = 0xFFFF;         // more, and the count moves into a first relocation
constexpr std::uint32_t kRelocationOverflow = 0x01000000u;  // in the section: the count is in the first relocation

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

bool RelocationsOverflow(std::size_t resources) { return resources >= kMaxRelocationCount; }

std::uint16_t RelocationCountField(std::size_t resources) {
    return static_cast<std::uint16_t>(std::min(resources, kMaxRelocationCount));
}

// Section and symbol names alike: eight bytes, NUL-padded.
void WriteShortName(std::uint8_t* field, std::string_view name) {
    std::copy_n(name.begin(), std::min<std::size_t>(name.size(), 8), field);
}

constexpr std::uint8_t kStorageStatic = 3;
constexpr std::uint16_t kAbsoluteSection = 0xFFFF;
// @feat.00 says the object is safe for /SAFESEH, which Microsoft's linker asks of every x86 object.
constexpr std::uint32_t kFeatures = 0x11;

using Symbol = std::array<std::uint8_t, kSymbolSize>;

Symbol MakeSymbol(std::string_view name, std::uint32_t value, std::uint16_t section, std::uint8_t auxiliaries) {
    Symbol symbol{};
    WriteShortName(symbol.data(), name);
    WriteU32(symbol.data() + 8, value);
    WriteU16(symbol.data() + 12, section);
    symbol[16] = kStorageStatic;  // the type, at 14, stays none
    symbol[17] = auxiliaries;
    return symbol;
}

Symbol SectionAuxiliary(std::uint64_t length, std::size_t relocations) {
    Symbol record{};
    WriteU32(record.data(), static_cast<std::uint32_t>(length));
    WriteU16(record.data() + 4, RelocationCountField(relocations));
    return record;
}

// "$R" and the index in six hex digits, as the name of each resource's symbol.
Symbol ResourceSymbol(std::size_t index, std::uint32_t offset) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    char name[8] = {'$', 'R'};
    for (int digit = 0; digit < 6; ++digit) {
        name[7 - digit] = kDigits[(index >> (4 * digit)) & 0xF];
    }
    return MakeSymbol(std::string_view(name, 8), offset, 2, 0);
}

constexpr std::uint32_t kSectionCharacteristics = 0x40000040u;  // initialized data, readable
constexpr std::uint16_t kFile32BitMachine = 0x0100;
constexpr std::uint16_t kFileLineNumbersStripped = 0x0004;  // GNU windres says so of its objects

void WriteSectionHeader(std::uint8_t* header, std::string_view name, std::uint64_t size, std::uint64_t offset,
                        std::uint64_t relocations, std::size_t relocationCount, std::uint32_t characteristics) {
    WriteShortName(header, name);
    // The virtual size and address, at 8 and 12, stay zero in an object.
    WriteU32(header + 16, static_cast<std::uint32_t>(size));
    WriteU32(header + 20, static_cast<std::uint32_t>(offset));
    WriteU32(header + 24, static_cast<std::uint32_t>(relocations));
    WriteU16(header + 32, RelocationCountField(relocationCount));
    WriteU32(header + 36, characteristics);
}

}  // namespace

std::uint64_t RelocationsSize(std::size_t resources) {
    return (resources + (RelocationsOverflow(resources) ? 1 : 0)) * std::uint64_t{kRelocationSize};
}

void WriteRelocations(BufferedOutput& out, Machine machine, std::span<const std::uint32_t> descriptions,
                      bool toSectionSymbol) {
    if (RelocationsOverflow(descriptions.size())) {
        out.PutU32(static_cast<std::uint32_t>(descriptions.size() + 1));
        out.PutU32(0);
        out.PutU16(0);
    }
    const std::uint16_t type = RelocationType(machine);
    for (std::size_t i = 0; i < descriptions.size(); ++i) {
        out.PutU32(descriptions[i]);
        out.PutU32(toSectionSymbol ? 0 : static_cast<std::uint32_t>(kFixedSymbols + i));
        out.PutU16(type);
    }
}

std::uint64_t SymbolsSize(std::size_t resources) { return (kFixedSymbols + resources) * kSymbolSize + 4; }

void WriteSymbols(BufferedOutput& out, const CoffLayout& layout, const ResourceDirectory& directory) {
    out.Put(MakeSymbol("@feat.00", kFeatures, kAbsoluteSection, 0));
    out.Put(MakeSymbol(".rsrc$01", 0, 1, 1));
    out.Put(SectionAuxiliary(layout.directorySize, layout.resources));
    out.Put(MakeSymbol(".rsrc$02", 0, 2, 1));
    out.Put(SectionAuxiliary(layout.dataSize, 0));
    std::uint64_t offset = 0;
    for (std::size_t i = 0; i < directory.Count(); ++i) {
        out.Put(ResourceSymbol(i, static_cast<std::uint32_t>(offset)));
        offset += (directory.DataSize(i) + kCoffAlignment - 1) / kCoffAlignment * kCoffAlignment;
    }
    out.PutU32(4);  // an empty string table: its size counts itself
}

std::vector<std::uint8_t> CoffHeaders(const CoffLayout& layout) {
    std::vector<std::uint8_t> headers(kCoffHeadersSize);
    std::uint8_t* file = headers.data();
    WriteU16(file, CoffMachineValue(layout.machine));
    WriteU16(file + 2, 2);  // sections
    // The time stamp, at 4, stays zero: the same script gives the same object.
    WriteU32(file + 8, static_cast<std::uint32_t>(layout.symbolsStart));
    WriteU32(file + 12, static_cast<std::uint32_t>(kFixedSymbols + layout.resources));
    WriteU16(file + 18, layout.machine == Machine::kX86 ? kFile32BitMachine : 0);
    const std::uint32_t overflow = RelocationsOverflow(layout.resources) ? kRelocationOverflow : 0;
    WriteSectionHeader(file + kCoffFileHeaderSize, ".rsrc$01", layout.directorySize, layout.directoryStart,
                       layout.relocationsStart, layout.resources, kSectionCharacteristics | overflow);
    WriteSectionHeader(file + kCoffFileHeaderSize + kCoffSectionHeaderSize, ".rsrc$02", layout.dataSize,
                       kCoffHeadersSize, 0, 0, kSectionCharacteristics);
    return headers;
}

std::uint64_t GnuSymbolsSize() { return kSymbolSize + 4; }

void WriteGnuSymbols(BufferedOutput& out) {
    out.Put(MakeSymbol(".rsrc", 0, 1, 0));
    out.PutU32(4);  // an empty string table
}

std::vector<std::uint8_t> GnuCoffHeaders(const GnuCoffLayout& layout) {
    // Writable as well as readable, on 4 bytes: GNU ld gives the merged .rsrc the flags of its first part.
    constexpr std::uint32_t kGnuSectionCharacteristics = 0xC0300040u;
    std::vector<std::uint8_t> headers(kGnuCoffHeadersSize);
    std::uint8_t* file = headers.data();
    WriteU16(file, CoffMachineValue(layout.machine));
    WriteU16(file + 2, 1);
    WriteU32(file + 8, static_cast<std::uint32_t>(layout.symbolsStart));
    WriteU32(file + 12, 1);
    WriteU16(file + 18, (layout.machine == Machine::kX86 ? kFile32BitMachine : 0) | kFileLineNumbersStripped);
    const std::uint32_t overflow = RelocationsOverflow(layout.resources) ? kRelocationOverflow : 0;
    WriteSectionHeader(file + kCoffFileHeaderSize, ".rsrc", layout.sectionSize, kGnuCoffHeadersSize,
                       layout.relocationsStart, layout.resources, kGnuSectionCharacteristics | overflow);
    return headers;
}

}  // namespace brcc
