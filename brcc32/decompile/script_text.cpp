// The decompiler's spelling of text, names and numbers, chosen so that the parser reads each back unchanged.
#include "brcc32/decompile/script_text.h"

#include <array>
#include <cstdio>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

namespace brcc {
namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | code >> 18);
        out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool HasLoneSurrogate(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            ++i;
        } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
            return true;
        }
    }
    return false;
}

struct FlagWord {
    std::string_view word;
    std::uint16_t set;
    std::uint16_t clear;
};

// As the parser applies them; DISCARDABLE also sets MOVEABLE and PURE.
constexpr std::array<FlagWord, 7> kFlagWords = {{{"MOVEABLE", 0x0010, 0},
                                                 {"PURE", 0x0020, 0},
                                                 {"PRELOAD", 0x0040, 0},
                                                 {"DISCARDABLE", 0x1030, 0},
                                                 {"FIXED", 0, 0x1010},
                                                 {"IMPURE", 0, 0x1020},
                                                 {"LOADONCALL", 0, 0x0040}}};

std::uint16_t Apply(const FlagWord& word, std::uint16_t flags) {
    return static_cast<std::uint16_t>((flags | word.set) & ~word.clear);
}

// Breadth first over up to four words: the shortest spelling, found once for each pair of flags.
std::optional<std::string> SearchFlagWords(std::uint16_t defaults, std::uint16_t flags) {
    std::vector<std::pair<std::uint16_t, std::string>> level = {{defaults, ""}};
    for (int depth = 0; depth <= 4; ++depth) {
        std::vector<std::pair<std::uint16_t, std::string>> next;
        for (const auto& [value, words] : level) {
            if (value == flags) {
                return words;
            }
            for (const FlagWord& word : kFlagWords) {
                next.emplace_back(Apply(word, value), words + " " + std::string(word.word));
            }
        }
        level = std::move(next);
    }
    return std::nullopt;
}

}  // namespace

std::string QuoteText(std::u16string_view text, bool& nonAscii) {
    const bool wide = HasLoneSurrogate(text);
    std::string out = wide ? "L\"" : "\"";
    char escape[8];
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'"') {
            out += "\"\"";
        } else if (c == u'\\') {
            out += "\\\\";
        } else if (c < 0x20 || c == 0x7F || IsLowSurrogate(c) ||
                   (IsHighSurrogate(c) && !(i + 1 < text.size() && IsLowSurrogate(text[i + 1])))) {
            // Always the full count of digits, so that a hex digit after the escape stays text.
            std::snprintf(escape, sizeof escape, wide ? "\\x%04X" : "\\x%02X", static_cast<unsigned>(c));
            out += escape;
        } else if (IsHighSurrogate(c)) {
            AppendUtf8(out, 0x10000 + ((c - 0xD800u) << 10) + (text[i + 1] - 0xDC00u));
            ++i;
            nonAscii = true;
        } else {
            AppendUtf8(out, c);
            nonAscii = nonAscii || c >= 0x80;
        }
    }
    out += '"';
    return out;
}

std::string NameText(const ResName& name) {
    if (name.isOrdinal) {
        return std::to_string(name.ordinal);
    }
    std::string out;
    for (const char16_t c : name.text) {
        out += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return out;
}

std::string Signed16(std::uint16_t value) { return std::to_string(static_cast<std::int16_t>(value)); }

std::string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(value));
    return text;
}

std::optional<std::string> MemoryFlagWords(std::uint16_t defaults, std::uint16_t flags) {
    static std::mutex guard;
    static std::map<std::uint32_t, std::optional<std::string>> found;
    const std::uint32_t key = static_cast<std::uint32_t>(defaults) << 16 | flags;
    const std::lock_guard lock(guard);
    auto [place, added] = found.try_emplace(key);
    if (added) {
        place->second = SearchFlagWords(defaults, flags);
    }
    return place->second;
}

void AppendHexLines(std::string& out, std::span<const std::uint8_t> bytes, std::string_view indent) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    constexpr std::size_t kPerLine = 16;
    for (std::size_t at = 0; at < bytes.size(); at += kPerLine) {
        out += indent;
        out += '\'';
        for (std::size_t k = at; k < std::min(bytes.size(), at + kPerLine); ++k) {
            if (k != at) {
                out += ' ';
            }
            out += kDigits[bytes[k] >> 4];
            out += kDigits[bytes[k] & 0xF];
        }
        out += "'\n";
    }
}

std::string LanguageLine(std::uint16_t language) {
    return "LANGUAGE " + Hex(language & 0x3FFu) + ", " + Hex(language >> 10u) + "\n";
}

}  // namespace brcc
