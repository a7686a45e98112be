// Microsoft's directory is laid out breadth first: the root table, a table per type, a table per name, the data
// descriptions, then the texts of the types and names. GNU windres writes each type's table followed by its names'
// tables, then the texts, then the descriptions on 8 bytes; GNU ld keeps that layout in an executable. Each resource is
// kept as a few fixed fields and its texts in one shared array, so that a script of many resources costs a few bytes
// each and no tree of nodes.
#include "brcc32/output/resource_directory.h"

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <stdexcept>
#include <string_view>

#include "brcc32/byte_order.h"
#include "brcc32/script_error.h"

namespace brcc {
namespace {

constexpr std::uint64_t kTableSize = 16;
constexpr std::uint64_t kEntrySize = 8;
constexpr std::uint64_t kDescriptionSize = 16;
constexpr std::uint32_t kSubtable = 0x80000000u;  // in an entry: the offset is a table's, or a text's
// Offsets in the directory keep their high bit for kSubtable.
constexpr std::uint64_t kMaxDirectorySize = 0x7FFFFFFFu;
constexpr std::size_t kMaxCount = 0xFFFF;  // a table counts its named and its numbered entries on 16 bits each

[[noreturn]] void TooLarge() { throw LocalizedError(Compose(msg::kCoffTooLarge)); }

}  // namespace

ResourceDirectory::Id ResourceDirectory::Intern(std::span<const std::uint8_t> id, Id previous) {
    if (ReadU16(id, 0) == 0xFFFF) {
        return ReadU16(id, 2);
    }
    const std::size_t units = id.size() / 2 - 1;
    if (units > kMaxCount) {
        throw LocalizedError(Compose(msg::kCoffNameTooLong));
    }
    if ((previous & kText) != 0 && Text(previous).size() == units) {
        const std::u16string_view text = Text(previous);
        std::size_t same = 0;
        while (same < units && text[same] == ReadU16(id, 2 * same)) {
            ++same;
        }
        if (same == units) {
            return previous;
        }
    }
    if (m_texts.size() + 1 + units > kMaxDirectorySize / 2) {
        TooLarge();
    }
    const auto at = static_cast<Id>(m_texts.size());
    m_texts.push_back(static_cast<char16_t>(units));
    for (std::size_t i = 0; i < units; ++i) {
        m_texts.push_back(static_cast<char16_t>(ReadU16(id, 2 * i)));
    }
    return at | kText;
}

void ResourceDirectory::Add(std::span<const std::uint8_t> type, std::span<const std::uint8_t> name,
                            std::uint16_t language, std::uint32_t dataSize) {
    const Id typeId = Intern(type, m_entries.empty() ? 0 : m_entries.back().type);
    const Id nameId = Intern(name, 0);
    m_entries.push_back({typeId, nameId, dataSize, language});
}

std::u16string_view ResourceDirectory::Text(Id id) const {
    const char16_t* at = m_texts.data() + (id & ~kText);
    return std::u16string_view(at + 1, at[0]);
}

// Texts before ordinals, texts by their UTF-16 units, ordinals by value: a resource directory's order.
int ResourceDirectory::Compare(Id a, Id b) const {
    if (a == b) {
        return 0;
    }
    if ((a & kText) != (b & kText)) {
        return (a & kText) != 0 ? -1 : 1;
    }
    if ((a & kText) == 0) {
        return a < b ? -1 : 1;
    }
    const int order = Text(a).compare(Text(b));
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

std::string ResourceDirectory::Describe(Id id) const {
    if ((id & kText) == 0) {
        return std::to_string(id);
    }
    std::string text;
    for (const char16_t unit : Text(id)) {
        text += unit < 0x80 ? static_cast<char>(unit) : '?';
    }
    return text;
}

// Type, name, language; the .res order among equals, which only a duplicate can have.
std::vector<std::uint32_t> ResourceDirectory::SortedOrder() const {
    std::vector<std::uint32_t> order(m_entries.size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), [this](std::uint32_t a, std::uint32_t b) {
        const Entry& x = m_entries[a];
        const Entry& y = m_entries[b];
        if (const int type = Compare(x.type, y.type); type != 0) {
            return type < 0;
        }
        if (const int name = Compare(x.name, y.name); name != 0) {
            return name < 0;
        }
        return x.language != y.language ? x.language < y.language : a < b;
    });
    return order;
}

// The tree's levels are the runs of equal types and names in the sorted order; equal languages in a run of names
// are two resources the directory cannot tell apart.
ResourceDirectory::Runs ResourceDirectory::FindRuns(const std::vector<std::uint32_t>& order) const {
    Runs runs;
    for (std::uint32_t k = 0; k < order.size(); ++k) {
        const Entry& current = m_entries[order[k]];
        const Entry* previous = k == 0 ? nullptr : &m_entries[order[k - 1]];
        const bool newType = previous == nullptr || Compare(previous->type, current.type) != 0;
        const bool newName = newType || Compare(previous->name, current.name) != 0;
        if (!newName && previous->language == current.language) {
            char language[8];
            std::snprintf(language, sizeof language, "%04X", static_cast<unsigned>(current.language));
            throw LocalizedError(
                Compose(msg::kDuplicateResourceInRes, {Describe(current.type), Describe(current.name), language}));
        }
        if (newType) {
            runs.typeFirstNames.push_back(static_cast<std::uint32_t>(runs.nameStarts.size()));
        }
        if (newName) {
            runs.nameStarts.push_back(k);
        }
    }
    return runs;
}

std::vector<std::uint32_t> ResourceDirectory::Write(BufferedOutput& out, bool depthFirst) const {
    const std::vector<std::uint32_t> order = SortedOrder();
    const std::size_t count = order.size();
    Runs runs = FindRuns(order);
    std::vector<std::uint32_t>& nameStarts = runs.nameStarts;
    std::vector<std::uint32_t>& typeFirstNames = runs.typeFirstNames;
    const std::size_t types = typeFirstNames.size();
    const std::size_t names = nameStarts.size();
    typeFirstNames.push_back(static_cast<std::uint32_t>(names));
    nameStarts.push_back(static_cast<std::uint32_t>(count));
    auto typeOf = [&](std::size_t t) { return m_entries[order[nameStarts[typeFirstNames[t]]]].type; };
    auto nameOf = [&](std::size_t n) { return m_entries[order[nameStarts[n]]].name; };

    auto textSize = [&](Id id) { return (id & kText) == 0 ? 0 : 2 + 2 * Text(id).size(); };
    // Where each type's and each name's table lies.
    std::vector<std::uint64_t> typeTables(types);
    std::vector<std::uint64_t> nameTables(names);
    std::uint64_t at = kTableSize + types * kEntrySize;
    for (std::size_t t = 0; t < types; ++t) {
        typeTables[t] = at;
        at += kTableSize + (typeFirstNames[t + 1] - typeFirstNames[t]) * kEntrySize;
        if (depthFirst) {
            for (std::size_t n = typeFirstNames[t]; n < typeFirstNames[t + 1]; ++n) {
                nameTables[n] = at;
                at += kTableSize + (nameStarts[n + 1] - nameStarts[n]) * kEntrySize;
            }
        }
    }
    if (!depthFirst) {
        for (std::size_t n = 0; n < names; ++n) {
            nameTables[n] = at;
            at += kTableSize + (nameStarts[n + 1] - nameStarts[n]) * kEntrySize;
        }
    }
    const std::uint64_t tablesEnd = at;
    std::uint64_t texts = 0;
    for (std::size_t t = 0; t < types; ++t) {
        texts += textSize(typeOf(t));
    }
    for (std::size_t n = 0; n < names; ++n) {
        texts += textSize(nameOf(n));
    }
    const std::uint64_t descriptionsStart = depthFirst ? (tablesEnd + texts + 7) / 8 * 8 : tablesEnd;
    const std::uint64_t textsStart = depthFirst ? tablesEnd : descriptionsStart + count * kDescriptionSize;
    if (std::max(textsStart + texts, descriptionsStart + count * kDescriptionSize) > kMaxDirectorySize) {
        TooLarge();
    }

    // A text's offset is handed out as its entry is written; the texts follow in that same order.
    std::uint64_t nextText = textsStart;
    auto idField = [&](Id id) {
        if ((id & kText) == 0) {
            return id;
        }
        const auto at = static_cast<std::uint32_t>(nextText);
        nextText += 2 + 2 * Text(id).size();
        return at | kSubtable;
    };
    auto putTable = [&](std::size_t first, std::size_t last, auto idOf) {
        std::size_t named = 0;
        while (first + named < last && (idOf(first + named) & kText) != 0) {
            ++named;
        }
        if (named > kMaxCount || last - first - named > kMaxCount) {
            throw LocalizedError(Compose(msg::kCoffTableTooLarge));
        }
        out.PutZeros(12);  // characteristics, time stamp, version
        out.PutU16(static_cast<std::uint16_t>(named));
        out.PutU16(static_cast<std::uint16_t>(last - first - named));
    };
    auto putText = [&](Id id) {
        if ((id & kText) != 0) {
            const std::u16string_view text = Text(id);
            out.PutU16(static_cast<std::uint16_t>(text.size()));
            for (const char16_t unit : text) {
                out.PutU16(unit);
            }
        }
    };
    const std::uint64_t start = out.Position();
    putTable(0, types, typeOf);
    for (std::size_t t = 0; t < types; ++t) {
        out.PutU32(idField(typeOf(t)));
        out.PutU32(static_cast<std::uint32_t>(typeTables[t]) | kSubtable);
    }
    std::vector<std::uint32_t> descriptions(count);
    auto putNameTable = [&](std::size_t n) {
        // Languages are numbers: no entry of this table is named.
        putTable(nameStarts[n], nameStarts[n + 1], [](std::size_t) { return Id{0}; });
        for (std::uint32_t k = nameStarts[n]; k < nameStarts[n + 1]; ++k) {
            const auto description = static_cast<std::uint32_t>(descriptionsStart + k * kDescriptionSize);
            descriptions[order[k]] = description;
            out.PutU32(m_entries[order[k]].language);
            out.PutU32(description);
        }
    };
    for (std::size_t t = 0; t < types; ++t) {
        putTable(typeFirstNames[t], typeFirstNames[t + 1], nameOf);
        for (std::size_t n = typeFirstNames[t]; n < typeFirstNames[t + 1]; ++n) {
            out.PutU32(idField(nameOf(n)));
            out.PutU32(static_cast<std::uint32_t>(nameTables[n]) | kSubtable);
        }
        for (std::size_t n = typeFirstNames[t]; depthFirst && n < typeFirstNames[t + 1]; ++n) {
            putNameTable(n);
        }
    }
    for (std::size_t n = 0; !depthFirst && n < names; ++n) {
        putNameTable(n);
    }
    auto putTexts = [&] {
        for (std::size_t t = 0; t < types; ++t) {
            putText(typeOf(t));
        }
        for (std::size_t n = 0; n < names; ++n) {
            putText(nameOf(n));
        }
    };
    if (depthFirst) {
        putTexts();
        out.PutZeros(static_cast<std::size_t>(descriptionsStart - textsStart - texts));
    }
    for (std::uint32_t k = 0; k < count; ++k) {
        out.PutU32(0);  // the data's address, which the relocation fills in
        out.PutU32(m_entries[order[k]].dataSize);
        out.PutU32(0);  // code page
        out.PutU32(0);
    }
    if (!depthFirst) {
        putTexts();
    }
    out.PadTo(4, start);
    return descriptions;
}

}  // namespace brcc
