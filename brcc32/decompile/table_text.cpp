// The kinds that are lists: ACCELERATORS, TOOLBAR, STRINGTABLE, and DLGINCLUDE's one name.
#include <array>

#include "brcc32/decompile/byte_reader.h"
#include "brcc32/decompile/script_text.h"
#include "brcc32/decompile/text_forms.h"

namespace brcc {
namespace {

constexpr std::uint16_t kVirtKey = 0x01;
constexpr std::uint16_t kLastEntry = 0x80;

struct FlagWord {
    std::string_view word;
    std::uint16_t bit;
};

constexpr std::array<FlagWord, 5> kAcceleratorWords = {
    {{"VIRTKEY", 0x01}, {"NOINVERT", 0x02}, {"SHIFT", 0x04}, {"CONTROL", 0x08}, {"ALT", 0x10}}};

// A key as a character where the script can write it so; a number otherwise.
std::string KeyText(std::uint16_t key, std::uint16_t flags) {
    const bool letterOrDigit = (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
    if (flags & kVirtKey) {
        return letterOrDigit ? "\"" + std::string(1, static_cast<char>(key)) + "\"" : std::to_string(key);
    }
    if (key >= 1 && key <= 26) {
        return "\"^" + std::string(1, static_cast<char>('A' + key - 1)) + "\"";
    }
    if (key > 0x20 && key < 0x7F && key != '"' && key != '\\' && key != '^') {
        return "\"" + std::string(1, static_cast<char>(key)) + "\"";
    }
    return std::to_string(key);
}

}  // namespace

std::string AcceleratorsText(std::span<const std::uint8_t> bytes, const FormHead& head, bool&) {
    ByteReader in(bytes);
    std::string out = head.name + " ACCELERATORS" + head.flags + "\n" + head.options + "{\n";
    for (bool last = in.AtEnd(); !last;) {
        std::uint16_t flags = in.U16();
        const std::uint16_t key = in.U16();
        const std::uint16_t id = in.U16();
        if (in.U16() != 0) {
            throw NotThisLayout();
        }
        last = (flags & kLastEntry) != 0;
        flags &= ~kLastEntry;
        out += "    " + KeyText(key, flags) + ", " + std::to_string(id);
        for (const FlagWord& word : kAcceleratorWords) {
            if (flags & word.bit) {
                out += ", " + std::string(word.word);
                flags &= ~word.bit;
            }
        }
        if (flags != 0) {
            throw NotThisLayout();
        }
        out += "\n";
    }
    if (!in.AtEnd()) {
        throw NotThisLayout();
    }
    return out + "}\n";
}

std::string ToolbarText(std::span<const std::uint8_t> bytes, const FormHead& head) {
    ByteReader in(bytes);
    if (in.U16() != 1) {
        throw NotThisLayout();
    }
    const std::uint16_t width = in.U16();
    const std::uint16_t height = in.U16();
    const std::uint16_t count = in.U16();
    std::string out = head.name + " TOOLBAR" + head.flags + " " + std::to_string(width) + ", " +
                      std::to_string(height) + "\n" + head.options + "{\n";
    for (std::uint16_t k = 0; k < count; ++k) {
        const std::uint16_t command = in.U16();
        out += command == 0 ? "    SEPARATOR\n" : "    BUTTON " + std::to_string(command) + "\n";
    }
    if (!in.AtEnd()) {
        throw NotThisLayout();
    }
    return out + "}\n";
}

std::string DlgIncludeText(std::span<const std::uint8_t> bytes, const FormHead& head, bool& nonAscii) {
    // The name's bytes are kept as they are; only ASCII reads back the same whatever the script's code page.
    if (bytes.empty() || bytes.back() != 0) {
        throw NotThisLayout();
    }
    std::u16string name;
    for (std::size_t k = 0; k + 1 < bytes.size(); ++k) {
        if (bytes[k] == 0 || bytes[k] >= 0x80) {
            throw NotThisLayout();
        }
        name += static_cast<char16_t>(bytes[k]);
    }
    return head.name + " DLGINCLUDE" + head.flags + " " + QuoteText(name, nonAscii) + "\n";
}

std::string StringTableText(std::span<const std::uint8_t> bytes, std::uint16_t bundle, const FormHead& head,
                            bool& nonAscii) {
    if (bundle == 0 || bundle > 4096) {
        throw NotThisLayout();
    }
    ByteReader in(bytes);
    std::string out = "STRINGTABLE" + head.flags + "\n" + head.options + "{\n";
    for (unsigned k = 0; k < 16; ++k) {
        const std::uint16_t length = in.U16();
        std::u16string text;
        for (std::uint16_t c = 0; c < length; ++c) {
            text += static_cast<char16_t>(in.U16());
        }
        if (length != 0) {
            out += "    " + std::to_string((bundle - 1u) * 16 + k) + ", " + QuoteText(text, nonAscii) + "\n";
        }
    }
    if (!in.AtEnd()) {
        throw NotThisLayout();
    }
    if (out.ends_with("{\n")) {
        // Strings given as "" make a bundle of empty strings, which no other statement makes.
        out += "    " + std::to_string((bundle - 1u) * 16) + ", \"\"\n";
    }
    return out + "}\n";
}

}  // namespace brcc
