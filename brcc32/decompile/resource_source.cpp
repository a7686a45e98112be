// The .res file's headers as ReadResFile checks them, read with the file's data skipped.
#include "brcc32/decompile/resource_source.h"

#include "brcc32/byte_order.h"
#include "brcc32/message_catalogue.h"
#include "brcc32/script_error.h"

namespace brcc {
namespace {

constexpr std::size_t kFixedHeaderTail = 16;

[[noreturn]] void Malformed() { throw LocalizedError(Compose(msg::kInputNotARes)); }

ResName ReadName(std::span<const std::uint8_t> header, std::size_t& at) {
    if (at + 2 > header.size()) {
        Malformed();
    }
    if (ReadU16(header, at) == 0xFFFF) {
        if (at + 4 > header.size()) {
            Malformed();
        }
        const ResName name{true, ReadU16(header, at + 2), {}};
        at += 4;
        return name;
    }
    ResName name{false, 0, {}};
    for (;; at += 2) {
        if (at + 2 > header.size()) {
            Malformed();
        }
        const char16_t unit = ReadU16(header, at);
        if (unit == 0) {
            at += 2;
            return name;
        }
        name.text += unit;
    }
}

}  // namespace

ResFileSource::ResFileSource(const std::filesystem::path& path) : m_file(path, std::ios::binary) {
    if (!m_file) {
        throw std::runtime_error("cannot open the file");
    }
    m_file.seekg(0, std::ios::end);
    const std::uint64_t size = static_cast<std::uint64_t>(m_file.tellg());
    std::uint64_t at = 0;
    std::vector<std::uint8_t> header;
    for (bool first = true; at < size || first; first = false) {
        if (size - at < 8) {
            Malformed();
        }
        header.resize(8);
        m_file.seekg(static_cast<std::streamoff>(at));
        m_file.read(reinterpret_cast<char*>(header.data()), 8);
        const std::uint32_t dataSize = ReadU32(header, 0);
        const std::uint32_t headerSize = ReadU32(header, 4);
        if (headerSize < 8 + 8 + kFixedHeaderTail || headerSize > size - at || dataSize > size - at - headerSize) {
            Malformed();
        }
        header.resize(headerSize);
        m_file.read(reinterpret_cast<char*>(header.data() + 8), headerSize - 8);
        if (!m_file) {
            throw std::runtime_error("cannot read the file");
        }
        std::size_t field = 8;
        ResEntry entry;
        entry.type = ReadName(header, field);
        entry.name = ReadName(header, field);
        field = (field + 3) & ~std::size_t{3};
        if (field + kFixedHeaderTail > header.size()) {
            Malformed();
        }
        entry.memoryFlags = ReadU16(header, field + 4);
        entry.language = ReadU16(header, field + 6);
        entry.version = ReadU32(header, field + 8);
        entry.characteristics = ReadU32(header, field + 12);
        // The leading null entry only says that the file is a 32-bit one.
        if (first) {
            if (dataSize != 0 || !(entry.type == ResName{true, 0, {}})) {
                Malformed();
            }
        } else {
            m_entries.push_back(std::move(entry));
            m_offsets.push_back(at + headerSize);
            m_sizes.push_back(dataSize);
        }
        at += headerSize + ((std::uint64_t{dataSize} + 3) & ~std::uint64_t{3});
    }
}

ResEntry ResFileSource::Load(std::size_t index, std::vector<std::uint8_t>& buffer) {
    buffer.resize(m_sizes[index]);
    m_file.clear();
    m_file.seekg(static_cast<std::streamoff>(m_offsets[index]));
    m_file.read(reinterpret_cast<char*>(buffer.data()), static_cast<std::streamsize>(buffer.size()));
    if (!m_file) {
        throw std::runtime_error("cannot read the file");
    }
    ResEntry entry = m_entries[index];
    entry.data = buffer;
    return entry;
}

}  // namespace brcc
