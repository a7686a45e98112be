// Writes resources as a COFF object that Microsoft's and GNU's linkers put in an executable's .rsrc section.
#pragma once

#include <cstdint>
#include <span>
#include <streambuf>

#include "brcc32/machine.h"
#include "brcc32/output/res_file.h"

namespace brcc {

// The object holds two sections as linkers expect them: .rsrc$01, the resource directory (tables, entries, names,
// data descriptions) with one relocation per resource, and .rsrc$02, the resources' data, each on 8 bytes.
// Throws std::runtime_error when `out` refuses bytes, or when two entries have the same type, name and language.
void WriteCoffObject(std::span<const ResEntry> entries, Machine machine, std::streambuf& out);

}  // namespace brcc
