// Tables are walked depth first, each at most once; as real directories never share a table, a file that points two
// entries at one is refused, and the count of entries read stays below what the section can hold without overlap.
#include "brcc32/input/resource_tree.h"

#include <string>
#include <unordered_set>

#include "brcc32/byte_order.h"
#include "brcc32/input/resource_input.h"
#include "brcc32/resource_id.h"
#include "brcc32/script_error.h"

namespace brcc {
namespace {

constexpr std::uint32_t kHighBit = 0x80000000u;
constexpr std::size_t kTableSize = 16;
constexpr std::size_t kEntrySize = 8;
constexpr std::size_t kDescriptionSize = 16;
constexpr std::size_t kMaxNameBytes = std::size_t{64} << 20;

[[noreturn]] void Wrong(std::uint64_t offset, const MessageText& reason) {
    throw LocalizedError(Compose(msg::kDirectoryWrong, {std::to_string(offset), reason}));
}

class TreeReader {
public:
    TreeReader(ByteSource& file, ByteRange section, const DataResolver& resolve)
        : m_file(file), m_section(section), m_resolve(resolve), m_entriesLeft(section.size / kEntrySize) {}

    LocatedResources Read() {
        Table(0, 0);
        return std::move(m_found);
    }

private:
    void Table(std::uint64_t offset, int level) {
        if (offset > m_section.size || m_section.size - offset < kTableSize) {
            Wrong(offset, msg::kDirectoryPastEnd);
        }
        if (!m_tables.insert(offset).second) {
            Wrong(offset, msg::kDirectoryLoop);
        }
        const auto header = ReadArray<kTableSize>(m_file, m_section.offset + offset);
        const std::uint64_t count = std::uint64_t{ReadU16(header, 12)} + ReadU16(header, 14);
        if (count * kEntrySize > m_section.size - offset - kTableSize) {
            Wrong(offset, msg::kDirectoryPastEnd);
        }
        if (count > m_entriesLeft) {
            Wrong(offset, msg::kDirectoryLoop);
        }
        m_entriesLeft -= count;
        const std::vector<std::uint8_t> entries =
            ReadVector(m_file, m_section.offset + offset + kTableSize, static_cast<std::size_t>(count * kEntrySize));
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint64_t entry = offset + kTableSize + i * kEntrySize;
            const std::uint32_t id = ReadU32(entries, i * kEntrySize);
            const std::uint32_t target = ReadU32(entries, i * kEntrySize + 4);
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

    ResName Id(std::uint32_t field, std::uint64_t entry) {
        if ((field & kHighBit) == 0) {
            return ResName{true, static_cast<std::uint16_t>(field), {}};
        }
        const std::uint64_t at = field & ~kHighBit;
        if (at > m_section.size || m_section.size - at < 2) {
            Wrong(entry, msg::kDirectoryPastEnd);
        }
        const std::size_t units = ReadU16(ReadArray<2>(m_file, m_section.offset + at), 0);
        if (units * 2 > m_section.size - at - 2) {
            Wrong(entry, msg::kDirectoryPastEnd);
        }
        // Entries may all name one long text: each reading of it counts, or a small file costs hours.
        CountNameBytes(units * 2);
        const std::vector<std::uint8_t> text = ReadVector(m_file, m_section.offset + at + 2, units * 2);
        ResName name{false, 0, {}};
        name.text.resize(units);
        for (std::size_t i = 0; i < units; ++i) {
            name.text[i] = static_cast<char16_t>(ReadU16(text, 2 * i));
        }
        // A .res ends a name at its first NUL and takes one that starts with FFFF for an ordinal.
        if (name.text.find(u'\0') != std::u16string::npos || (units > 0 && name.text[0] == 0xFFFF)) {
            Wrong(entry, msg::kDirectoryNameNotText);
        }
        return name;
    }

    void Resource(std::uint32_t description) {
        if (description > m_section.size || m_section.size - description < kDescriptionSize) {
            Wrong(description, msg::kDirectoryPastEnd);
        }
        // Each resource carries a copy of its type's and its name's texts.
        CountNameBytes(2 * (m_type.text.size() + m_name.text.size()));
        const auto fields = ReadArray<8>(m_file, m_section.offset + description);
        ResEntry entry;
        entry.type = m_type;
        entry.name = m_name;
        entry.language = m_language;
        entry.memoryFlags = DefaultMemoryFlags(m_type);
        m_found.data.push_back(m_resolve({description, ReadU32(fields, 0), ReadU32(fields, 4)}));
        m_found.entries.push_back(std::move(entry));
    }

    void CountNameBytes(std::size_t bytes) {
        m_nameBytes += bytes;
        if (m_nameBytes > kMaxNameBytes) {
            throw LocalizedError(Compose(msg::kDirectoryTooLarge));
        }
    }

    ByteSource& m_file;
    ByteRange m_section;
    const DataResolver& m_resolve;
    std::uint64_t m_entriesLeft;
    std::size_t m_nameBytes = 0;
    std::unordered_set<std::uint64_t> m_tables;
    ResName m_type;
    ResName m_name;
    std::uint16_t m_language = 0;
    LocatedResources m_found;
};

}  // namespace

std::uint16_t DefaultMemoryFlags(const ResName& type) {
    if (!type.isOrdinal) {
        return kMemMoveable | kMemPure;
    }
    switch (type.ordinal) {
        case kTypeCursor:
        case kTypeIcon:
            return kMemMoveable | kMemDiscardable;
        case kTypeMenu:
        case kTypeDialog:
        case kTypeStringTable:
        case kTypeFontDirectory:
        case kTypeFont:
        case kTypeGroupCursor:
        case kTypeGroupIcon:
            return kMemMoveable | kMemPure | kMemDiscardable;
        default:
            return kMemMoveable | kMemPure;
    }
}

LocatedResources ReadResourceTree(ByteSource& file, ByteRange section, const DataResolver& resolve) {
    return TreeReader(file, section, resolve).Read();
}

}  // namespace brcc
