// .res writer; the header layout and padding match what Windows' resource tools read.
#include "brcc32/output/res_writer.h"

#include <stdexcept>
#include <vector>

#include "brcc32/byte_order.h"
#include "brcc32/script_error.h"

namespace brcc {
namespace {

constexpr std::uint32_t kFixedHeaderTail = 16;  // data version, flags, language, version, characteristics
// Large enough that writes cost little next to the bytes they carry: at 64 KiB a script of many icons (25 MB of
// output) took an eighth longer, waiting on its writes.
constexpr std::size_t kBufferSize = 1 << 18;

void AppendId(std::vector<std::uint8_t>& header, const ResourceId& id) {
    if (id.isOrdinal) {
        header.insert(header.end(),
                      {0xFF, 0xFF, static_cast<std::uint8_t>(id.ordinal), static_cast<std::uint8_t>(id.ordinal >> 8)});
        return;
    }
    for (const char16_t c : id.text) {
        header.push_back(static_cast<std::uint8_t>(c));
        header.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    header.insert(header.end(), {0, 0});
}

}  // namespace

ResWriter::ResWriter(std::streambuf& out) : m_out(out) {
    m_buffer.reserve(kBufferSize);
    WriteHeader(ResourceId::Ordinal(0), ResourceId::Ordinal(0), 0, 0, 0);
}

void ResWriter::WriteHeader(const ResourceId& type, const ResourceId& name, std::uint16_t memoryFlags,
                            std::uint16_t language, std::uint32_t dataSize, std::uint32_t version,
                            std::uint32_t characteristics) {
    if (m_pendingData != 0) {
        throw std::logic_error("a resource header was written before the previous resource's data");
    }
    std::vector<std::uint8_t> header(8);
    AppendId(header, type);
    AppendId(header, name);
    header.resize((header.size() + 3) & ~std::size_t{3});
    const std::size_t tail = header.size();
    header.resize(tail + kFixedHeaderTail);
    WriteU16(header.data() + tail + 4, memoryFlags);
    WriteU16(header.data() + tail + 6, language);
    WriteU32(header.data() + tail + 8, version);
    WriteU32(header.data() + tail + 12, characteristics);
    WriteU32(header.data(), dataSize);
    WriteU32(header.data() + 4, static_cast<std::uint32_t>(header.size()));
    Put(header);
    m_pendingData = dataSize;
    m_dataSize = dataSize;
    if (dataSize == 0) {
        PadData();
    }
}

void ResWriter::WriteData(std::span<const std::uint8_t> bytes) {
    if (bytes.size() > m_pendingData) {
        throw std::logic_error("more resource data than its header announced");
    }
    Put(bytes);
    m_pendingData -= static_cast<std::uint32_t>(bytes.size());
    if (m_pendingData == 0) {
        PadData();
    }
}

void ResWriter::WriteResource(const ResourceId& type, const ResourceId& name, std::uint16_t memoryFlags,
                              std::uint16_t language, std::span<const std::uint8_t> data, std::uint32_t version,
                              std::uint32_t characteristics) {
    WriteHeader(type, name, memoryFlags, language, static_cast<std::uint32_t>(data.size()), version, characteristics);
    if (!data.empty()) {
        WriteData(data);
    }
}

void ResWriter::Put(std::span<const std::uint8_t> bytes) {
    if (m_buffer.size() + bytes.size() > kBufferSize) {
        Flush();
    }
    m_buffer.insert(m_buffer.end(), bytes.begin(), bytes.end());
}

void ResWriter::Flush() {
    const auto size = static_cast<std::streamsize>(m_buffer.size());
    if (m_out.sputn(reinterpret_cast<const char*>(m_buffer.data()), size) != size) {
        throw LocalizedError(Compose(msg::kOutputNotWritten));
    }
    m_buffer.clear();
}

void ResWriter::Finish() {
    if (m_pendingData != 0) {
        throw std::logic_error("the last resource's data is incomplete");
    }
    Flush();
}

void ResWriter::PadData() {
    static constexpr std::uint8_t kZeros[3] = {};
    Put(std::span(kZeros, (4 - m_dataSize % 4) % 4));
}

}  // namespace brcc
