// The resource directory that COFF objects and executables share: three levels of tables (type, name, language)
// whose last entries describe each resource's data.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "brcc32/input/res_entry.h"

namespace brcc {

// A data description as the directory holds it: where the data lies (an address or an offset the caller resolves,
// possibly through a relocation of the description's first field) and its size.
struct DataDescription {
    std::uint32_t offset;  // of the description in the section
    std::uint32_t address;
    std::uint32_t size;
};

// Finds a description's data in the file; throws LocalizedError when it lies outside.
using DataResolver = std::function<std::span<const std::uint8_t>(const DataDescription&)>;

// Every resource under the root table at the start of `section`, in the directory's order. Throws LocalizedError on a
// table or name past the section's end, on tables that loop or overlap, on a level that holds the wrong thing: the
// work and memory stay within a small multiple of the section's size.
std::vector<ResEntry> ReadResourceTree(std::span<const std::uint8_t> section, const DataResolver& resolve);

}  // namespace brcc
