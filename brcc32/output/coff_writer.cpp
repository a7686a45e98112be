// The .res is read as it streams by: each header is checked and kept as a directory entry, each resource's data is
// copied to the data section at once, so that only the directory's few bytes a resource stay in memory.
#include "brcc32/output/coff_writer.h"

#include <algorithm>
#include <numeric>
#include <sstream>
#include <stdexcept>

#include "brcc32/byte_order.h"
#include "brcc32/output/coff_tables.h"
#include "brcc32/script_error.h"

namespace brcc {
namespace {

constexpr std::size_t kResFixedHeader = 8;  // data size, header size
constexpr std::size_t kResHeaderTail = 16;  // data version, flags, language, version, characteristics
constexpr std::uint32_t kMaxResHeader = 1u << 20;

std::uint64_t Align(std::uint64_t value, std::uint64_t alignment) {
    return (value + alignment - 1) / alignment * alignment;
}

[[noreturn]] void NotARes() { throw LocalizedError(Compose(msg::kInputNotARes)); }
[[noreturn]] void TooLarge() { throw LocalizedError(Compose(msg::kCoffTooLarge)); }

// The size in bytes of a type or name starting at `at` in a .res header: FFFF and an ordinal, or UTF-16 units ending
// in a NUL. It must end before the header's fixed tail.
std::size_t IdSize(std::span<const std::uint8_t> header, std::size_t at) {
    if (at + 4 > header.size()) {
        NotARes();
    }
    if (ReadU16(header, at) == 0xFFFF) {
        return 4;
    }
    for (std::size_t end = at; end + 2 <= header.size(); end += 2) {
        if (header[end] == 0 && header[end + 1] == 0) {
            return end + 2 - at;
        }
    }
    NotARes();
}

}  // namespace

CoffWriter::CoffWriter(std::streambuf& out, Machine machine, CoffStyle style)
    : m_out(out), m_machine(machine), m_style(style) {
    // Written again at the end, once known.
    m_out.PutZeros(style == CoffStyle::kGnu ? kGnuCoffHeadersSize : kCoffHeadersSize);
}

void CoffWriter::PutData(std::span<const std::uint8_t> bytes) {
    if (m_style == CoffStyle::kGnu) {
        m_heldData.insert(m_heldData.end(), bytes.begin(), bytes.end());
    } else {
        m_out.Put(bytes);
    }
}

void CoffWriter::PutDataZeros(std::size_t count) {
    if (m_style == CoffStyle::kGnu) {
        m_heldData.resize(m_heldData.size() + count);
    } else {
        m_out.PutZeros(count);
    }
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
            const std::size_t piece = std::min<std::size_t>(m_dataLeft, bytes.size());
            PutData(bytes.first(piece));
            m_dataLeft -= static_cast<std::uint32_t>(piece);
            bytes = bytes.subspan(piece);
            if (m_dataLeft == 0) {
                PutDataZeros(static_cast<std::size_t>(Align(m_dataSize, kCoffAlignment) - m_dataSize));
            }
            continue;
        }
        if (m_padLeft > 0) {
            const std::size_t piece = std::min<std::size_t>(m_padLeft, bytes.size());
            m_padLeft -= static_cast<std::uint32_t>(piece);
            bytes = bytes.subspan(piece);
            continue;
        }
        if (m_header.empty() && bytes.size() >= kResFixedHeader) {
            // The usual case: the whole header is at hand and is read where it lies.
            const std::uint32_t size = ReadU32(bytes, 4);
            if (size >= kResFixedHeader && size <= bytes.size()) {
                EndHeader(bytes.first(size));
                bytes = bytes.subspan(size);
                continue;
            }
        }
        const std::size_t want = m_header.size() < kResFixedHeader ? kResFixedHeader : m_headerSize;
        const std::size_t piece = std::min(want - m_header.size(), bytes.size());
        m_header.insert(m_header.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(piece));
        bytes = bytes.subspan(piece);
        if (m_header.size() == kResFixedHeader && m_headerSize == 0) {
            m_headerSize = ReadU32(m_header, 4);
            if (m_headerSize < kResFixedHeader + 8 + kResHeaderTail || m_headerSize > kMaxResHeader) {
                NotARes();
            }
        }
        if (m_headerSize != 0 && m_header.size() == m_headerSize) {
            EndHeader(m_header);
            m_header.clear();
        }
    }
}

void CoffWriter::EndHeader(std::span<const std::uint8_t> header) {
    if (header.size() < kResFixedHeader + 8 + kResHeaderTail || header.size() > kMaxResHeader) {
        NotARes();
    }
    const std::uint32_t dataSize = ReadU32(header, 0);
    const std::size_t typeSize = IdSize(header, kResFixedHeader);
    const std::size_t nameSize = IdSize(header, kResFixedHeader + typeSize);
    const std::size_t tail = (kResFixedHeader + typeSize + nameSize + 3) & ~std::size_t{3};
    if (tail + kResHeaderTail > header.size()) {
        NotARes();
    }
    if (m_first) {
        // The leading null entry only says that the file is a 32-bit one.
        if (dataSize != 0 || ReadU32(header, 8) != 0xFFFF || ReadU32(header, 12) != 0xFFFF) {
            NotARes();
        }
    } else {
        if (m_dataSectionSize + Align(dataSize, kCoffAlignment) > kMaxCoffObjectSize) {
            TooLarge();
        }
        m_directory.Add(header.subspan(kResFixedHeader, typeSize), header.subspan(kResFixedHeader + typeSize, nameSize),
                        ReadU16(header, tail + 6), dataSize);
        m_dataSectionSize += Align(dataSize, kCoffAlignment);
    }
    m_first = false;
    m_dataSize = dataSize;
    m_dataLeft = dataSize;
    m_padLeft = (4 - dataSize % 4) % 4;
    m_headerSize = 0;
}

void CoffWriter::Finish() {
    if (m_failed) {
        throw LocalizedError(m_error);
    }
    if (m_first || m_dataLeft != 0 || m_padLeft != 0 || !m_header.empty()) {
        NotARes();
    }
    if (m_style == CoffStyle::kGnu) {
        FinishGnu();
    } else {
        FinishMicrosoft();
    }
}

void CoffWriter::FinishMicrosoft() {
    CoffLayout layout;
    layout.machine = m_machine;
    layout.resources = m_directory.Count();
    layout.dataSize = m_dataSectionSize;
    layout.directoryStart = Align(kCoffHeadersSize + m_dataSectionSize, kCoffAlignment);
    m_out.PadTo(kCoffAlignment);
    const std::vector<std::uint32_t> descriptions = m_directory.Write(m_out);
    layout.directorySize = m_out.Position() - layout.directoryStart;
    layout.relocationsStart = m_out.Position();
    layout.symbolsStart = Align(layout.relocationsStart + RelocationsSize(layout.resources), kCoffAlignment);
    if (layout.symbolsStart + SymbolsSize(layout.resources) > kMaxCoffObjectSize) {
        TooLarge();
    }
    WriteRelocations(m_out, m_machine, descriptions);
    m_out.PadTo(kCoffAlignment);
    WriteSymbols(m_out, layout, m_directory);
    m_out.Flush();
    m_out.OverwriteStart(CoffHeaders(layout));
}

void CoffWriter::FinishGnu() {
    // The directory is made in memory first: each data description holds its data's offset in the section, which
    // is known only once the directory's size is.
    std::stringbuf directoryBytes;
    BufferedOutput directoryOut(directoryBytes);
    const std::vector<std::uint32_t> descriptions = m_directory.Write(directoryOut, true);
    directoryOut.Flush();
    std::string directory = directoryBytes.str();
    const std::uint64_t dataStart = Align(directory.size(), kCoffAlignment);
    GnuCoffLayout layout;
    layout.machine = m_machine;
    layout.resources = m_directory.Count();
    layout.sectionSize = dataStart + m_heldData.size();
    layout.relocationsStart = kGnuCoffHeadersSize + layout.sectionSize;
    // Straight after the relocations, unaligned, where GNU windres puts it.
    layout.symbolsStart = layout.relocationsStart + RelocationsSize(layout.resources);
    if (layout.symbolsStart + GnuSymbolsSize() > kMaxCoffObjectSize) {
        TooLarge();
    }
    // The data follow in the directory's order, as GNU windres writes them, and so do the relocations.
    std::vector<std::uint64_t> held(descriptions.size());
    std::uint64_t heldAt = 0;
    for (std::size_t i = 0; i < descriptions.size(); ++i) {
        held[i] = heldAt;
        heldAt += Align(m_directory.DataSize(i), kCoffAlignment);
    }
    std::vector<std::uint32_t> treeOrder(descriptions.size());
    std::iota(treeOrder.begin(), treeOrder.end(), 0u);
    std::sort(treeOrder.begin(), treeOrder.end(),
              [&descriptions](std::uint32_t a, std::uint32_t b) { return descriptions[a] < descriptions[b]; });
    std::uint64_t offset = dataStart;
    for (const std::uint32_t i : treeOrder) {
        WriteU32(reinterpret_cast<std::uint8_t*>(directory.data()) + descriptions[i],
                 static_cast<std::uint32_t>(offset));
        offset += Align(m_directory.DataSize(i), kCoffAlignment);
    }
    m_out.Put(std::span(reinterpret_cast<const std::uint8_t*>(directory.data()), directory.size()));
    m_out.PutZeros(static_cast<std::size_t>(dataStart - directory.size()));
    std::vector<std::uint32_t> relocations;
    relocations.reserve(descriptions.size());
    for (const std::uint32_t i : treeOrder) {
        const std::size_t size = static_cast<std::size_t>(Align(m_directory.DataSize(i), kCoffAlignment));
        m_out.Put(std::span(m_heldData).subspan(static_cast<std::size_t>(held[i]), size));
        relocations.push_back(descriptions[i]);
    }
    WriteRelocations(m_out, m_machine, relocations, true);
    WriteGnuSymbols(m_out);
    m_out.Flush();
    m_out.OverwriteStart(GnuCoffHeaders(layout));
}

}  // namespace brcc
