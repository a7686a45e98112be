// VERSIONINFO: the fixed part, then blocks and values, each a length, a value length, a type and a name, on 4-byte
// boundaries. Lengths are 16 bits: what passes 64 KB is refused with the line of its statement.
#include <string>

#include "brcc32/encode/encode.h"
#include "brcc32/encode/resource_bytes.h"
#include "brcc32/script_error.h"

namespace brcc {
namespace {

enum NodeType : std::uint16_t { kBinary, kText };
constexpr std::uint32_t kFixedFileInfoSignature = 0xFEEF04BD;
constexpr std::uint32_t kFixedFileInfoVersion = 0x00010000;
constexpr std::size_t kFixedFileInfoSize = 52;
constexpr std::size_t kMaxLength = 0xFFFF;

// Returns where the node starts; its length, value length and type are patched in when its end is known.
std::size_t PutNodeHeader(std::vector<std::uint8_t>& out, std::u16string_view name, std::uint16_t type) {
    PadTo4(out);
    const std::size_t start = out.size();
    PutU16(out, 0);
    PutU16(out, 0);
    PutU16(out, type);
    PutUtf16(out, name, true);
    PadTo4(out);
    return start;
}

void PutValue(std::vector<std::uint8_t>& out, const VersionNode& value) {
    const std::size_t start = PutNodeHeader(out, value.name, kBinary);
    const std::size_t data = out.size();
    bool isText = false;
    for (const VersionDatum& datum : value.data) {
        if (datum.isText) {
            PutUtf16(out, datum.text, datum.terminated);
            isText = true;
        } else {
            datum.isLong ? PutU32(out, datum.number) : PutU16(out, datum.number);
        }
    }
    // Text counts its length in characters, binary data in bytes.
    const std::size_t valueLength = isText ? (out.size() - data) / 2 : out.size() - data;
    if (out.size() - start > kMaxLength) {
        throw ScriptError(value.line, Compose(msg::kValueTooLarge, {value.shownName}));
    }
    PatchU16(out, start, out.size() - start);
    PatchU16(out, start + 2, valueLength);
    PatchU16(out, start + 4, isText ? kText : kBinary);
}

void PutNodes(std::vector<std::uint8_t>& out, const std::vector<VersionNode>& nodes) {
    for (const VersionNode& node : nodes) {
        if (!node.isBlock) {
            PutValue(out, node);
            continue;
        }
        const std::size_t start = PutNodeHeader(out, node.name, kText);
        PutNodes(out, node.children);
        if (out.size() - start > kMaxLength) {
            throw ScriptError(node.line, Compose(msg::kVersionBlockTooLarge));
        }
        PatchU16(out, start, out.size() - start);
    }
}

}  // namespace

std::vector<std::uint8_t> EncodeVersionInfo(const VersionInfo& info) {
    std::vector<std::uint8_t> out;
    PutU16(out, 0);
    PutU16(out, kFixedFileInfoSize);
    PutU16(out, kBinary);
    PutUtf16(out, u"VS_VERSION_INFO", true);
    PadTo4(out);
    const VersionNumber& file = info.fileVersion;
    const VersionNumber& product = info.productVersion;
    for (const std::uint32_t value :
         {kFixedFileInfoSignature, kFixedFileInfoVersion, file.majorPart << 16 | file.minorPart,
          file.build << 16 | file.revision, product.majorPart << 16 | product.minorPart,
          product.build << 16 | product.revision, info.fileFlagsMask, info.fileFlags, info.fileOs, info.fileType,
          info.fileSubtype, 0u, 0u}) {  // the last two: a file date, unused
        PutU32(out, value);
    }
    PutNodes(out, info.children);
    if (out.size() > kMaxLength) {
        throw ScriptError(info.line, Compose(msg::kVersionInfoTooLarge));
    }
    PatchU16(out, 0, out.size());
    return out;
}

}  // namespace brcc
