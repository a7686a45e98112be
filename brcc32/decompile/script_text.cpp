// The decompiler's spelling of text, names and numbers, chosen so that the parser reads each back unchanged.
#include "brcc32/decompile/script_text.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

#include "brcc32/script/parser.h"
#include "brcc32/text/code_page.h"

namespace brcc {
namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

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

std::string QuoteText(std::u16string_view text, bool& nonAscii, Letters letters) {
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
                   (IsHighSurrogate(c) && !(i + 1 < text.size() && IsLowSurrogate(text[i + 1]))) ||
                   (letters == Letters::kUpperCased && c >= u'a' && c <= u'z')) {
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

namespace {

// An identifier the parser reads back as this very name: upper case (it upper-cases), no leading digit (a number or
// a warning), and no word a statement starts with or a type keyword (which would be read as that type).
bool IsPlainName(std::u16string_view text) {
    static constexpr std::string_view kWords[] = {"LANGUAGE", "STRINGTABLE", "CHARACTERISTICS", "VERSION", "VALUE",
                                                  "BEGIN",    "END"};
    if (text.empty() || (text[0] >= u'0' && text[0] <= u'9')) {
        return false;
    }
    std::string ascii;
    for (const char16_t c : text) {
        if (!((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_')) {
            return false;
        }
        ascii += static_cast<char>(c);
    }
    return std::find(std::begin(kWords), std::end(kWords), ascii) == std::end(kWords) &&
           !ScriptParser::IsTypeKeyword(ascii);
}

}  // namespace

std::string NameText(const ResName& name, bool& nonAscii) {
    if (name.isOrdinal) {
        return std::to_string(name.ordinal);
    }
    if (IsPlainName(name.text)) {
        return std::string(name.text.begin(), name.text.end());
    }
    return QuoteText(name.text, nonAscii, Letters::kUpperCased);
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
