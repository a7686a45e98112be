// A large read goes past the pages and the window: it is a table, a name or a resource's data read once, which would
// only push the rest out of memory.
#include "brcc32/input/byte_source.h"

#include <algorithm>
#include <cstring>

namespace brcc {

void MemoryByteSource::Read(std::uint64_t offset, std::span<std::uint8_t> into) {
    std::copy_n(m_bytes.begin() + static_cast<std::ptrdiff_t>(offset), into.size(), into.begin());
}

void PagedByteSource::Read(std::uint64_t offset, std::span<std::uint8_t> into) {
    if (into.size() >= kPageSize) {
        m_bytes.Read(offset, into);
        return;
    }
    while (!into.empty()) {
        const std::uint64_t number = offset / kPageSize;
        std::unique_ptr<std::uint8_t[]>& page = m_pages[number];
        const std::uint64_t start = number * kPageSize;
        const std::size_t held = static_cast<std::size_t>(std::min<std::uint64_t>(kPageSize, Size() - start));
        if (page == nullptr) {
            auto read = std::make_unique<std::uint8_t[]>(held);
            m_bytes.Read(start, std::span(read.get(), held));
            page = std::move(read);
        }
        const std::size_t at = static_cast<std::size_t>(offset - start);
        const std::size_t count = std::min(into.size(), held - at);
        std::memcpy(into.data(), page.get() + at, count);
        into = into.subspan(count);
        offset += count;
    }
}

void ReadAheadByteSource::Read(std::uint64_t offset, std::span<std::uint8_t> into) {
    if (into.empty()) {
        return;  // an empty resource's buffer may have no storage at all
    }
    const std::uint64_t end = offset + into.size();
    if (offset < m_windowStart || end > m_windowStart + m_window.size()) {
        // Only a read that follows the last one, near it, is likely to be followed in turn: a jump (an executable's
        // named resources, in the order of their names) takes just what it asks, and the window stays.
        const bool following = offset >= m_lastEnd && offset - m_lastEnd < kWindowSize;
        if (into.size() >= kWindowSize || !following) {
            m_bytes.Read(offset, into);
            m_lastEnd = end;
            return;
        }
        m_window.resize(static_cast<std::size_t>(std::min<std::uint64_t>(kWindowSize, Size() - offset)));
        m_windowStart = offset;
        m_bytes.Read(offset, m_window);
    }
    std::memcpy(into.data(), m_window.data() + (offset - m_windowStart), into.size());
    m_lastEnd = end;
}

std::vector<std::uint8_t> ReadVector(ByteSource& bytes, std::uint64_t offset, std::size_t size) {
    std::vector<std::uint8_t> out(size);
    bytes.Read(offset, out);
    return out;
}

}  // namespace brcc
