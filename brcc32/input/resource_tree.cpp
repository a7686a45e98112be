// Tables are walked depth first, each at most once; as real directories never share a table, a file that points two
// entries at one is refused, and the count of entries read stays below what the section can hold without overlap.
#include "brcc32/input/resource_tree.h"

#include <string>
#include <unordered_set>

#include "brcc32/byte_order.h"
#include "brcc32/script_error.h"

namespace brcc {
namespace {

constexpr std::uint32_t kHighBit = 0x80000000u;
constexpr std::size_t kTableSize = 16;
constexpr std::size_t kEntrySize = 8;
constexpr std::size_t kDescriptionSize = 16;
constexpr std::size_t kMaxNameBytes = std::size_t{64} << 20;
// What the directory does not keep; the flags most resources are compiled with.
constexpr std::uint16_t kDefaultMemoryFlags = 0x1030;

[[noreturn]] void Wrong(std::size_t offset, const MessageText& reason) {
    throw LocalizedError(Compose(msg::kDirectoryWrong, {std::to_string(offset), reason}));
}

class TreeReader {
public:
    TreeReader(std::span<const std::uint8_t> section, const DataResolver& resolve)
        : m_section(section), m_resolve(resolve), m_entriesLeft(section.size() / kEntrySize) {}

    std::vector<ResEntry> Read() {
        Table(0, 0);
        return std::move(m_entries);
    }

private:
    void Table(std::size_t offset, int level) {
        if (offset > m_section.size() || m_section.size() - offset < kTableSize) {
            Wrong(offset, msg::kDirectoryPastEnd);
        }
        if (!m_tables.insert(offset).second) {
            Wrong(offset, msg::kDirectoryLoop);
        }
        const std::size_t count = std::size_t{ReadU16(m_section, offset + 12)} + ReadU16(m_section, offset + 14);
        if (count * kEntrySize > m_section.size() - offset - kTableSize) {
            Wrong(offset, msg::kDirectoryPastEnd);
        }
        if (count > m_entriesLeft) {
            Wrong(offset, msg::kDirectoryLoop);
        }
        m_entriesLeft -= count;
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t entry = offset + kTableSize + i * kEntrySize;
            const std::uint32_t id = ReadU32(m_section, entry);
            const std::uint32_t target = ReadU32(m_section, entry + 4);
            const bool isTable = (target & kHighBit) != 0;
            if (isTable != (level < 2)) {
                Wrong(entry, msg::kDirectoryLevel);
            }
            if (level == 2) {
                m_language = static_cast<std::uint16_t>(id);
                Resource(target);
                continue;
            }
            (level == 0 ? m_type : m_name) = Id(id, entry);
            Table(target & ~kHighBit, level + 1);
        }
    }

    ResName Id(std::uint32_t field, std::size_t entry) {
        if ((field & kHighBit) == 0) {
            return ResName{true, static_cast<std::uint16_t>(field), {}};
        }
        const std::size_t at = field & ~kHighBit;
        if (at > m_section.size() || m_section.size() - at < 2) {
            Wrong(entry, msg::kDirectoryPastEnd);
        }
        const std::size_t units = ReadU16(m_section, at);
        if (units * 2 > m_section.size() - at - 2) {
            Wrong(entry, msg::kDirectoryPastEnd);
        }
        ResName name{false, 0, {}};
        name.text.resize(units);
        for (std::size_t i = 0; i < units; ++i) {
            name.text[i] = static_cast<char16_t>(ReadU16(m_section, at + 2 + 2 * i));
        }
        // A .res ends a name at its first NUL and takes one that starts with FFFF for an ordinal.
        if (name.text.find(u'\0') != std::u16string::npos || (units > 0 && name.text[0] == 0xFFFF)) {
            Wrong(entry, msg::kDirectoryNameNotText);
        }
        return name;
    }

    void Resource(std::uint32_t description) {
        if (description > m_section.size() || m_section.size() - description < kDescriptionSize) {
            Wrong(description, msg::kDirectoryPastEnd);
        }
        // Each resource carries a copy of its type's and its name's texts.
        m_nameBytes += 2 * (m_type.text.size() + m_name.text.size());
        if (m_nameBytes > kMaxNameBytes) {
            throw LocalizedError(Compose(msg::kDirectoryTooLarge));
        }
        ResEntry entry;
        entry.type = m_type;
        entry.name = m_name;
        entry.language = m_language;
        entry.memoryFlags = kDefaultMemoryFlags;
        entry.data = m_resolve({description, ReadU32(m_section, description), ReadU32(m_section, description + 4)});
        m_entries.push_back(std::move(entry));
    }

    std::span<const std::uint8_t> m_section;
    const DataResolver& m_resolve;
    std::size_t m_entriesLeft;
    std::size_t m_nameBytes = 0;
    std::unordered_set<std::size_t> m_tables;
    ResName m_type;
    ResName m_name;
    std::uint16_t m_language = 0;
    std::vector<ResEntry> m_entries;
};

}  // namespace

std::vector<ResEntry> ReadResourceTree(std::span<const std::uint8_t> section, const DataResolver& resolve) {
    return TreeReader(section, resolve).Read();
}

}  // namespace brcc
