// Characters and preprocessing tokens as the preprocessor and its expression evaluator read them.
#pragma once

#include <cstddef>
#include <string_view>

namespace brcc {

inline bool IsIdentifierStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }
inline bool IsIdentifierChar(char c) { return IsIdentifierStart(c) || IsDigit(c); }
inline bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r'; }

inline char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string_view TrimBlanks(std::string_view text);

// Where the run of identifier characters from `from` on ends: `from` itself where there is none.
inline std::size_t IdentifierEnd(std::string_view text, std::size_t from) {
    while (from < text.size() && IsIdentifierChar(text[from])) {
        ++from;
    }
    return from;
}

// The end of the preprocessing token that starts at `i`: an identifier, a number, a quoted literal or one character.
std::size_t TokenEnd(std::string_view text, std::size_t i);

}  // namespace brcc
