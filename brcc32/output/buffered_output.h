// Bytes and little-endian fields handed to a stream in large writes, with the count of what has gone out.
#pragma once

#include <cstdint>
#include <span>
#include <streambuf>
#include <vector>

namespace brcc {

class BufferedOutput {
public:
    explicit BufferedOutput(std::streambuf& out);

    void Put(std::span<const std::uint8_t> bytes);
    void PutU16(std::uint16_t value);
    void PutU32(std::uint32_t value);
    void PutZeros(std::size_t count);
    // Zeros up to the next multiple of `alignment` of the position, counted from `origin`.
    void PadTo(std::uint64_t alignment, std::uint64_t origin = 0);
    // How many bytes were put since construction.
    std::uint64_t Position() const { return m_flushed + m_buffer.size(); }

    // Hands the buffered bytes to the stream. Every write throws std::runtime_error when the stream refuses bytes.
    void Flush();
    // After a Flush: writes `bytes` again over the start of the stream (the headers, known last), and syncs it.
    void OverwriteStart(std::span<const std::uint8_t> bytes);

private:
    void Write(std::span<const std::uint8_t> bytes);

    std::streambuf& m_out;
    std::vector<std::uint8_t> m_buffer;
    std::uint64_t m_flushed = 0;
};

}  // namespace brcc
