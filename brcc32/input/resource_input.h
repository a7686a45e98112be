// Resources read back from any file that holds them: a .res, a COFF object, a PE executable or DLL.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "brcc32/input/byte_source.h"
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

// Resources whose data is still in the file: their entries, with no data, and where each one's data lies.
struct LocatedResources {
    std::vector<ResEntry> entries;
    std::vector<ByteRange> data;
};

// What ReadResources reads, from a file read only where its headers or its directory lie: the same entries in the
// same order, checked and refused alike. Throws FileAccessError too when the file cannot be read.
LocatedResources LocateResources(ByteSource& file, ResourceFileFormat format);

// The memory flags a script gives a resource of this type when it says none. An object's or an executable's
// directory keeps none: its resources are given these, so that their script says none either and a .res compiled
// from such a script comes back byte for byte.
std::uint16_t DefaultMemoryFlags(const ResName& type);

// One format each, for a caller that knows it.
std::vector<ResEntry> ReadResEntries(std::span<const std::uint8_t> bytes);
std::vector<ResEntry> ReadCoffResources(std::span<const std::uint8_t> bytes);
std::vector<ResEntry> ReadPeResources(std::span<const std::uint8_t> bytes);
LocatedResources LocateResEntries(ByteSource& file);
LocatedResources LocateCoffResources(ByteSource& file);
LocatedResources LocatePeResources(ByteSource& file);

}  // namespace brcc
