// The type, name and language of every resource defined so far, with the line that defined it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "brcc32/resource_id.h"

namespace brcc {

// A script of 80,000 lines keeps every key to its end, so a key costs its bytes and one slot: no node, no hash kept.
class DefinitionTable {
public:
    // Records the resource, or returns the line that defined the same type, name and language before.
    std::optional<int> Define(const ResourceId& type, const ResourceId& name, std::uint16_t language, int line);

private:
    struct Slot {
        std::uint32_t key = 0;  // 1 + where the key starts (block << 16 | offset); 0 marks a free slot
        std::int32_t line = 0;
    };

    std::string_view KeyAt(std::uint32_t key) const;
    void Grow();

    // The keys one after another, each telling where it ends, in blocks that are never moved: one string grown by
    // doubling would hold its old and new copies at once, the largest share of a long script's peak memory.
    std::vector<std::string> m_blocks;
    std::vector<Slot> m_slots;
    std::size_t m_count = 0;
    std::string m_key;
};

}  // namespace brcc
