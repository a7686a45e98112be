// Splits a resource script into tokens, each with the line it starts on.
#pragma once

#include <string_view>

namespace brcc {

enum class TokenKind {
    kEnd,
    kInteger,     // digits and letters, as written; the parser checks the form
    kIdentifier,  // letters, digits, '_', '.', '/', '\'
    kString,      // "text", quotes stripped, "" kept as written
    kWideString,  // L"text"
    kHexString,   // 'hex bytes', quotes stripped: Borland's inline data
    kComma,
    kHash,
    kBrace,
    kOther,  // any other single character
};

struct Token {
    TokenKind kind = TokenKind::kEnd;
    std::string_view text;
    int line = 0;
};

class ScriptLexer {
public:
    // The text must outlive the lexer: tokens point into it.
    explicit ScriptLexer(std::string_view text);

    // Throws ScriptError on an unclosed comment or string.
    Token Next();
    const Token& Peek();

private:
    Token Scan();
    void SkipSpaceAndComments();

    std::string_view m_text;
    std::size_t m_pos = 0;
    int m_line = 1;
    bool m_hasPeeked = false;
    Token m_peeked;
};

}  // namespace brcc
