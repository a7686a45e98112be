// The format of a resource file is told by its first bytes, which no script text can start with: a script never holds
// NUL bytes where a .res or a COFF header has them, nor an "MZ" whose header points at a "PE" signature.
#include "brcc32/input/resource_input.h"

#include "brcc32/byte_order.h"

namespace brcc {
namespace {

constexpr std::size_t kResMarkerHeader = 0x20;
constexpr std::size_t kDosHeaderSize = 0x40;
constexpr std::size_t kPeOffsetField = 0x3C;

bool IsCoffMachine(std::uint16_t machine) {
    return machine == 0x014C || machine == 0x8664 || machine == 0xAA64 || machine == 0x01C4;
}

}  // namespace

std::optional<ResourceFileFormat> SniffResourceFile(std::span<const std::uint8_t> bytes) {
    if (bytes.size() >= 8 && ReadU32(bytes, 0) == 0 && ReadU32(bytes, 4) == kResMarkerHeader) {
        return ResourceFileFormat::kRes;
    }
    if (bytes.size() >= kDosHeaderSize && bytes[0] == 'M' && bytes[1] == 'Z') {
        const std::uint32_t pe = ReadU32(bytes, kPeOffsetField);
        if (pe <= bytes.size() - 4 && ReadU32(bytes, pe) == 0x00004550u) {
            return ResourceFileFormat::kPe;
        }
        return std::nullopt;
    }
    // An object has no optional header; its section count is small and never zero.
    if (bytes.size() >= 20 && IsCoffMachine(ReadU16(bytes, 0)) && ReadU16(bytes, 2) != 0 && ReadU16(bytes, 16) == 0) {
        return ResourceFileFormat::kCoff;
    }
    return std::nullopt;
}

LocatedResources LocateResources(ByteSource& file, ResourceFileFormat format) {
    switch (format) {
        case ResourceFileFormat::kRes:
            return LocateResEntries(file);
        case ResourceFileFormat::kCoff:
            return LocateCoffResources(file);
        case ResourceFileFormat::kPe:
            return LocatePeResources(file);
    }
    return {};
}

// Memory is only a file already read: the same walk over it, each entry then pointed at its data in place.
std::vector<ResEntry> ReadResources(std::span<const std::uint8_t> bytes, ResourceFileFormat format) {
    MemoryByteSource file(bytes);
    LocatedResources located = LocateResources(file, format);
    for (std::size_t i = 0; i < located.entries.size(); ++i) {
        located.entries[i].data = bytes.subspan(static_cast<std::size_t>(located.data[i].offset),
                                                static_cast<std::size_t>(located.data[i].size));
    }
    return std::move(located.entries);
}

std::vector<ResEntry> ReadResEntries(std::span<const std::uint8_t> bytes) {
    return ReadResources(bytes, ResourceFileFormat::kRes);
}

std::vector<ResEntry> ReadCoffResources(std::span<const std::uint8_t> bytes) {
    return ReadResources(bytes, ResourceFileFormat::kCoff);
}

std::vector<ResEntry> ReadPeResources(std::span<const std::uint8_t> bytes) {
    return ReadResources(bytes, ResourceFileFormat::kPe);
}

std::vector<ResEntry> ReadResources(std::span<const std::uint8_t> bytes) {
    // What is neither an object nor an executable is read as a .res, whose reader says best what is wrong.
    return ReadResources(bytes, SniffResourceFile(bytes).value_or(ResourceFileFormat::kRes));
}

}  // namespace brcc
