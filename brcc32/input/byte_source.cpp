// A large read goes past the pages: it is a table or a name read once, which would only push the rest of the
// directory out of memory.
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

std::vector<std::uint8_t> ReadVector(ByteSource& bytes, std::uint64_t offset, std::size_t size) {
    std::vector<std::uint8_t> out(size);
    bytes.Read(offset, out);
    return out;
}

}  // namespace brcc
