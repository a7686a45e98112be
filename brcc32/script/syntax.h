// Pieces the statement parsers share: keyword tests, limits, and messages naming a token.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

// A token as messages quote it, in both languages.
inline LocalText Describe(const Token& token) {
    switch (token.kind) {
        case TokenKind::kEnd:
            return Compose(msg::kEndOfScript);
        case TokenKind::kString:
            return LocalText::Verbatim(Enclose("\"", token.text, "\""));
        case TokenKind::kWideString:
            return LocalText::Verbatim(Enclose("L\"", token.text, "\""));
        default: {
            const unsigned char first = static_cast<unsigned char>(token.text.front());
            if (token.text.size() == 1 && (first < 0x20 || first >= 0x7F)) {
                static constexpr char kHex[] = "0123456789ABCDEF";
                const char hex[] = {kHex[first >> 4], kHex[first & 0xF], '\0'};
                return Compose(msg::kByte, {hex});
            }
            return Compose(msg::kQuoted, {token.text});
        }
    }
}

[[noreturn]] inline void Refuse(const Token& token, LocalText message) {
    throw ScriptError(token.line, std::move(message));
}

inline bool IsWord(const Token& token, std::string_view word) {
    return token.kind == TokenKind::kIdentifier && EqualsNoCase(token.text, word);
}

inline bool IsChar(const Token& token, char c) {
    return (token.kind == TokenKind::kOther || token.kind == TokenKind::kBrace || token.kind == TokenKind::kComma ||
            token.kind == TokenKind::kHash) &&
           token.text.size() == 1 && token.text[0] == c;
}

inline bool IsString(const Token& token) {
    return token.kind == TokenKind::kString || token.kind == TokenKind::kWideString;
}

inline constexpr std::uint32_t kMaxId = 0xFFFF;

// Ids that fit 16 bits, as a number or as a negative one (-1 for IDC_STATIC).
inline bool Fits16(std::uint32_t value) { return value <= 0xFFFF || value >= 0xFFFF8000u; }

inline bool IsBlockBegin(const Token& token) { return IsChar(token, '{') || IsWord(token, "BEGIN"); }

// A '#' line left after preprocessing cannot be read as a resource.
inline void RefuseHash(const Token& token) {
    if (token.kind == TokenKind::kHash) {
        Refuse(token, Compose(msg::kStrayHash));
    }
}

inline std::u16string_view CutAtNul(std::u16string_view text) { return text.substr(0, text.find(u'\0')); }

}  // namespace brcc
