// The .res file's headers, read and checked as the readers of resources do, with the file's data skipped.
#include "brcc32/decompile/resource_source.h"

#include <algorithm>
#include <stdexcept>

#include "brcc32/input/resource_input.h"

namespace brcc {

ResFileSource::ResFileSource(const std::filesystem::path& path) : m_file(path, std::ios::binary) {
    if (!m_file) {
        throw std::runtime_error("cannot open the file");
    }
    m_file.seekg(0, std::ios::end);
    const std::uint64_t size = static_cast<std::uint64_t>(m_file.tellg());
    std::uint64_t at = 0;
    std::vector<std::uint8_t> header;
    auto read = [this](std::uint8_t* into, std::uint64_t count) {
        m_file.read(reinterpret_cast<char*>(into), static_cast<std::streamsize>(count));
        if (!m_file) {
            throw std::runtime_error("cannot read the file");
        }
    };
    for (bool first = true; at < size || first; first = false) {
        header.resize(static_cast<std::size_t>(std::min<std::uint64_t>(8, size - at)));
        m_file.seekg(static_cast<std::streamoff>(at));
        read(header.data(), header.size());
        const ResSizes sizes = ReadResSizes(header, at, size - at);
        header.resize(sizes.header);
        read(header.data() + 8, sizes.header - 8);
        ResEntry entry = ReadResHeader(header, at, first);
        if (!first) {
            m_entries.push_back(std::move(entry));
            m_offsets.push_back(at + sizes.header);
            m_sizes.push_back(sizes.data);
        }
        at += sizes.header + ((std::uint64_t{sizes.data} + 3) & ~std::uint64_t{3});
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
