// The resource directory of a COFF object: the three-level tree (type, name, language) that linkers and the Windows
// loader read, built from the resources of a .res as they stream by.
#pragma once

#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "brcc32/output/buffered_output.h"

namespace brcc {

class ResourceDirectory {
public:
    // `type` and `name` in their .res form: FFFF and an ordinal, or UTF-16 units ending in a NUL.
    void Add(std::span<const std::uint8_t> type, std::span<const std::uint8_t> name, std::uint16_t language,
             std::uint32_t dataSize);

    std::size_t Count() const { return m_entries.size(); }
    std::uint32_t DataSize(std::size_t index) const { return m_entries[index].dataSize; }

    // Writes the directory at the output's position, ending on 4 bytes. Returns for each resource, in the order
    // added, where its data description lies in the directory: what its relocation points at. Throws
    // std::runtime_error when two resources have the same type, name and language.
    // `depthFirst`: GNU windres' layout, where each table is followed by the tables under it and the texts come
    // before the data descriptions; else Microsoft's, level by level.
    std::vector<std::uint32_t> Write(BufferedOutput& out, bool depthFirst = false) const;

private:
    // A type or name: an ordinal, or kText and where its text lies in m_texts.
    using Id = std::uint32_t;
    static constexpr Id kText = 0x80000000u;

    struct Entry {
        Id type;
        Id name;
        std::uint32_t dataSize;
        std::uint16_t language;
    };

    // `previous`: the same text already kept, most often the type of the resource before.
    Id Intern(std::span<const std::uint8_t> id, Id previous);
    int Compare(Id a, Id b) const;
    std::u16string_view Text(Id id) const;
    std::string Describe(Id id) const;
    std::vector<std::uint32_t> SortedOrder() const;
    struct Runs {
        std::vector<std::uint32_t> nameStarts;      // in the sorted order
        std::vector<std::uint32_t> typeFirstNames;  // in nameStarts
    };
    Runs FindRuns(const std::vector<std::uint32_t>& order) const;

    // In blocks: a script of many resources needs no copy of them all as they grow, nor room to spare for as many.
    std::deque<Entry> m_entries;
    // Each text as its length in units, then its units: the directory's own form of a name.
    std::vector<char16_t> m_texts;
};

}  // namespace brcc
