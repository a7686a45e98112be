// VERSIONINFO back to text: the fixed fields, then blocks and values as stored, text as strings and binary as words.
#include "brcc32/decompile/byte_reader.h"
#include "brcc32/decompile/script_text.h"
#include "brcc32/decompile/text_forms.h"

namespace brcc {
namespace {

constexpr std::uint32_t kSignature = 0xFEEF04BD;
constexpr std::uint16_t kTextType = 1;
constexpr int kMaxDepth = 32;

std::string NumberPair(std::uint32_t high, std::uint32_t low) {
    return std::to_string(high >> 16) + ", " + std::to_string(high & 0xFFFF) + ", " + std::to_string(low >> 16) + ", " +
           std::to_string(low & 0xFFFF);
}

// Text values are strings, each with its NUL: the last one must end the data, as the script cannot leave it off.
std::string TextData(std::span<const std::uint8_t> data, bool& nonAscii) {
    if (data.size() % 2 != 0 || data.size() < 2 || ReadU16(data, data.size() - 2) != 0) {
        throw NotThisLayout();
    }
    std::string out;
    std::u16string text;
    for (std::size_t k = 0; k < data.size(); k += 2) {
        const char16_t c = ReadU16(data, k);
        if (c != 0) {
            text += c;
            continue;
        }
        out += (out.empty() ? "" : ", ") + QuoteText(text, nonAscii);
        text.clear();
    }
    return out;
}

std::string BinaryData(std::span<const std::uint8_t> data) {
    if (data.size() % 2 != 0 || data.empty()) {
        throw NotThisLayout();
    }
    std::string out;
    for (std::size_t k = 0; k < data.size(); k += 2) {
        out += (k == 0 ? "" : ", ") + Hex(ReadU16(data, k));
    }
    return out;
}

// The nodes from the reader's place up to `end`.
void AppendNodes(std::string& out, ByteReader& in, std::size_t end, int depth, bool& nonAscii) {
    if (depth > kMaxDepth) {
        throw NotThisLayout();
    }
    const std::string indent(4 * depth, ' ');
    while (true) {
        in.Align4();
        if (in.At() >= end) {
            return;
        }
        const std::size_t start = in.At();
        const std::uint16_t length = in.U16();
        const std::uint16_t valueLength = in.U16();
        const std::uint16_t type = in.U16();
        const std::u16string name = in.Text();
        in.Align4();
        const std::size_t nodeEnd = start + length;
        if (length < 6 || nodeEnd > end || in.At() > nodeEnd) {
            throw NotThisLayout();
        }
        if (valueLength == 0) {
            out += indent + "BLOCK " + QuoteText(name, nonAscii) + "\n" + indent + "BEGIN\n";
            AppendNodes(out, in, nodeEnd, depth + 1, nonAscii);
            out += indent + "END\n";
        } else {
            const std::span<const std::uint8_t> data = in.Bytes(nodeEnd - in.At());
            out += indent + "VALUE " + QuoteText(name, nonAscii) + ", " +
                   (type == kTextType ? TextData(data, nonAscii) : BinaryData(data)) + "\n";
        }
        in.Seek(nodeEnd);
    }
}

}  // namespace

std::string VersionInfoText(std::span<const std::uint8_t> bytes, const FormHead& head, bool& nonAscii) {
    ByteReader in(bytes);
    const std::uint16_t length = in.U16();
    in.U16();
    in.U16();
    if (in.Text() != u"VS_VERSION_INFO" || length != bytes.size()) {
        throw NotThisLayout();
    }
    in.Align4();
    if (in.U32() != kSignature) {
        throw NotThisLayout();
    }
    in.U32();
    const std::uint32_t fileHigh = in.U32();
    const std::uint32_t fileLow = in.U32();
    const std::uint32_t productHigh = in.U32();
    const std::uint32_t productLow = in.U32();
    std::string out = head.name + " VERSIONINFO" + head.flags + "\n" + head.options + "FILEVERSION " +
                      NumberPair(fileHigh, fileLow) + "\n" + "PRODUCTVERSION " + NumberPair(productHigh, productLow) +
                      "\n";
    for (const char* field : {"FILEFLAGSMASK", "FILEFLAGS", "FILEOS", "FILETYPE", "FILESUBTYPE"}) {
        out += std::string(field) + " " + Hex(in.U32()) + "\n";
    }
    in.U32();  // the file date, which no statement sets
    in.U32();
    out += "BEGIN\n";
    AppendNodes(out, in, bytes.size(), 1, nonAscii);
    return out + "END\n";
}

}  // namespace brcc
