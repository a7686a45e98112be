// Definition table: the keys in one string and an open-addressed table of where each starts.
#include "brcc32/definition_table.h"

#include <algorithm>
#include <stdexcept>

#include "brcc32/script_error.h"
#include "brcc32/text/code_page.h"

namespace brcc {
namespace {

constexpr std::size_t kInitialSlots = 1024;
constexpr unsigned kOffsetBits = 16;
constexpr std::size_t kBlockSize = std::size_t{1} << kOffsetBits;
constexpr std::size_t kOffsetMask = kBlockSize - 1;
constexpr std::size_t kMaxBlocks = (std::size_t{UINT32_MAX} >> kOffsetBits) - 1;  // the last key + 1 fits 32 bits
constexpr char kOrdinalMark = '#';
constexpr char kTextMark = '$';

// An ordinal takes its mark and two bytes; a name its mark, each UTF-16 unit as UTF-8 (no zero byte, as a name holds
// no zero unit) and a NUL.
void AppendIdKey(std::string& key, const ResourceId& id) {
    if (id.isOrdinal) {
        key += kOrdinalMark;
        key += static_cast<char>(id.ordinal & 0xFF);
        key += static_cast<char>(id.ordinal >> 8);
    } else {
        key += kTextMark;
        for (const char16_t c : id.text) {
            AppendUtf8(key, c);
        }
        key += '\0';
    }
}

std::size_t IdKeyEnd(std::string_view keys, std::size_t start) {
    return keys[start] == kOrdinalMark ? start + 3 : keys.find('\0', start) + 1;
}

// FNV-1a: keys are short, and a few collisions only cost a comparison.
std::size_t HashOf(std::string_view key) {
    std::uint32_t hash = 2166136261u;
    for (const char c : key) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    }
    return hash;
}

}  // namespace

std::string_view DefinitionTable::KeyAt(std::uint32_t key) const {
    const std::string_view keys = m_blocks[(key - 1) >> kOffsetBits];
    const std::size_t start = (key - 1) & kOffsetMask;
    const std::size_t end = IdKeyEnd(keys, IdKeyEnd(keys, start)) + 2;  // type, name, then the language
    return keys.substr(start, end - start);
}

std::optional<int> DefinitionTable::Define(const ResourceId& type, const ResourceId& name, std::uint16_t language,
                                           int line) {
    m_key.clear();
    AppendIdKey(m_key, type);
    AppendIdKey(m_key, name);
    m_key += static_cast<char>(language & 0xFF);
    m_key += static_cast<char>(language >> 8);
    // At most three quarters full, so that a search ends at a free slot after a few steps.
    if ((m_count + 1) * 4 > m_slots.size() * 3) {
        Grow();
    }
    const std::size_t mask = m_slots.size() - 1;
    std::size_t slot = HashOf(m_key) & mask;
    for (; m_slots[slot].key != 0; slot = (slot + 1) & mask) {
        if (KeyAt(m_slots[slot].key) == m_key) {
            return m_slots[slot].line;
        }
    }
    // A key longer than a block starts a block of its own, at offset 0.
    if (m_blocks.empty() || m_blocks.back().size() + m_key.size() > kBlockSize) {
        if (m_blocks.size() == kMaxBlocks) {
            throw LocalizedError(Compose(msg::kTooManyResources));
        }
        m_blocks.emplace_back().reserve(std::max(kBlockSize, m_key.size()));
    }
    std::string& block = m_blocks.back();
    m_slots[slot] = Slot{static_cast<std::uint32_t>(((m_blocks.size() - 1) << kOffsetBits | block.size()) + 1), line};
    block += m_key;
    ++m_count;
    return std::nullopt;
}

void DefinitionTable::Grow() {
    std::vector<Slot> slots(m_slots.empty() ? kInitialSlots : m_slots.size() * 2);
    const std::size_t mask = slots.size() - 1;
    for (const Slot& old : m_slots) {
        if (old.key == 0) {
            continue;
        }
        std::size_t slot = HashOf(KeyAt(old.key)) & mask;
        while (slots[slot].key != 0) {
            slot = (slot + 1) & mask;
        }
        slots[slot] = old;
    }
    m_slots = std::move(slots);
}

}  // namespace brcc
