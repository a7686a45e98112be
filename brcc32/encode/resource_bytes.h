// What the encoders write alike: alignment, lengths filled in once known, and names that may be numbers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "brcc32/byte_order.h"
#include "brcc32/script/model.h"

namespace brcc {

inline constexpr std::uint16_t kOrdinalMarker = 0xFFFF;  // before the number that stands for a name

inline void PadTo4(std::vector<std::uint8_t>& out) { out.resize((out.size() + 3) & ~std::size_t{3}); }

inline void PatchU16(std::vector<std::uint8_t>& out, std::size_t at, std::size_t value) {
    WriteU16(out.data() + at, static_cast<std::uint16_t>(value));
}

// A number as the marker and its low 16 bits; a name as UTF-16 with its NUL, none as the NUL alone.
inline void PutNameOrOrdinal(std::vector<std::uint8_t>& out, const NameOrOrdinal& value) {
    if (value.ordinal) {
        PutU16(out, kOrdinalMarker);
        PutU16(out, *value.ordinal);
        return;
    }
    PutUtf16(out, value.name, true);
}

}  // namespace brcc
