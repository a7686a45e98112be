// Reading is the input stage's .res reader, under the name the tests and the decompiler know; writing keeps each
// entry's fields as read, so that resources taken from an object or an executable become the .res they came from.
#include "brcc32/output/res_file.h"

#include "brcc32/byte_order.h"
#include "brcc32/input/resource_input.h"
#include "brcc32/message_catalogue.h"
#include "brcc32/put_all.h"
#include "brcc32/script_error.h"

namespace brcc {
namespace {

void PutId(std::vector<std::uint8_t>& out, const ResName& id) {
    if (id.isOrdinal) {
        PutU16(out, 0xFFFF);
        PutU16(out, id.ordinal);
    } else {
        PutUtf16(out, id.text, true);
    }
}

void Send(std::streambuf& out, std::span<const std::uint8_t> bytes) {
    if (!PutAll(out, bytes)) {
        throw LocalizedError(Compose(msg::kOutputNotWritten));
    }
}

void PutHeader(std::streambuf& out, const ResEntry& entry) {
    std::vector<std::uint8_t> header(8);
    PutId(header, entry.type);
    PutId(header, entry.name);
    header.resize((header.size() + 3) & ~std::size_t{3});
    PutU32(header, 0);  // data version
    PutU16(header, entry.memoryFlags);
    PutU16(header, entry.language);
    PutU32(header, entry.version);
    PutU32(header, entry.characteristics);
    WriteU32(header.data(), static_cast<std::uint32_t>(entry.data.size()));
    WriteU32(header.data() + 4, static_cast<std::uint32_t>(header.size()));
    Send(out, header);
}

}  // namespace

std::vector<ResEntry> ReadResFile(std::span<const std::uint8_t> bytes) { return ReadResEntries(bytes); }

void WriteResStart(std::streambuf& out) { PutHeader(out, ResEntry{}); }

void WriteResEntry(const ResEntry& entry, std::streambuf& out) {
    static constexpr std::uint8_t kZeros[3] = {};
    PutHeader(out, entry);
    Send(out, entry.data);
    Send(out, std::span(kZeros, (4 - entry.data.size() % 4) % 4));
}

void WriteResFile(std::span<const ResEntry> entries, std::streambuf& out) {
    WriteResStart(out);
    for (const ResEntry& entry : entries) {
        WriteResEntry(entry, out);
    }
}

}  // namespace brcc
