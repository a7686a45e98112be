// ACCELERATORS: one 8-byte entry per key; the last one carries a mark.
#include "brcc32/encode/encode.h"
#include "brcc32/encode/resource_bytes.h"

namespace brcc {
namespace {

constexpr std::uint16_t kLastEntry = 0x80;

}  // namespace

std::vector<std::uint8_t> EncodeAccelerators(const AcceleratorTable& table) {
    std::vector<std::uint8_t> out;
    for (std::size_t i = 0; i < table.entries.size(); ++i) {
        const Accelerator& entry = table.entries[i];
        PutU16(out, entry.flags | (i + 1 == table.entries.size() ? kLastEntry : 0));
        PutU16(out, entry.key);
        PutU16(out, entry.id);
        PutU16(out, 0);  // padding
    }
    return out;
}

}  // namespace brcc
