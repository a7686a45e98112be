// The writes of an unbuffered file cost a system call each: small pieces wait here until a block is full.
#include "brcc32/output/buffered_output.h"

#include <algorithm>
#include <ios>
#include <stdexcept>

#include "brcc32/byte_order.h"
#include "brcc32/script_error.h"

namespace brcc {
namespace {

// A write per block of this size costs little next to the bytes it carries; a larger block only adds to the peak
// memory, as two are held at once when a COFF object is written.
constexpr std::size_t kBufferSize = 1 << 16;

[[noreturn]] void Refused() { throw LocalizedError(Compose(msg::kOutputNotWritten)); }

}  // namespace

BufferedOutput::BufferedOutput(std::streambuf& out) : m_out(out) { m_buffer.reserve(kBufferSize); }

void BufferedOutput::Put(std::span<const std::uint8_t> bytes) {
    if (m_buffer.size() + bytes.size() <= kBufferSize) {
        m_buffer.insert(m_buffer.end(), bytes.begin(), bytes.end());
        return;
    }
    Flush();
    // A block as large as the buffer goes out as it is: copying it would gain no fewer writes.
    if (bytes.size() >= kBufferSize) {
        Write(bytes);
        m_flushed += bytes.size();
        return;
    }
    m_buffer.insert(m_buffer.end(), bytes.begin(), bytes.end());
}

void BufferedOutput::PutU16(std::uint16_t value) {
    std::uint8_t bytes[2];
    WriteU16(bytes, value);
    Put(bytes);
}

void BufferedOutput::PutU32(std::uint32_t value) {
    std::uint8_t bytes[4];
    WriteU32(bytes, value);
    Put(bytes);
}

void BufferedOutput::PutZeros(std::size_t count) {
    static constexpr std::uint8_t kZeros[256] = {};
    while (count > 0) {
        const std::size_t piece = std::min(count, sizeof kZeros);
        Put(std::span(kZeros, piece));
        count -= piece;
    }
}

void BufferedOutput::PadTo(std::uint64_t alignment, std::uint64_t origin) {
    const std::uint64_t used = (Position() - origin) % alignment;
    PutZeros(static_cast<std::size_t>(used == 0 ? 0 : alignment - used));
}

void BufferedOutput::Flush() {
    Write(m_buffer);
    m_flushed += m_buffer.size();
    m_buffer.clear();
}

void BufferedOutput::OverwriteStart(std::span<const std::uint8_t> bytes) {
    if (!m_buffer.empty() || bytes.size() > m_flushed) {
        throw std::logic_error("the start of the output is overwritten before it was written");
    }
    if (m_out.pubseekpos(0, std::ios_base::out) != std::streampos(0)) {
        Refused();
    }
    Write(bytes);
    if (m_out.pubsync() != 0) {
        Refused();
    }
}

void BufferedOutput::Write(std::span<const std::uint8_t> bytes) {
    const auto size = static_cast<std::streamsize>(bytes.size());
    if (size != 0 && m_out.sputn(reinterpret_cast<const char*>(bytes.data()), size) != size) {
        Refused();
    }
}

}  // namespace brcc
