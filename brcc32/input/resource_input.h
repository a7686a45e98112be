// Resources read back from any file that holds them: a .res, a COFF object, a PE executable or DLL.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "brcc32/input/res_entry.h"

namespace brcc {

enum class ResourceFileFormat { kRes, kCoff, kPe };

// The format of a file by its first bytes; none for text, which is a script. A few bytes are enough.
std::optional<ResourceFileFormat> SniffResourceFile(std::span<const std::uint8_t> bytes);

// Every resource of `bytes`, in the order the file stores them; each entry's data points into `bytes`. A .res gives
// its entries in file order; a COFF object or an executable gives them in its directory's order (type, name,
// language). Throws LocalizedError saying what is wrong and at which offset: a hostile file costs no more than its
// own size in memory and time.
std::vector<ResEntry> ReadResources(std::span<const std::uint8_t> bytes);
std::vector<ResEntry> ReadResources(std::span<const std::uint8_t> bytes, ResourceFileFormat format);

// A .res file's entry, for a reader that does not hold the whole file: first its two sizes, checked against the
// `remaining` bytes from the entry's start (at `offset`) to the end of the file, from its first bytes (8, or all that
// remain); then its type, name and fixed fields, from the whole header. The file's first entry must be the empty
// one that marks a 32-bit file. Both throw LocalizedError as ReadResEntries does.
struct ResSizes {
    std::uint32_t data;
    std::uint32_t header;
};
ResSizes ReadResSizes(std::span<const std::uint8_t> start, std::uint64_t offset, std::uint64_t remaining);
ResEntry ReadResHeader(std::span<const std::uint8_t> header, std::uint64_t offset, bool first);

// One format each, for a caller that knows it.
std::vector<ResEntry> ReadResEntries(std::span<const std::uint8_t> bytes);
std::vector<ResEntry> ReadCoffResources(std::span<const std::uint8_t> bytes);
std::vector<ResEntry> ReadPeResources(std::span<const std::uint8_t> bytes);

}  // namespace brcc
