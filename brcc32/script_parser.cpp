// Parser of the one-line resource language, refusing the rest of the resource language by name.
#include "brcc32/script_parser.h"

#include <algorithm>
#include <array>

#include "brcc32/script_error.h"

namespace brcc {
namespace {

constexpr std::uint32_t kMaxId = 0xFFFF;
constexpr std::uint32_t kMaxPrimaryLanguage = 0x3FF;
constexpr std::uint32_t kMaxSubLanguage = 0x3F;
constexpr int kSubLanguageShift = 10;
constexpr std::uint16_t kIconImageFlags = kMemMoveable | kMemDiscardable;
constexpr std::uint16_t kOtherFlags = kMemMoveable | kMemPure;

// Statements of the full resource language that need more than one line, or a preprocessor.
constexpr std::array<std::string_view, 16> kRefusedTypes = {
    "STRINGTABLE",  "DIALOG", "DIALOGEX",  "MENU",    "MENUEX",   "VERSIONINFO", "ACCELERATORS", "FONT",
    "MESSAGETABLE", "HTML",   "ANICURSOR", "ANIICON", "PLUGPLAY", "VXD",         "DLGINCLUDE",   "TEXTINCLUDE"};
constexpr std::array<std::string_view, 3> kRefusedStatements = {"STRINGTABLE", "CHARACTERISTICS", "VERSION"};

char ToUpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string ToUpperAscii(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) { return ToUpperAscii(c); });
    return upper;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return ToUpperAscii(x) == ToUpperAscii(y); });
}

template <std::size_t N>
bool IsOneOf(std::string_view word, const std::array<std::string_view, N>& words) {
    return std::any_of(words.begin(), words.end(), [word](std::string_view w) { return EqualsNoCase(word, w); });
}

std::string Enclose(std::string_view before, std::string_view text, std::string_view after) {
    std::string result;
    result.reserve(before.size() + text.size() + after.size());
    result.append(before).append(text).append(after);
    return result;
}

std::string Describe(const Token& token) {
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

[[noreturn]] void Refuse(const Token& token, const std::string& message) { throw ScriptError(token.m_line, message); }

// Tokens that cannot start or continue a one-line resource get a message naming what they are.
void RefuseStructure(const Token& token) {
    if (token.m_kind == TokenKind::kHash) {
        Refuse(token, "preprocessor lines ('#...') are not supported; list each resource as NAME TYPE file");
    }
    if (token.m_kind == TokenKind::kBrace) {
        Refuse(token, "blocks ('{ ... }') are not supported; a resource takes its data from a file");
    }
    if (token.m_kind == TokenKind::kIdentifier &&
        (EqualsNoCase(token.m_text, "BEGIN") || EqualsNoCase(token.m_text, "END"))) {
        Refuse(token, "blocks (BEGIN ... END) are not supported; a resource takes its data from a file");
    }
}

}  // namespace

std::optional<std::uint32_t> ParseScriptInteger(std::string_view text) {
    if (!text.empty() && (text.back() == 'L' || text.back() == 'l')) {
        text.remove_suffix(1);
    }
    unsigned base = 10;
    if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    } else if (text.size() > 1 && text[0] == '0') {
        base = 8;
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : text) {
        unsigned digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<unsigned>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<unsigned>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<unsigned>(c - 'A' + 10);
        } else {
            return std::nullopt;
        }
        if (digit >= base) {
            return std::nullopt;
        }
        value = value * base + digit;
        if (value > 0xFFFFFFFFu) {
            return std::nullopt;
        }
    }
    return static_cast<std::uint32_t>(value);
}

ScriptParser::ScriptParser(std::string_view text) : m_text(text), m_lexer(text) {}

std::optional<ResourceStatement> ScriptParser::Next() {
    while (true) {
        const Token first = m_lexer.Next();
        if (first.m_kind == TokenKind::kEnd) {
            return std::nullopt;
        }
        RefuseStructure(first);
        if (first.m_kind == TokenKind::kIdentifier && EqualsNoCase(first.m_text, "LANGUAGE")) {
            ParseLanguage(first);
            continue;
        }
        if (first.m_kind == TokenKind::kIdentifier && IsOneOf(first.m_text, kRefusedStatements)) {
            Refuse(first, ToUpperAscii(first.m_text) + " is not supported; list each resource as NAME TYPE file");
        }
        ResourceStatement statement;
        statement.m_name = ParseName(first);
        statement.m_nameLine = first.m_line;
        statement.m_language = m_language;
        Token typeToken = m_lexer.Next();
        if (typeToken.m_kind == TokenKind::kEnd) {
            typeToken.m_line = first.m_line;
        }
        ParseType(typeToken, statement);
        ParseMemoryFlags(statement);
        ParseFile(typeToken, statement);
        return statement;
    }
}

void ScriptParser::ParseLanguage(const Token& keyword) {
    const std::uint16_t primary = ParseLanguagePart("primary language", kMaxPrimaryLanguage);
    const Token comma = m_lexer.Next();
    if (comma.m_kind != TokenKind::kComma) {
        Refuse(comma.m_kind == TokenKind::kEnd || comma.m_line != keyword.m_line ? keyword : comma,
               "expected ',' between the two numbers of LANGUAGE, found " + Describe(comma));
    }
    const std::uint16_t sub = ParseLanguagePart("sublanguage", kMaxSubLanguage);
    m_language = static_cast<std::uint16_t>(primary | (sub << kSubLanguageShift));
}

std::uint16_t ScriptParser::ParseLanguagePart(std::string_view what, std::uint32_t limit) {
    const Token token = m_lexer.Next();
    if (token.m_kind != TokenKind::kInteger) {
        Refuse(token, "expected a number for the " + std::string(what) + " of LANGUAGE, found " + Describe(token));
    }
    const std::optional<std::uint32_t> value = ParseScriptInteger(token.m_text);
    if (!value) {
        Refuse(token, "'" + std::string(token.m_text) + "' is not a valid number");
    }
    if (*value > limit) {
        Refuse(token, "the " + std::string(what) + " " + std::string(token.m_text) + " is out of range (0-" +
                          std::to_string(limit) + ")");
    }
    return static_cast<std::uint16_t>(*value);
}

ResourceId ScriptParser::ParseName(const Token& token) {
    switch (token.m_kind) {
        case TokenKind::kInteger: {
            const std::optional<std::uint32_t> value = ParseScriptInteger(token.m_text);
            if (!value) {
                Refuse(token, "'" + std::string(token.m_text) + "' is not a valid number");
            }
            if (*value > kMaxId) {
                Refuse(token, "the resource id " + std::string(token.m_text) + " is out of range (0-65535)");
            }
            return ResourceId::Ordinal(static_cast<std::uint16_t>(*value));
        }
        case TokenKind::kIdentifier:
            return ResourceId::Text(ToUpperAscii(token.m_text));
        case TokenKind::kString:
        case TokenKind::kWideString:
            Refuse(token, "a quoted resource name is not supported; write the name without quotes");
        default:
            Refuse(token, "expected a resource name (a number or an identifier), found " + Describe(token));
    }
}

void ScriptParser::ParseType(const Token& token, ResourceStatement& statement) {
    RefuseStructure(token);
    if (token.m_kind == TokenKind::kEnd) {
        Refuse(token, "expected a resource type after the name, found the end of the script");
    }
    if (token.m_kind == TokenKind::kString || token.m_kind == TokenKind::kWideString) {
        Refuse(token, "a quoted resource type is not supported; write the type without quotes");
    }
    statement.m_memoryFlags = kOtherFlags;
    if (token.m_kind == TokenKind::kInteger) {
        const std::optional<std::uint32_t> value = ParseScriptInteger(token.m_text);
        if (!value) {
            Refuse(token, "'" + std::string(token.m_text) + "' is not a valid number");
        }
        if (*value > kMaxId) {
            Refuse(token, "the resource type " + std::string(token.m_text) + " is out of range (0-65535)");
        }
        statement.m_type = ResourceId::Ordinal(static_cast<std::uint16_t>(*value));
        return;
    }
    if (token.m_kind != TokenKind::kIdentifier) {
        Refuse(token, "expected a resource type (a number or an identifier), found " + Describe(token));
    }
    const std::string upper = ToUpperAscii(token.m_text);
    if (IsOneOf(upper, kRefusedTypes)) {
        Refuse(token, upper +
                          " resources are not supported; this compiler takes ICON, CURSOR, BITMAP, RCDATA "
                          "and user types, each read from a file");
    }
    if (upper == "ICON" || upper == "CURSOR") {
        statement.m_kind = upper == "ICON" ? ResourceKind::kIcon : ResourceKind::kCursor;
        statement.m_type = ResourceId::Ordinal(upper == "ICON" ? kTypeGroupIcon : kTypeGroupCursor);
        statement.m_memoryFlags = kIconImageFlags;
    } else if (upper == "BITMAP") {
        statement.m_kind = ResourceKind::kBitmap;
        statement.m_type = ResourceId::Ordinal(kTypeBitmap);
    } else if (upper == "RCDATA") {
        statement.m_type = ResourceId::Ordinal(kTypeRcData);
    } else {
        statement.m_type = ResourceId::Text(upper);
    }
}

void ScriptParser::ParseMemoryFlags(ResourceStatement& statement) {
    std::uint16_t& flags = statement.m_memoryFlags;
    while (m_lexer.Peek().m_kind == TokenKind::kIdentifier) {
        const std::string_view word = m_lexer.Peek().m_text;
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

void ScriptParser::ParseFile(const Token& typeToken, ResourceStatement& statement) {
    const Token token = m_lexer.Next();
    RefuseStructure(token);
    if (token.m_kind == TokenKind::kWideString) {
        Refuse(token, "a wide file name (L\"...\") is not supported; write \"file\"");
    }
    if (token.m_kind != TokenKind::kIdentifier && token.m_kind != TokenKind::kString) {
        const Token& where = token.m_kind == TokenKind::kEnd ? typeToken : token;
        Refuse(where, "expected a file name after " + ToUpperAscii(typeToken.m_text) + ", found " + Describe(token));
    }
    if (token.m_kind == TokenKind::kIdentifier && EqualsNoCase(token.m_text, "LANGUAGE")) {
        Refuse(token, "LANGUAGE must be a line of its own before the resources it applies to");
    }
    const std::size_t begin = static_cast<std::size_t>(token.m_text.data() - m_text.data());
    const std::size_t end = begin + token.m_text.size();
    constexpr std::string_view kSpace = " \t\r\n\v\f";
    if (token.m_kind == TokenKind::kIdentifier && end < m_text.size() && kSpace.find(m_text[end]) == kSpace.npos) {
        // Unquoted, a name such as my-icon.ico would end at the '-': say so rather than look for 'my'.
        const std::string_view whole = m_text.substr(begin, m_text.find_first_of(kSpace, end) - begin);
        Refuse(token,
               "a file name with characters other than letters, digits, '_', '.', '/' and '\\' must be "
               "quoted: write \"" +
                   std::string(whole) + "\"");
    }
    if (token.m_text.empty()) {
        Refuse(token, "the file name is empty");
    }
    if (token.m_text.find('"') != std::string_view::npos) {
        Refuse(token, "a file name cannot contain a quote");
    }
    statement.m_file = std::string(token.m_text);
    statement.m_fileLine = token.m_line;
}

}  // namespace brcc
