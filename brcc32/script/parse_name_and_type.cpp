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

ResourceId ScriptParser::ParseName(const Token& token) {
    switch (token.kind) {
        case TokenKind::kInteger: {
            const Token& next = m_lexer.Peek();
            const bool joined =
                next.kind == TokenKind::kIdentifier && next.text.data() == token.text.data() + token.text.size();
            const std::optional<std::uint32_t> value = ParseScriptInteger(token.text);
            const bool hasLetters =
                std::any_of(token.text.begin(), token.text.end() - 1,
                            [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }) ||
                !(token.text.back() == 'L' || token.text.back() == 'l' ||
                  (token.text.back() >= '0' && token.text.back() <= '9'));
            const bool isHex = token.text.size() > 1 && (token.text[1] == 'x' || token.text[1] == 'X');
            if (joined || (!value && hasLetters && !isHex)) {
                const std::string whole(token.text.data(), joined
                                                               ? next.text.data() + next.text.size() - token.text.data()
                                                               : token.text.size());
                Refuse(token, Compose(msg::kNameStartsWithDigits, {whole}));
            }
            if (!value) {
                Refuse(token, Compose(msg::kNotAValidNumber, {token.text}));
            }
            if (*value > kMaxId) {
                Refuse(token, Compose(msg::kResourceIdRange, {token.text}));
            }
            return ResourceId::Ordinal(static_cast<std::uint16_t>(*value));
        }
        case TokenKind::kIdentifier:
            return ResourceId::Text(ToUpperAscii(token.text));
        case TokenKind::kString:
        case TokenKind::kWideString:
            Refuse(token, Compose(msg::kQuotedName));
        default:
            Refuse(token, Compose(msg::kExpectedName, {Describe(token)}));
    }
}

// The type sets the kind of statement and its default memory flags; a number or an unknown name is a raw resource.
const ScriptParser::StatementKind& ScriptParser::ParseType(const Token& token, ResourceStatement& statement) {
    RefuseHash(token);
    if (token.kind == TokenKind::kEnd) {
        Refuse(token, Compose(msg::kExpectedTypeAtEnd));
    }
    if (token.kind == TokenKind::kString || token.kind == TokenKind::kWideString) {
        Refuse(token, Compose(msg::kQuotedType));
    }
    statement.memoryFlags = kOtherFlags;
    if (token.kind == TokenKind::kInteger) {
        const std::optional<std::uint32_t> value = ParseScriptInteger(token.text);
        if (!value) {
            Refuse(token, Compose(msg::kNotAValidNumber, {token.text}));
        }
        if (*value > kMaxId) {
            Refuse(token, Compose(msg::kResourceTypeRange, {token.text}));
        }
        statement.type = ResourceId::Ordinal(static_cast<std::uint16_t>(*value));
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
