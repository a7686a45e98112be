// The resource directory is a three-level tree (type, name, language) laid out breadth first, as linkers and the
// Windows loader read it: the tables, then the data descriptions, then the names. It is built from a compact record
// per resource, sorted, so that a script of many resources needs a few bytes for each and no tree of nodes.
#include "brcc32/output/coff_writer.h"

#include <algorithm>
#include <cstdio>
#include <ios>
#include <stdexcept>
#include <string>

#include "brcc32/byte_order.h"
#include "brcc32/script_error.h"

namespace brcc {
namespace {

constexpr std::size_t kFileHeaderSize = 20;
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::size_t kHeadersSize = kFileHeaderSize + 2 * kSectionHeaderSize;
constexpr std::size_t kSymbolSize = 18;
constexpr std::size_t kRelocationSize = 10;
constexpr std::size_t kDirectorySize = 16;
constexpr std::size_t kEntrySize = 8;
constexpr std::size_t kDataEntrySize = 16;
constexpr std::size_t kDataAlignment = 8;
constexpr std::size_t kResFixedHeader = 8;
constexpr std::size_t kResHeaderTail = 16;
constexpr std::uint32_t kHighBit = 0x80000000u;
constexpr std::uint32_t kSectionCharacteristics = 0x40000040u;  // initialized data, readable
constexpr std::uint32_t kRelocationOverflow = 0x01000000u;      // the count is in the first relocation
constexpr std::uint16_t kFile32BitMachine = 0x0100;
constexpr std::uint8_t kStorageStatic = 3;
constexpr std::uint16_t kAbsoluteSection = 0xFFFF;
// The symbols before the one of each resource: @feat.00, then each section's with its auxiliary record.
constexpr std::uint32_t kFixedSymbols = 5;
// @feat.00 says the object is safe for /SAFESEH, which Microsoft's linker asks of every x86 object.
constexpr std::uint32_t kFeatures = 0x11;
constexpr std::uint64_t kMaxObjectSize = 0xFFFFFFF0u;

std::uint64_t Align(std::uint64_t value, std::uint64_t alignment) {
    return (value + alignment - 1) / alignment * alignment;
}

std::uint16_t RelocationType(Machine machine) {
    switch (machine) {
        case Machine::kX86:
            return 0x0007;  // IMAGE_REL_I386_DIR32NB
        case Machine::kX64:
            return 0x0003;  // IMAGE_REL_AMD64_ADDR32NB
        case Machine::kArm64:
            return 0x0002;  // IMAGE_REL_ARM64_ADDR32NB
    }
    return 0;
}

// A type or name in its .res form: FFFF and an ordinal, or UTF-16 units ending in a NUL.
struct IdView {
    const std::uint8_t* bytes;

    bool IsOrdinal() const { return ReadU16(std::span(bytes, 2), 0) == 0xFFFF; }
    std::uint16_t Ordinal() const { return ReadU16(std::span(bytes, 4), 2); }
    std::size_t Units() const {
        std::size_t units = 0;
        while (bytes[units * 2] != 0 || bytes[units * 2 + 1] != 0) {
            ++units;
        }
        return units;
    }
    std::size_t Size() const { return IsOrdinal() ? 4 : Units() * 2 + 2; }
    char16_t Unit(std::size_t i) const { return static_cast<char16_t>(bytes[i * 2] | (bytes[i * 2 + 1] << 8)); }
    std::string Describe() const {
        if (IsOrdinal()) {
            return std::to_string(Ordinal());
        }
        std::string text;
        for (std::size_t i = 0, n = Units(); i < n; ++i) {
            text += Unit(i) < 0x80 ? static_cast<char>(Unit(i)) : '?';
        }
        return text;
    }
};

// Names before ordinals, names by their UTF-16 units, ordinals by value: a resource directory's order.
int Compare(IdView a, IdView b) {
    if (a.IsOrdinal() != b.IsOrdinal()) {
        return a.IsOrdinal() ? 1 : -1;
    }
    if (a.IsOrdinal()) {
        return a.Ordinal() < b.Ordinal() ? -1 : a.Ordinal() > b.Ordinal() ? 1 : 0;
    }
    for (std::size_t i = 0;; ++i) {
        const char16_t x = a.Unit(i);
        const char16_t y = b.Unit(i);
        if (x != y) {
            return x < y ? -1 : 1;
        }
        if (x == 0) {
            return 0;
        }
    }
}

// One record: the type, the name, then language (2 bytes), data size and data offset (4 each).
struct Record {
    IdView type;
    IdView name;
    std::uint16_t language;
    std::uint32_t size;
    std::uint32_t offset;
};

Record ReadRecord(const std::uint8_t* bytes) {
    Record record{{bytes}, {nullptr}, 0, 0, 0};
    bytes += record.type.Size();
    record.name = IdView{bytes};
    bytes += record.name.Size();
    const std::span<const std::uint8_t> tail(bytes, 10);
    record.language = ReadU16(tail, 0);
    record.size = ReadU32(tail, 2);
    record.offset = ReadU32(tail, 6);
    return record;
}

[[noreturn]] void NotARes() { throw LocalizedError(Compose(msg::kInputNotARes)); }

void AppendU16(std::vector<std::uint8_t>& out, std::uint32_t value) { PutU16(out, value); }

}  // namespace

CoffWriter::CoffWriter(std::streambuf& out, Machine machine) : m_out(out), m_machine(machine) {
    PutZeros(kHeadersSize);  // written again at the end, once known
}

std::streamsize CoffWriter::xsputn(const char* data, std::streamsize count) {
    try {
        Take(std::span(reinterpret_cast<const std::uint8_t*>(data), static_cast<std::size_t>(count)));
    } catch (const std::exception& error) {
        // A streambuf reports failure by its count; the reason waits for Finish.
        if (!m_failed) {
            m_failed = true;
            m_error = ReasonOf(error);
        }
        return 0;
    }
    return count;
}

CoffWriter::int_type CoffWriter::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) {
        return traits_type::not_eof(c);
    }
    const char byte = traits_type::to_char_type(c);
    return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
}

void CoffWriter::Take(std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        if (m_dataLeft > 0) {
            const std::size_t piece = static_cast<std::size_t>(std::min<std::uint64_t>(m_dataLeft, bytes.size()));
            Put(bytes.first(piece));
            m_dataLeft -= piece;
            bytes = bytes.subspan(piece);
            if (m_dataLeft == 0) {
                PutZeros(static_cast<std::size_t>(Align(m_dataSize, kDataAlignment) - m_dataSize));
            }
            continue;
        }
        if (m_padLeft > 0) {
            const std::size_t piece = std::min<std::size_t>(m_padLeft, bytes.size());
            m_padLeft -= static_cast<std::uint32_t>(piece);
            bytes = bytes.subspan(piece);
            continue;
        }
        const std::size_t want = m_header.size() < kResFixedHeader ? kResFixedHeader : m_headerSize;
        const std::size_t piece = std::min(want - m_header.size(), bytes.size());
        m_header.insert(m_header.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(piece));
        bytes = bytes.subspan(piece);
        if (m_header.size() == kResFixedHeader && m_headerSize == 0) {
            m_headerSize = ReadU32(m_header, 4);
            if (m_headerSize < kResFixedHeader + 8 + kResHeaderTail || m_headerSize > (1u << 20)) {
                NotARes();
            }
        }
        if (m_headerSize != 0 && m_header.size() == m_headerSize) {
            EndHeader();
        }
    }
}

void CoffWriter::EndHeader() {
    const std::uint32_t dataSize = ReadU32(m_header, 0);
    // The type and name must end inside the header, before its fixed tail.
    std::size_t at = kResFixedHeader;
    for (int id = 0; id < 2; ++id) {
        if (at + 4 > m_header.size()) {
            NotARes();
        }
        if (ReadU16(m_header, at) == 0xFFFF) {
            at += 4;
            continue;
        }
        while (true) {
            if (at + 2 > m_header.size()) {
                NotARes();
            }
            at += 2;
            if (ReadU16(m_header, at - 2) == 0) {
                break;
            }
        }
    }
    const std::size_t tail = (at + 3) & ~std::size_t{3};
    if (tail + kResHeaderTail > m_header.size()) {
        NotARes();
    }
    if (m_first) {
        // The leading null entry only says that the file is a 32-bit one.
        if (dataSize != 0 || ReadU32(m_header, 8) != 0xFFFF || ReadU32(m_header, 12) != 0xFFFF) {
            NotARes();
        }
    } else {
        if (m_dataSectionSize + Align(dataSize, kDataAlignment) > kMaxObjectSize) {
            throw LocalizedError(Compose(msg::kCoffTooLarge));
        }
        m_recordStarts.push_back(static_cast<std::uint32_t>(m_records.size()));
        m_records.insert(m_records.end(), m_header.begin() + kResFixedHeader,
                         m_header.begin() + static_cast<std::ptrdiff_t>(at));
        AppendU16(m_records, ReadU16(m_header, tail + 6));
        PutU32(m_records, dataSize);
        PutU32(m_records, static_cast<std::uint32_t>(m_dataSectionSize));
        m_dataSectionSize += Align(dataSize, kDataAlignment);
    }
    m_first = false;
    m_dataSize = dataSize;
    m_dataLeft = dataSize;
    m_padLeft = (4 - dataSize % 4) % 4;
    m_header.clear();
    m_headerSize = 0;
}

void CoffWriter::Put(std::span<const std::uint8_t> bytes) {
    const auto size = static_cast<std::streamsize>(bytes.size());
    if (m_out.sputn(reinterpret_cast<const char*>(bytes.data()), size) != size) {
        throw LocalizedError(Compose(msg::kOutputNotWritten));
    }
}

void CoffWriter::PutZeros(std::size_t count) {
    static constexpr std::uint8_t kZeros[128] = {};
    while (count > 0) {
        const std::size_t piece = std::min(count, sizeof kZeros);
        Put(std::span(kZeros, piece));
        count -= piece;
    }
}

void CoffWriter::Finish() {
    if (m_failed) {
        throw LocalizedError(m_error);
    }
    if (m_first || m_dataLeft != 0 || m_padLeft != 0 || !m_header.empty()) {
        NotARes();
    }
    const std::size_t count = m_recordStarts.size();
    auto record = [this](std::uint32_t index) { return ReadRecord(m_records.data() + m_recordStarts[index]); };

    // The directory's order: type, name, language.
    std::vector<std::uint32_t> order(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        order[i] = i;
    }
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        const Record x = record(a);
        const Record y = record(b);
        if (const int type = Compare(x.type, y.type); type != 0) {
            return type < 0;
        }
        if (const int name = Compare(x.name, y.name); name != 0) {
            return name < 0;
        }
        return x.language != y.language ? x.language < y.language : a < b;
    });
    // Where each type and each name starts in that order.
    std::vector<std::uint32_t> typeStarts;
    std::vector<std::uint32_t> nameStarts;
    for (std::uint32_t k = 0; k < count; ++k) {
        const Record current = record(order[k]);
        const bool newType = k == 0 || Compare(record(order[k - 1]).type, current.type) != 0;
        const bool newName = newType || Compare(record(order[k - 1]).name, current.name) != 0;
        if (!newName && record(order[k - 1]).language == current.language) {
            char language[8];
            std::snprintf(language, sizeof language, "%04X", static_cast<unsigned>(current.language));
            throw LocalizedError(
                Compose(msg::kDuplicateResourceInRes, {current.type.Describe(), current.name.Describe(), language}));
        }
        if (newType) {
            typeStarts.push_back(k);
        }
        if (newName) {
            nameStarts.push_back(k);
        }
    }
    typeStarts.push_back(static_cast<std::uint32_t>(count));
    nameStarts.push_back(static_cast<std::uint32_t>(count));
    const std::size_t types = typeStarts.size() - 1;
    const std::size_t names = nameStarts.size() - 1;
    const std::uint64_t typeTablesStart = kDirectorySize + types * kEntrySize;
    const std::uint64_t nameTablesStart = typeTablesStart + types * kDirectorySize + names * kEntrySize;
    const std::uint64_t dataEntriesStart = nameTablesStart + names * kDirectorySize + count * kEntrySize;
    const std::uint64_t stringsStart = dataEntriesStart + count * kDataEntrySize;

    // Names are written after the data descriptions, first the types', then the names', in table order.
    std::vector<std::uint8_t> block;
    std::uint64_t sectionSize = 0;
    std::uint64_t stringsSize = 0;
    auto flush = [&] {
        Put(block);
        sectionSize += block.size();
        block.clear();
    };
    auto stringOffset = [&](IdView id) {
        const std::uint64_t offset = stringsStart + stringsSize;
        stringsSize += 2 + id.Units() * 2;
        return static_cast<std::uint32_t>(offset) | kHighBit;
    };
    auto idField = [&](IdView id) { return id.IsOrdinal() ? std::uint32_t{id.Ordinal()} : stringOffset(id); };
    auto putTable = [&](std::size_t named, std::size_t numbered) {
        block.resize(block.size() + 12, 0);
        PutU16(block, static_cast<std::uint32_t>(named));
        PutU16(block, static_cast<std::uint32_t>(numbered));
    };
    auto countNamed = [&](const std::vector<std::uint32_t>& starts, std::size_t from, std::size_t to, bool types) {
        std::size_t named = 0;
        for (std::size_t i = from; i < to; ++i) {
            const Record r = record(order[starts[i]]);
            named += (types ? r.type : r.name).IsOrdinal() ? 0 : 1;
        }
        return named;
    };
    const std::uint64_t dataStart = kHeadersSize;
    const std::uint64_t directoryStart = Align(dataStart + m_dataSectionSize, kDataAlignment);
    PutZeros(static_cast<std::size_t>(directoryStart - dataStart - m_dataSectionSize));

    // The root: one entry per type.
    putTable(countNamed(typeStarts, 0, types, true), types - countNamed(typeStarts, 0, types, true));
    std::size_t nameIndex = 0;
    std::uint64_t nextTable = typeTablesStart;
    for (std::size_t t = 0; t < types; ++t) {
        PutU32(block, idField(record(order[typeStarts[t]]).type));
        PutU32(block, static_cast<std::uint32_t>(nextTable) | kHighBit);
        const std::size_t firstName = nameIndex;
        while (nameStarts[nameIndex] < typeStarts[t + 1]) {
            ++nameIndex;
        }
        nextTable += kDirectorySize + (nameIndex - firstName) * kEntrySize;
    }
    flush();
    // A table per type: one entry per name.
    nameIndex = 0;
    nextTable = nameTablesStart;
    for (std::size_t t = 0; t < types; ++t) {
        const std::size_t firstName = nameIndex;
        while (nameStarts[nameIndex] < typeStarts[t + 1]) {
            ++nameIndex;
        }
        const std::size_t named = countNamed(nameStarts, firstName, nameIndex, false);
        putTable(named, nameIndex - firstName - named);
        for (std::size_t n = firstName; n < nameIndex; ++n) {
            PutU32(block, idField(record(order[nameStarts[n]]).name));
            PutU32(block, static_cast<std::uint32_t>(nextTable) | kHighBit);
            nextTable += kDirectorySize + (nameStarts[n + 1] - nameStarts[n]) * kEntrySize;
        }
        if (block.size() > (1 << 16)) {
            flush();
        }
    }
    flush();
    // A table per name: one entry per language, pointing at its data description.
    std::vector<std::uint32_t> descriptionOf(count);
    for (std::size_t n = 0; n < names; ++n) {
        putTable(0, nameStarts[n + 1] - nameStarts[n]);
        for (std::uint32_t k = nameStarts[n]; k < nameStarts[n + 1]; ++k) {
            const auto description = static_cast<std::uint32_t>(dataEntriesStart + k * kDataEntrySize);
            descriptionOf[order[k]] = description;
            PutU32(block, record(order[k]).language);
            PutU32(block, description);
        }
        if (block.size() > (1 << 16)) {
            flush();
        }
    }
    flush();
    for (std::uint32_t k = 0; k < count; ++k) {
        PutU32(block, 0);  // the data's address, which the relocation fills in
        PutU32(block, record(order[k]).size);
        PutU32(block, 0);  // code page
        PutU32(block, 0);
        if (block.size() > (1 << 16)) {
            flush();
        }
    }
    flush();
    auto putName = [&](IdView id) {
        if (!id.IsOrdinal()) {
            const std::size_t units = id.Units();
            PutU16(block, static_cast<std::uint32_t>(units));
            block.insert(block.end(), id.bytes, id.bytes + units * 2);
        }
        if (block.size() > (1 << 16)) {
            flush();
        }
    };
    for (std::size_t t = 0; t < types; ++t) {
        putName(record(order[typeStarts[t]]).type);
    }
    for (std::size_t n = 0; n < names; ++n) {
        putName(record(order[nameStarts[n]]).name);
    }
    block.resize(static_cast<std::size_t>(Align(block.size() + sectionSize, 4) - sectionSize), 0);
    flush();

    // One relocation per resource, in the .res order of the data and of its symbol; past 65535 the count moves into
    // a first relocation of its own, as the format provides.
    const bool overflow = count >= 0xFFFF;
    const std::uint64_t relocationsStart = directoryStart + sectionSize;
    if (overflow) {
        PutU32(block, static_cast<std::uint32_t>(count + 1));
        PutU32(block, 0);
        PutU16(block, 0);
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        PutU32(block, descriptionOf[i]);
        PutU32(block, kFixedSymbols + i);
        PutU16(block, RelocationType(m_machine));
        if (block.size() > (1 << 16)) {
            Put(block);
            block.clear();
        }
    }
    Put(block);
    block.clear();
    const std::uint64_t relocationsSize = (count + (overflow ? 1 : 0)) * kRelocationSize;
    const std::uint64_t symbolsStart = Align(relocationsStart + relocationsSize, kDataAlignment);
    PutZeros(static_cast<std::size_t>(symbolsStart - relocationsStart - relocationsSize));
    if (symbolsStart + (kFixedSymbols + count) * kSymbolSize + 4 > kMaxObjectSize) {
        throw LocalizedError(Compose(msg::kCoffTooLarge));
    }

    auto putSymbol = [&](std::string_view name, std::uint32_t value, std::uint16_t section, std::uint8_t aux) {
        std::uint8_t shortName[8] = {};
        std::copy_n(name.begin(), std::min<std::size_t>(name.size(), 8), shortName);
        block.insert(block.end(), shortName, shortName + 8);
        PutU32(block, value);
        PutU16(block, section);
        PutU16(block, 0);  // type: none
        block.push_back(kStorageStatic);
        block.push_back(aux);
    };
    auto putSectionAux = [&](std::uint64_t length, std::size_t relocations) {
        PutU32(block, static_cast<std::uint32_t>(length));
        PutU16(block, static_cast<std::uint32_t>(std::min<std::size_t>(relocations, 0xFFFF)));
        block.resize(block.size() + kSymbolSize - 6, 0);
    };
    putSymbol("@feat.00", kFeatures, kAbsoluteSection, 0);
    putSymbol(".rsrc$01", 0, 1, 1);
    putSectionAux(sectionSize, count);
    putSymbol(".rsrc$02", 0, 2, 1);
    putSectionAux(m_dataSectionSize, 0);
    for (std::uint32_t i = 0; i < count; ++i) {
        char name[9];
        std::snprintf(name, sizeof name, "$R%06X", static_cast<unsigned>(i) & 0xFFFFFFu);
        putSymbol(name, record(i).offset, 2, 0);
        if (block.size() > (1 << 16)) {
            Put(block);
            block.clear();
        }
    }
    PutU32(block, 4);  // an empty string table: its size counts itself
    Put(block);
    block.clear();

    // The headers, now that every size and place is known.
    PutU16(block, CoffMachineValue(m_machine));
    PutU16(block, 2);
    PutU32(block, 0);  // no time stamp: the same script gives the same object
    PutU32(block, static_cast<std::uint32_t>(symbolsStart));
    PutU32(block, static_cast<std::uint32_t>(kFixedSymbols + count));
    PutU16(block, 0);
    PutU16(block, m_machine == Machine::kX86 ? kFile32BitMachine : 0);
    auto putSection = [&](std::string_view name, std::uint64_t size, std::uint64_t offset, std::uint64_t relocations,
                          std::size_t relocationCount, std::uint32_t extra) {
        std::uint8_t shortName[8] = {};
        std::copy_n(name.begin(), name.size(), shortName);
        block.insert(block.end(), shortName, shortName + 8);
        PutU32(block, 0);  // virtual size
        PutU32(block, 0);  // virtual address
        PutU32(block, static_cast<std::uint32_t>(size));
        PutU32(block, static_cast<std::uint32_t>(offset));
        PutU32(block, static_cast<std::uint32_t>(relocations));
        PutU32(block, 0);  // line numbers
        PutU16(block, static_cast<std::uint32_t>(std::min<std::size_t>(relocationCount, 0xFFFF)));
        PutU16(block, 0);
        PutU32(block, kSectionCharacteristics | extra);
    };
    putSection(".rsrc$01", sectionSize, directoryStart, relocationsStart, count, overflow ? kRelocationOverflow : 0);
    putSection(".rsrc$02", m_dataSectionSize, dataStart, 0, 0, 0);
    if (m_out.pubseekpos(0, std::ios_base::out) != std::streampos(0)) {
        throw LocalizedError(Compose(msg::kOutputNotWritten));
    }
    Put(block);
    if (m_out.pubsync() != 0) {
        throw LocalizedError(Compose(msg::kOutputNotWritten));
    }
}

}  // namespace brcc
