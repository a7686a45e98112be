// The resource directory that COFF objects and executables share: three levels of tables (type, name, language)
// whose last entries describe each resource's data.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "brcc32/input/byte_source.h"
#include "brcc32/input/resource_input.h"

namespace brcc {

// A data description as the directory holds it: where the data lies (an address or an offset the caller resolves,
// possibly through a relocation of the description's first field) and its size.
struct DataDescription {
    std::uint32_t offset;  // of the description in the section
    std::uint32_t address;
    std::uint32_t size;
};

// Where a description's data lies in the file; throws LocalizedError when it lies outside.
using DataResolver = std::function<ByteRange(const DataDescription&)>;

// Every resource under the root table at the start of `section` (a range of `file` the caller has checked), in the
// directory's order. Only the tables, names and descriptions are read. Throws LocalizedError on a table or name past
// the section's end, on tables that loop or overlap, on a level that holds the wrong thing: the work and memory stay
// within a small multiple of the section's size.
LocatedResources ReadResourceTree(ByteSource& file, ByteRange section, const DataResolver& resolve);

}  // namespace brcc
