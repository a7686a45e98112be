// What every resource statement starts with: its name, its type, its memory flags, and LANGUAGE, VERSION and
// CHARACTERISTICS.
#include <algorithm>

#include "brcc32/script/parser.h"
#include "brcc32/script/statement_kinds.h"
#include "brcc32/script/syntax.h"

namespace brcc {
namespace {

constexpr std::uint32_t kMaxPrimaryLanguage = 0x3FF;
constexpr std::uint32_t kMaxSubLanguage = 0x3F;
constexpr int kSubLanguageShift = 10;

}  // namespace

void ScriptParser::ParseLanguage(const Token& keyword, std::uint16_t& language) {
    const ScriptInteger primary = ParseInteger(msg::kPartPrimaryLanguage);
    const Token comma = m_lexer.Next();
    if (comma.kind != TokenKind::kComma) {
        Refuse(comma.kind == TokenKind::kEnd || comma.line != keyword.line ? keyword : comma,
               Compose(msg::kExpectedLanguageComma, {Describe(comma)}));
    }
    const ScriptInteger sub = ParseInteger(msg::kPartSubLanguage);
    if (primary.value > kMaxPrimaryLanguage) {
        Refuse(keyword, Compose(msg::kPrimaryLanguageRange,
                                {std::to_string(primary.value), std::to_string(kMaxPrimaryLanguage)}));
    }
    if (sub.value > kMaxSubLanguage) {
        Refuse(keyword, Compose(msg::kSubLanguageRange, {std::to_string(sub.value), std::to_string(kMaxSubLanguage)}));
    }
    language = static_cast<std::uint16_t>(primary.value | (sub.value << kSubLanguageShift));
}

bool ScriptParser::ParseOptionalStatement(ResourceStatement& statement) {
    const Token& token = m_lexer.Peek();
    if (IsWord(token, "LANGUAGE")) {
        const Token keyword = m_lexer.Next();
        ParseLanguage(keyword, statement.language);
    } else if (IsWord(token, "VERSION")) {
        m_lexer.Next();
        statement.version = ParseInteger("VERSION").value;
    } else if (IsWord(token, "CHARACTERISTICS")) {
        m_lexer.Next();
        statement.characteristics = ParseInteger("CHARACTERISTICS").value;
    } else {
        return false;
    }
    return true;
}

ResourceId ScriptParser::ParseName(const Token& first) {
    const Token token = m_lexer.TakeLiteral(first);
    switch (token.kind) {
        case TokenKind::kInteger:
            if (IsDigitLedName(token.text)) {
                return DigitLedName(token);
            }
            return ResourceId::Ordinal(static_cast<std::uint16_t>(ParseId(token, msg::kResourceIdRange)));
        case TokenKind::kIdentifier:
            return ResourceId::Text(ToUpperAscii(token.text));
        case TokenKind::kString:
        case TokenKind::kWideString:
            return QuotedId(token);
        default:
            Refuse(token, Compose(msg::kExpectedName, {Describe(token)}));
    }
}

// Quoted, a name or a type may hold any character the code page gives, even a keyword's spelling or a number's. Its
// letters a-z are upper-cased, as for an identifier: Windows looks names up in upper case, and GNU windres reads
// them so. Only a letter written as an escape stays lower-case, which is how a name stored so is written back. A
// name ends at its first zero character when stored, so none may be inside.
ResourceId ScriptParser::QuotedId(const Token& token) {
    const std::u16string text = StringText(token, Letters::kUpperCased);
    if (text.empty() || text.find(u'\0') != std::u16string::npos) {
        Refuse(token, Compose(msg::kEmptyQuotedName));
    }
    return ResourceId::Text(text);
}

std::uint32_t ScriptParser::ParseId(const Token& token, const MessageText& range) {
    const std::optional<std::uint32_t> value = ParseScriptInteger(token.text);
    if (!value) {
        Refuse(token, Compose(msg::kNotAValidNumber, {token.text}));
    }
    if (*value > kMaxId) {
        Refuse(token, Compose(range, {token.text}));
    }
    return *value;
}

// Digits then anything but digits, an L or a 0x prefix: Windows' compiler reads a name there (1ABC, 10_DevCpp).
bool ScriptParser::IsDigitLedName(std::string_view text) {
    const bool isHex = text.size() > 1 && (text[1] == 'x' || text[1] == 'X');
    const std::string_view digits = text.ends_with('L') || text.ends_with('l') ? text.substr(0, text.size() - 1) : text;
    return !isHex && digits.find_first_not_of("0123456789") != std::string_view::npos;
}

ResourceId ScriptParser::DigitLedName(const Token& token) {
    const std::string name = ToUpperAscii(token.text);
    Warn(token.line, Compose(msg::kNameStartsWithDigits, {token.text, name}));
    return ResourceId::Text(name);
}

// The type sets the kind of statement and its default memory flags; a number or an unknown name is a raw resource.
const ScriptParser::StatementKind& ScriptParser::ParseType(const Token& token, ResourceStatement& statement) {
    RefuseHash(token);
    if (token.kind == TokenKind::kEnd) {
        Refuse(token, Compose(msg::kExpectedTypeAtEnd));
    }
    statement.memoryFlags = kOtherFlags;
    if (token.kind == TokenKind::kString || token.kind == TokenKind::kWideString) {
        statement.type = QuotedId(token);
        return CustomStatementKind();
    }
    if (token.kind == TokenKind::kInteger) {
        statement.type = IsDigitLedName(token.text)
                             ? DigitLedName(token)
                             : ResourceId::Ordinal(static_cast<std::uint16_t>(ParseId(token, msg::kResourceTypeRange)));
        return CustomStatementKind();
    }
    if (token.kind != TokenKind::kIdentifier || IsWord(token, "BEGIN") || IsWord(token, "END")) {
        Refuse(token, Compose(msg::kExpectedType, {Describe(token)}));
    }
    const StatementKind* kind = FindStatementKind(token.text);
    if (kind == nullptr) {
        statement.type = ResourceId::Text(ToUpperAscii(token.text));
        return CustomStatementKind();
    }
    statement.kind = kind->kind;
    statement.type = ResourceId::Ordinal(kind->type);
    statement.memoryFlags = kind->memoryFlags;
    return *kind;
}

void ScriptParser::ParseMemoryFlags(ResourceStatement& statement) {
    std::uint16_t& flags = statement.memoryFlags;
    while (m_lexer.Peek().kind == TokenKind::kIdentifier) {
        const std::string_view word = m_lexer.Peek().text;
        if (EqualsNoCase(word, "PRELOAD")) {
            flags |= kMemPreload;
        } else if (EqualsNoCase(word, "LOADONCALL")) {
            flags &= ~kMemPreload;
        } else if (EqualsNoCase(word, "FIXED")) {
            flags &= ~(kMemMoveable | kMemDiscardable);
        } else if (EqualsNoCase(word, "MOVEABLE")) {
            flags |= kMemMoveable;
        } else if (EqualsNoCase(word, "DISCARDABLE")) {
            flags |= kMemDiscardable | kMemMoveable | kMemPure;
        } else if (EqualsNoCase(word, "PURE")) {
            flags |= kMemPure;
        } else if (EqualsNoCase(word, "IMPURE")) {
            flags &= ~(kMemPure | kMemDiscardable);
        } else {
            return;
        }
        m_lexer.Next();
    }
}

}  // namespace brcc
