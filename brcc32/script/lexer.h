// Splits a resource script into tokens, each with the line it starts on.
#pragma once

#include <string_view>

#include "brcc32/text/code_page.h"

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

    // Code pages by line, for the strings of a double-byte page: a trail byte there is never a backslash.
    void SetCodePages(const CodePageChanges* codePages) { m_codePages = codePages; }

    // Throws ScriptError on an unclosed comment or string.
    Token Next();
    const Token& Peek();
    // `token`, the last one Next() gave, with the characters that follow it up to a blank: Windows' compiler reads a
    // resource's name and type so (TYPE-GHOSTSCRIPT.XML, 10_DevCpp). Blocks, commas, quotes and parentheses still
    // end it, where llvm-rc and windres read the same script otherwise.
    Token TakeLiteral(const Token& token);
    // Where the last string ended: its closing quote's offset in the text.
    std::size_t LastStringEnd() const { return m_lastStringEnd; }
    // The last string as written, quotes included.
    std::string_view LastString() const;
    // Whether an error on `line` may come from where the last string ended: one with a backslash, on that line, with
    // at most the token that followed it and one more read since.
    bool EndsJustBefore(int line) const;
    std::string_view Text() const { return m_text; }

private:
    Token Scan();
    void SkipSpaceAndComments();
    bool AtLineStart() const;
    const CodePageTable* PairsAt(int line) const;

    std::string_view m_text;
    std::size_t m_pos = 0;
    int m_line = 1;
    bool m_hasPeeked = false;
    std::size_t m_lastStringStart = 0;
    std::size_t m_lastStringEnd = std::string_view::npos;
    int m_lastStringLine = 0;
    int m_tokensSinceString = 0;
    const CodePageChanges* m_codePages = nullptr;
    Token m_peeked;
};

}  // namespace brcc
