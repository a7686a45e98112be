// Writes resources in the 32-bit .res format: a header per resource, its data, DWORD padding.
#pragma once

#include <cstdint>
#include <span>
#include <streambuf>
#include <vector>

#include "brcc32/resource_id.h"

namespace brcc {

class ResWriter {
public:
    // Writes the leading null entry that marks a 32-bit .res file.
    explicit ResWriter(std::streambuf& out);

    // Data of exactly `dataSize` bytes must follow through WriteData before the next header.
    void WriteHeader(const ResourceId& type, const ResourceId& name, std::uint16_t memoryFlags, std::uint16_t language,
                     std::uint32_t dataSize, std::uint32_t version = 0, std::uint32_t characteristics = 0);
    void WriteData(std::span<const std::uint8_t> bytes);

    void WriteResource(const ResourceId& type, const ResourceId& name, std::uint16_t memoryFlags,
                       std::uint16_t language, std::span<const std::uint8_t> data, std::uint32_t version = 0,
                       std::uint32_t characteristics = 0);

    // Hands the last buffered bytes to the stream. Writes throw std::runtime_error when the stream refuses bytes.
    void Finish();

private:
    void Put(std::span<const std::uint8_t> bytes);
    void Flush();
    void PadData();

    std::streambuf& m_out;
    std::uint32_t m_pendingData = 0;
    std::uint32_t m_dataSize = 0;
    std::vector<std::uint8_t> m_buffer;  // few large writes: a script of small files makes many small pieces
};

}  // namespace brcc
