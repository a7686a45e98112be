// Reads a resource's bytes with every offset checked: a layout that runs past the end is no structure to write.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

#include "brcc32/byte_order.h"

namespace brcc {

struct NotThisLayout : std::runtime_error {
    NotThisLayout() : std::runtime_error("layout") {}
};

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::uint8_t U8() {
        Need(1);
        return m_bytes[m_at++];
    }
    std::uint16_t U16() {
        Need(2);
        const std::uint16_t value = ReadU16(m_bytes, m_at);
        m_at += 2;
        return value;
    }
    std::uint32_t U32() {
        Need(4);
        const std::uint32_t value = ReadU32(m_bytes, m_at);
        m_at += 4;
        return value;
    }
    // UTF-16 up to its NUL, which is read too.
    std::u16string Text() {
        std::u16string text;
        for (char16_t c = U16(); c != 0; c = U16()) {
            text += c;
        }
        return text;
    }
    std::span<const std::uint8_t> Bytes(std::size_t count) {
        Need(count);
        const std::span<const std::uint8_t> bytes = m_bytes.subspan(m_at, count);
        m_at += count;
        return bytes;
    }
    void Align4() { m_at = std::min(m_bytes.size(), (m_at + 3) & ~std::size_t{3}); }
    std::size_t At() const { return m_at; }
    void Seek(std::size_t at) {
        if (at > m_bytes.size()) {
            throw NotThisLayout();
        }
        m_at = at;
    }
    std::size_t Size() const { return m_bytes.size(); }
    bool AtEnd() const { return m_at == m_bytes.size(); }

private:
    void Need(std::size_t count) const {
        if (count > m_bytes.size() - m_at) {
            throw NotThisLayout();
        }
    }

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_at = 0;
};

}  // namespace brcc
