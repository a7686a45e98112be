// The COFF object's own tables around the resources: relocations, symbols, and the file and section headers.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "brcc32/machine.h"
#include "brcc32/output/buffered_output.h"
#include "brcc32/output/resource_directory.h"

namespace brcc {

constexpr std::uint64_t kCoffFileHeaderSize = 20;
constexpr std::uint64_t kCoffSectionHeaderSize = 40;
constexpr std::uint64_t kCoffHeadersSize = kCoffFileHeaderSize + 2 * kCoffSectionHeaderSize;
constexpr std::uint64_t kCoffAlignment = 8;
constexpr std::uint64_t kMaxCoffObjectSize = 0xFFFFFFF0u;

// Where the object's parts lie. The data section (.rsrc$02) comes right after the headers.
struct CoffLayout {
    Machine machine = Machine::kX86;
    std::size_t resources = 0;
    std::uint64_t dataSize = 0;
    std::uint64_t directoryStart = 0;  // .rsrc$01
    std::uint64_t directorySize = 0;
    std::uint64_t relocationsStart = 0;
    std::uint64_t symbolsStart = 0;
};

// One relocation per resource, in the .res order, from its data description (`descriptions`, as the directory
// returns them) to its symbol; or, in GNU's layout, to the one section's symbol.
void WriteRelocations(BufferedOutput& out, Machine machine, std::span<const std::uint32_t> descriptions,
                      bool toSectionSymbol = false);
std::uint64_t RelocationsSize(std::size_t resources);

// The symbol table and the empty string table after it: a symbol per section and one per resource's data.
void WriteSymbols(BufferedOutput& out, const CoffLayout& layout, const ResourceDirectory& directory);
std::uint64_t SymbolsSize(std::size_t resources);

std::vector<std::uint8_t> CoffHeaders(const CoffLayout& layout);

// GNU's layout: one section, .rsrc, that holds the directory then the data, and one symbol, the section's.
constexpr std::uint64_t kGnuCoffHeadersSize = kCoffFileHeaderSize + kCoffSectionHeaderSize;
struct GnuCoffLayout {
    Machine machine = Machine::kX86;
    std::size_t resources = 0;
    std::uint64_t sectionSize = 0;  // the section starts right after the headers
    std::uint64_t relocationsStart = 0;
    std::uint64_t symbolsStart = 0;
};
void WriteGnuSymbols(BufferedOutput& out);
std::uint64_t GnuSymbolsSize();
std::vector<std::uint8_t> GnuCoffHeaders(const GnuCoffLayout& layout);

}  // namespace brcc
