// Tokenizer of resource scripts: the token rules follow llvm-rc so both read a script alike.
#include "brcc32/script/lexer.h"

#include <algorithm>

#include "brcc32/script_error.h"

namespace brcc {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsAsciiAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }
bool StartsIdentifier(char c) { return IsAsciiAlpha(c) || c == '_' || c == '.' || c == '/' || c == '\\'; }
bool ContinuesIdentifier(char c) { return StartsIdentifier(c) || IsDigit(c); }

}  // namespace

ScriptLexer::ScriptLexer(std::string_view text) : m_text(text) {
    if (m_text.starts_with(kUtf8Bom)) {
        m_pos = kUtf8Bom.size();
    }
}

const Token& ScriptLexer::Peek() {
    if (!m_hasPeeked) {
        m_peeked = Scan();
        m_hasPeeked = true;
    }
    return m_peeked;
}

Token ScriptLexer::Next() {
    if (m_hasPeeked) {
        m_hasPeeked = false;
        return m_peeked;
    }
    return Scan();
}

Token ScriptLexer::TakeLiteral(const Token& token) {
    if (token.kind != TokenKind::kIdentifier && token.kind != TokenKind::kInteger) {
        return token;
    }
    const std::size_t begin = static_cast<std::size_t>(token.text.data() - m_text.data());
    std::size_t end = begin + token.text.size();
    constexpr std::string_view kEnds = "{},\"()+|&~";
    auto continues = [&](std::size_t at) {
        const char c = m_text[at];
        const bool comment = c == '/' && at + 1 < m_text.size() && (m_text[at + 1] == '/' || m_text[at + 1] == '*');
        return c > ' ' && c < 0x7F && kEnds.find(c) == kEnds.npos && !comment;
    };
    while (end < m_text.size() && continues(end)) {
        ++end;
    }
    if (end == begin + token.text.size()) {
        return token;
    }
    m_pos = end;
    m_hasPeeked = false;
    Token literal = token;
    literal.text = m_text.substr(begin, end - begin);
    return literal;
}

void ScriptLexer::SkipSpaceAndComments() {
    while (m_pos < m_text.size()) {
        const char c = m_text[m_pos];
        if (IsSpace(c)) {
            m_line += c == '\n';
            ++m_pos;
        } else if (m_text.substr(m_pos, 2) == "//") {
            const std::size_t end = m_text.find('\n', m_pos);
            m_pos = end == std::string_view::npos ? m_text.size() : end;
        } else if (c == ';' && AtLineStart()) {
            // Borland's scripts: a line that starts with ';' is a comment.
            const std::size_t end = m_text.find('\n', m_pos);
            m_pos = end == std::string_view::npos ? m_text.size() : end;
        } else if (m_text.substr(m_pos, 2) == "/*") {
            const int startLine = m_line;
            const std::size_t end = m_text.find("*/", m_pos + 2);
            if (end == std::string_view::npos) {
                throw ScriptError(startLine, Compose(msg::kCommentNotClosed));
            }
            for (std::size_t i = m_pos; i < end; ++i) {
                m_line += m_text[i] == '\n';
            }
            m_pos = end + 2;
        } else {
            return;
        }
    }
}

bool ScriptLexer::AtLineStart() const {
    for (std::size_t i = m_pos; i > 0; --i) {
        const char c = m_text[i - 1];
        if (c == '\n') {
            return true;
        }
        if (c != ' ' && c != '\t' && c != '\r') {
            return false;
        }
    }
    return true;
}

const CodePageTable* ScriptLexer::PairsAt(int line) const {
    if (m_codePages == nullptr) {
        return nullptr;
    }
    std::uint32_t codePage = kCodePageWestern;
    for (const auto& [from, page] : *m_codePages) {
        if (from > line) {
            break;
        }
        codePage = page;
    }
    return HasDoubleByteCharacters(codePage) ? FindCodePageTable(codePage) : nullptr;
}

std::string_view ScriptLexer::LastString() const {
    return m_text.substr(m_lastStringStart, m_lastStringEnd + 1 - m_lastStringStart);
}

bool ScriptLexer::EndsJustBefore(int line) const {
    return m_lastStringEnd != std::string_view::npos && m_lastStringLine == line && m_tokensSinceString <= 2 &&
           LastString().find('\\') != std::string_view::npos;
}

Token ScriptLexer::Scan() {
    ++m_tokensSinceString;
    SkipSpaceAndComments();
    Token token;
    token.line = m_line;
    if (m_pos >= m_text.size()) {
        return token;
    }
    const std::size_t start = m_pos;
    const char c = m_text[m_pos];
    const bool wide = (c == 'L' || c == 'l') && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '"';
    if (c == '"' || wide) {
        // A doubled quote stays inside the string, and a backslash takes the character after it along, as Windows'
        // compiler reads it: "C:\\" ends at its last quote, and \" (C++Builder's way) is a quote inside. A string
        // that would then not close on its line is read again without escapes, so "C:\" ends at its quote. A
        // string never spans lines.
        m_pos += wide ? 2 : 1;
        const std::size_t contentStart = m_pos;
        const CodePageTable* pairs = PairsAt(m_line);
        auto endsLine = [&](std::size_t at) { return m_text[at] == '\n' || m_text[at] == '\r'; };
        auto characterSize = [&](std::size_t at) { return pairs != nullptr ? CharacterSize(pairs, m_text, at) : 1; };
        bool escapes = true;
        while (true) {
            if (m_pos >= m_text.size() || endsLine(m_pos)) {
                if (escapes) {
                    escapes = false;
                    m_pos = contentStart;
                    continue;
                }
                throw ScriptError(token.line, Compose(msg::kQuotedTextNotClosed));
            }
            const char d = m_text[m_pos];
            if (d == '"') {
                if (m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '"') {
                    m_pos += 2;
                    continue;
                }
                break;
            }
            if (d == '\\' && escapes && m_pos + 1 < m_text.size() && !endsLine(m_pos + 1)) {
                m_pos += 1 + characterSize(m_pos + 1);
                continue;
            }
            m_pos += characterSize(m_pos);
        }
        m_lastStringStart = start;
        m_lastStringEnd = m_pos;
        m_lastStringLine = token.line;
        m_tokensSinceString = 0;
        token.kind = wide ? TokenKind::kWideString : TokenKind::kString;
        token.text = m_text.substr(contentStart, m_pos - contentStart);
        ++m_pos;
        return token;
    }
    std::size_t end = std::string_view::npos;
    if (c == '\'') {
        end = m_text.find_first_of("'\n", m_pos + 1);
        end = end != std::string_view::npos && m_text[end] == '\'' ? end : std::string_view::npos;
    }
    if (end != std::string_view::npos) {
        token.kind = TokenKind::kHexString;
        token.text = m_text.substr(m_pos + 1, end - m_pos - 1);
        m_pos = end + 1;
        return token;
    }
    if (IsDigit(c)) {
        while (m_pos < m_text.size() && (IsDigit(m_text[m_pos]) || IsAsciiAlpha(m_text[m_pos]))) {
            ++m_pos;
        }
        token.kind = TokenKind::kInteger;
    } else if (StartsIdentifier(c)) {
        while (m_pos < m_text.size() && ContinuesIdentifier(m_text[m_pos])) {
            ++m_pos;
        }
        token.kind = TokenKind::kIdentifier;
    } else {
        ++m_pos;
        token.kind = c == ','                 ? TokenKind::kComma
                     : c == '#'               ? TokenKind::kHash
                     : (c == '{' || c == '}') ? TokenKind::kBrace
                                              : TokenKind::kOther;
    }
    token.text = m_text.substr(start, m_pos - start);
    return token;
}

}  // namespace brcc
