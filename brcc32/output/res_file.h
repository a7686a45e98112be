// A 32-bit .res file as entries: read back for tests that compare resources, written from resources read elsewhere.
#pragma once

#include <cstdint>
#include <span>
#include <streambuf>
#include <vector>

#include "brcc32/input/res_entry.h"

namespace brcc {

// The entries of a .res file without its leading null entry. Throws std::runtime_error when the bytes are not one.
std::vector<ResEntry> ReadResFile(std::span<const std::uint8_t> bytes);

// The entries as a .res file, with its leading null entry. Throws std::runtime_error when `out` refuses bytes.
void WriteResFile(std::span<const ResEntry> entries, std::streambuf& out);
// The same a resource at a time: the leading null entry, then each entry with its padding.
void WriteResStart(std::streambuf& out);
void WriteResEntry(const ResEntry& entry, std::streambuf& out);

}  // namespace brcc
