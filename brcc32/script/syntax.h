// Pieces the statement parsers share: keyword tests, messages naming a token, and the writing of resource bytes.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "brcc32/byte_order.h"
#include "brcc32/script/lexer.h"
#include "brcc32/script_error.h"

namespace brcc {

inline char ToUpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

inline std::string ToUpperAscii(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) { return ToUpperAscii(c); });
    return upper;
}

inline bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return ToUpperAscii(x) == ToUpperAscii(y); });
}

template <std::size_t N>
inline bool IsOneOf(std::string_view word, const std::array<std::string_view, N>& words) {
    return std::any_of(words.begin(), words.end(), [word](std::string_view w) { return EqualsNoCase(word, w); });
}

inline std::string Enclose(std::string_view before, std::string_view text, std::string_view after) {
    std::string result;
    result.reserve(before.size() + text.size() + after.size());
    result.append(before).append(text).append(after);
    return result;
}

inline std::string Describe(const Token& token) {
    switch (token.m_kind) {
        case TokenKind::kEnd:
            return "the end of the script";
        case TokenKind::kString:
            return Enclose("\"", token.m_text, "\"");
        case TokenKind::kWideString:
            return Enclose("L\"", token.m_text, "\"");
        default: {
            const unsigned char first = static_cast<unsigned char>(token.m_text.front());
            if (token.m_text.size() == 1 && (first < 0x20 || first >= 0x7F)) {
                static constexpr char kHex[] = "0123456789ABCDEF";
                return std::string("the byte 0x") + kHex[first >> 4] + kHex[first & 0xF];
            }
            return Enclose("'", token.m_text, "'");
        }
    }
}

[[noreturn]] inline void Refuse(const Token& token, const std::string& message) {
    throw ScriptError(token.m_line, message);
}

inline bool IsWord(const Token& token, std::string_view word) {
    return token.m_kind == TokenKind::kIdentifier && EqualsNoCase(token.m_text, word);
}

inline bool IsChar(const Token& token, char c) {
    return (token.m_kind == TokenKind::kOther || token.m_kind == TokenKind::kBrace ||
            token.m_kind == TokenKind::kComma || token.m_kind == TokenKind::kHash) &&
           token.m_text.size() == 1 && token.m_text[0] == c;
}

inline bool IsBlockBegin(const Token& token) { return IsChar(token, '{') || IsWord(token, "BEGIN"); }

// A '#' line left after preprocessing cannot be read as a resource.
inline void RefuseHash(const Token& token) {
    if (token.m_kind == TokenKind::kHash) {
        Refuse(token, "unexpected '#': a preprocessor line must start its line");
    }
}

inline void PatchU16(std::vector<std::uint8_t>& out, std::size_t at, std::size_t value) {
    WriteU16(out.data() + at, static_cast<std::uint16_t>(value));
}

inline void PadTo4(std::vector<std::uint8_t>& out) { out.resize((out.size() + 3) & ~std::size_t{3}); }

inline std::u16string_view CutAtNul(std::u16string_view text) { return text.substr(0, text.find(u'\0')); }

}  // namespace brcc
