// Statements whose data is written out in the script: user data blocks, Borland's hex lines, string tables and
// DLGINCLUDE.
#include <string>

#include "brcc32/byte_order.h"
#include "brcc32/script/parser.h"
#include "brcc32/script/strings.h"
#include "brcc32/script/syntax.h"

namespace brcc {
namespace {

constexpr std::uint16_t kStringTableFlags = kMemMoveable | kMemPure | kMemDiscardable;

}  // namespace

// Strings as bytes, numbers as 16-bit words or, with an L, 32-bit ones: the resource is the bytes written.
void ScriptParser::ParseUserData(const Token& typeToken, std::vector<std::uint8_t>& out) {
    const Token opening = m_lexer.Next();
    while (!TakeBlockEnd(opening, msg::kDataNotClosed, typeToken)) {
        const Token& next = m_lexer.Peek();
        if (next.kind == TokenKind::kString) {
            const Token text = m_lexer.Next();
            const std::string bytes = DecodeNarrowString(text.text, CodePageAt(text.line));
            out.insert(out.end(), bytes.begin(), bytes.end());
        } else if (next.kind == TokenKind::kHexString) {
            // Borland's hex lines read as they would for a bitmap.
            ParseHexLine(m_lexer.Next(), out);
        } else if (next.kind == TokenKind::kWideString) {
            PutUtf16(out, StringText(m_lexer.Next()), false);
        } else {
            const ScriptInteger value = ParseInteger(msg::kPartData);
            value.isLong ? PutU32(out, value.value) : PutU16(out, value.value);
        }
        if (m_lexer.Peek().kind == TokenKind::kComma) {
            m_lexer.Next();
        }
    }
}

// At the END or '}' that closes the block `opening` began: takes it. At the end of the script: refuses, naming the
// block by `before` and the upper-cased keyword `named`.
bool ScriptParser::TakeBlockEnd(const Token& opening, const MessageText& message, const Token& named) {
    const Token& next = m_lexer.Peek();
    if (IsBlockEnd(next)) {
        m_lexer.Next();
        return true;
    }
    if (next.kind == TokenKind::kEnd) {
        Refuse(opening, Compose(message, {ToUpperAscii(named.text)}));
    }
    return false;
}

// Borland's form: lines of quoted hex bytes that join into the bytes a file would hold.
void ScriptParser::ParseHexBlock(const Token& typeToken, ResourceStatement& statement) {
    const Token opening = m_lexer.Next();
    std::vector<std::uint8_t>& out = statement.data;
    while (true) {
        const Token token = m_lexer.Next();
        if (IsBlockEnd(token)) {
            break;
        }
        if (token.kind == TokenKind::kEnd) {
            Refuse(opening, Compose(msg::kDataNotClosed, {ToUpperAscii(typeToken.text)}));
        }
        if (token.kind != TokenKind::kHexString) {
            Refuse(token, Compose(msg::kHexLinesExpected, {ToUpperAscii(typeToken.text), Describe(token)}));
        }
        ParseHexLine(token, out);
    }
    statement.fileLine = opening.line;
    statement.file = "(" + ToUpperAscii(typeToken.text) + " data of line " + std::to_string(opening.line) + ")";
    statement.isInline = true;
}

void ScriptParser::ParseHexLine(const Token& token, std::vector<std::uint8_t>& out) {
    int high = -1;
    for (const char c : token.text) {
        if (c == ' ' || c == '\t') {
            continue;
        }
        const int digit = HexDigit(c);
        if (digit < 0) {
            Refuse(token, Compose(msg::kNotAHexDigit, {std::string(1, c)}));
        }
        if (high < 0) {
            high = digit;
        } else {
            out.push_back(static_cast<std::uint8_t>(high << 4 | digit));
            high = -1;
        }
    }
    if (high >= 0) {
        Refuse(token, Compose(msg::kOddHexDigits));
    }
}

void ScriptParser::ParseStringTable(const Token& keyword, ResourceStatement& statement) {
    statement.kind = ResourceKind::kStrings;
    statement.type = ResourceId::Ordinal(kTypeStringTable);
    statement.memoryFlags = kStringTableFlags;
    do {
        ParseMemoryFlags(statement);
    } while (ParseOptionalStatement(statement));
    const Token opening = ExpectBlockBegin(keyword, "STRINGTABLE");
    while (!TakeBlockEnd(opening, msg::kNamedBlockNotClosed, keyword)) {
        const Token& next = m_lexer.Peek();
        const int line = next.line;
        const ScriptInteger id = ParseInteger(msg::kPartStringId);
        if (id.value > kMaxId) {
            Refuse(next, Compose(msg::kStringIdRange, {std::to_string(id.value)}));
        }
        if (m_lexer.Peek().kind == TokenKind::kComma) {
            m_lexer.Next();
        }
        const Token text = m_lexer.Next();
        if (text.kind != TokenKind::kString && text.kind != TokenKind::kWideString) {
            Refuse(text.kind == TokenKind::kEnd ? keyword : text,
                   Compose(msg::kExpectedStringText, {std::to_string(id.value), Describe(text)}));
        }
        ResourceStatement::String string{static_cast<std::uint16_t>(id.value), line, StringText(text)};
        while (m_lexer.Peek().kind == TokenKind::kString || m_lexer.Peek().kind == TokenKind::kWideString) {
            string.text += StringText(m_lexer.Next());
        }
        // "text\0", written for the C string functions, is stored without its final NULs, as llvm-rc stores it.
        while (!string.text.empty() && string.text.back() == u'\0') {
            string.text.pop_back();
        }
        statement.strings.push_back(std::move(string));
    }
}

// DLGINCLUDE keeps the name of the header the dialog editor reads, not the header itself.
bool ScriptParser::ParseDlgInclude(const Token& typeToken, ResourceStatement& statement) {
    const Token name = m_lexer.Next();
    if (name.kind != TokenKind::kString) {
        Refuse(name.kind == TokenKind::kEnd ? typeToken : name, Compose(msg::kExpectedDlgInclude, {Describe(name)}));
    }
    const std::string text = DecodeNarrowString(name.text);
    statement.data.assign(text.begin(), text.end());
    statement.data.push_back(0);
    return true;
}

}  // namespace brcc
