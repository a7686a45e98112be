// One resource as every reader hands it on: its identity, its header fields and where its bytes lie.
#pragma once

#include <cstdint>
#include <span>

#include "brcc32/resource_id.h"

namespace brcc {

// A resource type or name as a .res file holds it: the identity a script gives, read back.
using ResName = ResourceId;

struct ResEntry {
    ResName type;
    ResName name;
    std::uint16_t memoryFlags = 0;
    std::uint16_t language = 0;
    std::uint32_t version = 0;
    std::uint32_t characteristics = 0;
    std::span<const std::uint8_t> data;  // into the bytes read
};

}  // namespace brcc
