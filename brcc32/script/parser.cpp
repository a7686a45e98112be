// Parser of the resource statements; each kind of statement has its own member, so that more slot in beside them.
#include "brcc32/script/parser.h"

#include <algorithm>
#include <array>

#include "brcc32/script/strings.h"
#include "brcc32/script/syntax.h"
#include "brcc32/script_error.h"
#include "brcc32/text/code_page.h"

namespace brcc {
namespace {

constexpr std::uint32_t kMaxId = 0xFFFF;
constexpr std::uint32_t kMaxPrimaryLanguage = 0x3FF;
constexpr std::uint32_t kMaxSubLanguage = 0x3F;
constexpr int kSubLanguageShift = 10;
constexpr std::uint16_t kIconImageFlags = kMemMoveable | kMemDiscardable;
constexpr std::uint16_t kOtherFlags = kMemMoveable | kMemPure;

// Statements of the resource language that this compiler does not take yet.
struct TypeKeyword {
    std::string_view m_word;
    std::uint16_t m_ordinal;
    ResourceKind m_kind;
    std::uint16_t m_memoryFlags;
};

// Types known by name, beyond ICON, CURSOR and BITMAP; kData ones are read from a block of their own form.
constexpr std::array<TypeKeyword, 15> kTypeKeywords = {{
    {"RCDATA", kTypeRcData, ResourceKind::kRaw, kMemMoveable | kMemPure},
    {"HTML", 23, ResourceKind::kRaw, kMemMoveable | kMemPure},
    {"VERSIONINFO", kTypeVersionInfo, ResourceKind::kData, kMemMoveable | kMemPure},
    {"DIALOG", 5, ResourceKind::kData, kMemMoveable | kMemPure | kMemDiscardable},
    {"DIALOGEX", 5, ResourceKind::kData, kMemMoveable | kMemPure | kMemDiscardable},
    {"MENU", 4, ResourceKind::kData, kMemMoveable | kMemPure | kMemDiscardable},
    {"MENUEX", 4, ResourceKind::kData, kMemMoveable | kMemPure | kMemDiscardable},
    {"ACCELERATORS", 9, ResourceKind::kData, kMemMoveable | kMemPure},
    {"DLGINCLUDE", 17, ResourceKind::kData, kMemMoveable | kMemPure},
    {"MESSAGETABLE", 11, ResourceKind::kRaw, kMemMoveable | kMemPure},
    {"FONT", kTypeFont, ResourceKind::kRaw, kMemMoveable | kMemPure | kMemDiscardable},
    {"PLUGPLAY", 19, ResourceKind::kRaw, kMemMoveable | kMemPure},
    {"VXD", 20, ResourceKind::kRaw, kMemMoveable | kMemPure},
    {"ANICURSOR", 21, ResourceKind::kRaw, kMemMoveable | kMemPure},
    {"ANIICON", 22, ResourceKind::kRaw, kMemMoveable | kMemPure},
}};
constexpr std::uint16_t kStringTableFlags = kMemMoveable | kMemPure | kMemDiscardable;
constexpr std::uint32_t kFixedFileInfoSignature = 0xFEEF04BD;
constexpr std::uint32_t kFixedFileInfoVersion = 0x00010000;
constexpr std::size_t kFixedFileInfoSize = 52;

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

ScriptParser::ScriptParser(std::string_view text, CodePageChanges codePages)
    : m_text(text), m_lexer(text), m_codePages(std::move(codePages)) {}

std::uint32_t ScriptParser::CodePageAt(int line) const {
    std::uint32_t codePage = kCodePageWestern;
    for (const auto& [from, page] : m_codePages) {
        if (from > line) {
            break;
        }
        codePage = page;
    }
    return codePage;
}

std::optional<ResourceStatement> ScriptParser::Next() {
    while (true) {
        const Token first = m_lexer.Next();
        if (first.m_kind == TokenKind::kEnd) {
            return std::nullopt;
        }
        RefuseHash(first);
        if (IsWord(first, "LANGUAGE")) {
            ParseLanguage(first, m_language);
            continue;
        }
        ResourceStatement statement;
        statement.m_language = m_language;
        statement.m_nameLine = first.m_line;
        if (IsWord(first, "STRINGTABLE")) {
            ParseStringTable(first, statement);
            return statement;
        }
        if (IsWord(first, "CHARACTERISTICS") || IsWord(first, "VERSION")) {
            Refuse(first, ToUpperAscii(first.m_text) +
                              " belongs to one resource: write it after the resource's type, before its data");
        }
        if (IsBlockBegin(first) || IsWord(first, "END") || IsChar(first, '}')) {
            Refuse(first, "a block (" + std::string(first.m_text) + ") must follow a resource's type");
        }
        statement.m_name = ParseName(first);
        Token typeToken = m_lexer.Next();
        if (typeToken.m_kind == TokenKind::kEnd) {
            typeToken.m_line = first.m_line;
        }
        ParseType(typeToken, statement);
        if (statement.m_kind == ResourceKind::kData) {
            const std::string type = ToUpperAscii(typeToken.m_text);
            if (type == "VERSIONINFO") {
                ParseVersionInfo(typeToken, statement);
                return statement;
            }
            ParseMemoryFlags(statement);
            if (type == "DIALOG" || type == "DIALOGEX") {
                ParseDialog(typeToken, statement, type == "DIALOGEX");
            } else if (type == "MENU" || type == "MENUEX") {
                ParseMenu(typeToken, statement, type == "MENUEX");
            } else if (type == "ACCELERATORS") {
                ParseAccelerators(typeToken, statement);
            } else {
                // DLGINCLUDE keeps the name of the header the dialog editor reads, not the header itself.
                const Token name = m_lexer.Next();
                if (name.m_kind != TokenKind::kString) {
                    Refuse(name.m_kind == TokenKind::kEnd ? typeToken : name,
                           "expected the quoted name of a header after DLGINCLUDE, found " + Describe(name));
                }
                const std::string text = DecodeNarrowString(name.m_text);
                statement.m_data.assign(text.begin(), text.end());
                statement.m_data.push_back(0);
            }
            return statement;
        }
        ParseMemoryFlags(statement);
        if (statement.m_type == ResourceId::Text("DESIGNINFO") && IsBlockBegin(m_lexer.Peek())) {
            SkipBlock(typeToken);  // guides of the dialog editor, of no use to the program
            continue;
        }
        if (statement.m_kind != ResourceKind::kRaw && IsBlockBegin(m_lexer.Peek())) {
            ParseHexBlock(typeToken, statement);
            return statement;
        }
        if (statement.m_kind == ResourceKind::kRaw) {
            while (ParseOptionalStatement(statement)) {
            }
            if (IsBlockBegin(m_lexer.Peek())) {
                ParseUserData(typeToken, statement);
                return statement;
            }
        }
        ParseFile(typeToken, statement);
        return statement;
    }
}

void ScriptParser::ParseLanguage(const Token& keyword, std::uint16_t& language) {
    const ScriptInteger primary = ParseInteger("primary language of LANGUAGE");
    const Token comma = m_lexer.Next();
    if (comma.m_kind != TokenKind::kComma) {
        Refuse(comma.m_kind == TokenKind::kEnd || comma.m_line != keyword.m_line ? keyword : comma,
               "expected ',' between the two numbers of LANGUAGE, found " + Describe(comma));
    }
    const ScriptInteger sub = ParseInteger("sublanguage of LANGUAGE");
    if (primary.m_value > kMaxPrimaryLanguage) {
        Refuse(keyword, "the primary language " + std::to_string(primary.m_value) + " is out of range (0-" +
                            std::to_string(kMaxPrimaryLanguage) + ")");
    }
    if (sub.m_value > kMaxSubLanguage) {
        Refuse(keyword, "the sublanguage " + std::to_string(sub.m_value) + " is out of range (0-" +
                            std::to_string(kMaxSubLanguage) + ")");
    }
    language = static_cast<std::uint16_t>(primary.m_value | (sub.m_value << kSubLanguageShift));
}

bool ScriptParser::ParseOptionalStatement(ResourceStatement& statement) {
    const Token& token = m_lexer.Peek();
    if (IsWord(token, "LANGUAGE")) {
        const Token keyword = m_lexer.Next();
        ParseLanguage(keyword, statement.m_language);
    } else if (IsWord(token, "VERSION")) {
        m_lexer.Next();
        statement.m_version = ParseInteger("VERSION").m_value;
    } else if (IsWord(token, "CHARACTERISTICS")) {
        m_lexer.Next();
        statement.m_characteristics = ParseInteger("CHARACTERISTICS").m_value;
    } else {
        return false;
    }
    return true;
}

ScriptInteger ScriptParser::ParseInteger(std::string_view what) { return ParseSum(what).m_integer; }

// Binary operators have one precedence and apply left to right, as Windows' resource compiler reads them.
ScriptParser::MaskedInteger ScriptParser::ParseSum(std::string_view what) {
    MaskedInteger result = ParseTerm(what);
    while (true) {
        const Token& op = m_lexer.Peek();
        if (!IsChar(op, '+') && !IsChar(op, '-') && !IsChar(op, '|') && !IsChar(op, '&')) {
            return result;
        }
        const char c = m_lexer.Next().m_text[0];
        const MaskedInteger right = ParseTerm(what);
        std::uint32_t& value = result.m_integer.m_value;
        value &= ~right.m_notMask;
        switch (c) {
            case '+':
                value += right.m_integer.m_value;
                break;
            case '-':
                value -= right.m_integer.m_value;
                break;
            case '|':
                value |= right.m_integer.m_value;
                break;
            default:
                value &= right.m_integer.m_value;
                break;
        }
        result.m_notMask |= right.m_notMask;
        result.m_integer.m_isLong = result.m_integer.m_isLong || right.m_integer.m_isLong;
    }
}

ScriptParser::MaskedInteger ScriptParser::ParseTerm(std::string_view what) {
    const Token token = m_lexer.Next();
    if (IsChar(token, '-')) {
        MaskedInteger result = ParseTerm(what);
        result.m_integer.m_value = 0u - result.m_integer.m_value;
        return result;
    }
    if (IsChar(token, '~')) {
        MaskedInteger result = ParseTerm(what);
        result.m_integer.m_value = ~result.m_integer.m_value;
        result.m_notMask = 0;
        return result;
    }
    if (IsWord(token, "NOT")) {
        const MaskedInteger operand = ParseTerm(what);
        return MaskedInteger{ScriptInteger{0, operand.m_integer.m_isLong}, operand.m_integer.m_value};
    }
    if (IsChar(token, '(')) {
        const MaskedInteger result = ParseSum(what);
        const Token close = m_lexer.Next();
        if (!IsChar(close, ')')) {
            Refuse(close.m_kind == TokenKind::kEnd ? token : close,
                   "expected ')' in the " + std::string(what) + ", found " + Describe(close));
        }
        return result;
    }
    if (token.m_kind == TokenKind::kInteger) {
        const std::optional<std::uint32_t> value = ParseScriptInteger(token.m_text);
        if (!value) {
            Refuse(token, "'" + std::string(token.m_text) + "' is not a valid number");
        }
        const char last = token.m_text.back();
        return MaskedInteger{ScriptInteger{*value, last == 'L' || last == 'l'}, 0};
    }
    if (token.m_kind == TokenKind::kIdentifier) {
        Refuse(token, "expected a number for the " + std::string(what) + ", found '" + std::string(token.m_text) +
                          "' (a name that no #define or included header defines)");
    }
    Refuse(token, "expected a number for the " + std::string(what) + ", found " + Describe(token));
}

ResourceId ScriptParser::ParseName(const Token& token) {
    switch (token.m_kind) {
        case TokenKind::kInteger: {
            const Token& next = m_lexer.Peek();
            const bool joined = next.m_kind == TokenKind::kIdentifier &&
                                next.m_text.data() == token.m_text.data() + token.m_text.size();
            const std::optional<std::uint32_t> value = ParseScriptInteger(token.m_text);
            const bool hasLetters =
                std::any_of(token.m_text.begin(), token.m_text.end() - 1,
                            [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }) ||
                !(token.m_text.back() == 'L' || token.m_text.back() == 'l' ||
                  (token.m_text.back() >= '0' && token.m_text.back() <= '9'));
            const bool isHex = token.m_text.size() > 1 && (token.m_text[1] == 'x' || token.m_text[1] == 'X');
            if (joined || (!value && hasLetters && !isHex)) {
                const std::string whole(
                    token.m_text.data(),
                    joined ? next.m_text.data() + next.m_text.size() - token.m_text.data() : token.m_text.size());
                Refuse(token, "the name '" + whole +
                                  "' starts with digits: a resource name is a number, or a name that starts with a "
                                  "letter or '_'");
            }
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
    RefuseHash(token);
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
    if (token.m_kind != TokenKind::kIdentifier || IsWord(token, "BEGIN") || IsWord(token, "END")) {
        Refuse(token, "expected a resource type (a number or an identifier), found " + Describe(token));
    }
    const std::string upper = ToUpperAscii(token.m_text);
    if (upper == "ICON" || upper == "CURSOR") {
        statement.m_kind = upper == "ICON" ? ResourceKind::kIcon : ResourceKind::kCursor;
        statement.m_type = ResourceId::Ordinal(upper == "ICON" ? kTypeGroupIcon : kTypeGroupCursor);
        statement.m_memoryFlags = kIconImageFlags;
        return;
    }
    if (upper == "BITMAP") {
        statement.m_kind = ResourceKind::kBitmap;
        statement.m_type = ResourceId::Ordinal(kTypeBitmap);
        return;
    }
    for (const TypeKeyword& keyword : kTypeKeywords) {
        if (upper == keyword.m_word) {
            statement.m_kind = keyword.m_kind;
            statement.m_type = ResourceId::Ordinal(keyword.m_ordinal);
            statement.m_memoryFlags = keyword.m_memoryFlags;
            return;
        }
    }
    statement.m_type = ResourceId::Text(upper);
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
    RefuseHash(token);
    if (token.m_kind == TokenKind::kWideString) {
        Refuse(token, "a wide file name (L\"...\") is not supported; write \"file\"");
    }
    if (token.m_kind != TokenKind::kIdentifier && token.m_kind != TokenKind::kString) {
        const Token& where = token.m_kind == TokenKind::kEnd ? typeToken : token;
        Refuse(where, "expected a file name after " + ToUpperAscii(typeToken.m_text) + ", found " + Describe(token));
    }
    if (IsWord(token, "LANGUAGE")) {
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

void ScriptParser::SkipBlock(const Token& typeToken) {
    const Token opening = m_lexer.Next();
    int depth = 1;
    while (depth > 0) {
        const Token token = m_lexer.Next();
        if (token.m_kind == TokenKind::kEnd) {
            Refuse(opening, "the block of " + ToUpperAscii(typeToken.m_text) + " is not closed with END or '}'");
        }
        depth += IsBlockBegin(token) ? 1 : IsBlockEnd(token) ? -1 : 0;
    }
}

Token ScriptParser::ExpectBlockBegin(const Token& after, std::string_view what) {
    const Token token = m_lexer.Next();
    if (!IsBlockBegin(token)) {
        Refuse(token.m_kind == TokenKind::kEnd ? after : token,
               "expected BEGIN or '{' to open " + std::string(what) + ", found " + Describe(token));
    }
    return token;
}

bool ScriptParser::IsBlockEnd(const Token& token) const { return IsChar(token, '}') || IsWord(token, "END"); }

std::u16string ScriptParser::StringText(const Token& token) {
    const std::uint32_t codePage = CodePageAt(token.m_line);
    if (token.m_kind == TokenKind::kWideString) {
        return DecodeWideString(token.m_text, codePage);
    }
    return ToUtf16(DecodeNarrowString(token.m_text), codePage);
}

// Strings as bytes, numbers as 16-bit words or, with an L, 32-bit ones: the resource is the bytes written.
void ScriptParser::ParseUserData(const Token& typeToken, ResourceStatement& statement) {
    const Token opening = m_lexer.Next();
    statement.m_kind = ResourceKind::kData;
    std::vector<std::uint8_t>& out = statement.m_data;
    while (true) {
        const Token& next = m_lexer.Peek();
        if (IsBlockEnd(next)) {
            m_lexer.Next();
            return;
        }
        if (next.m_kind == TokenKind::kEnd) {
            Refuse(opening, "the data of " + ToUpperAscii(typeToken.m_text) + " is not closed with END or '}'");
        }
        if (next.m_kind == TokenKind::kString) {
            const std::string bytes = DecodeNarrowString(m_lexer.Next().m_text);
            out.insert(out.end(), bytes.begin(), bytes.end());
        } else if (next.m_kind == TokenKind::kHexString) {
            // Borland's hex lines read as they would for a bitmap.
            ResourceStatement hex;
            ParseHexLine(m_lexer.Next(), hex.m_data);
            out.insert(out.end(), hex.m_data.begin(), hex.m_data.end());
        } else if (next.m_kind == TokenKind::kWideString) {
            PutUtf16(out, StringText(m_lexer.Next()), false);
        } else {
            const ScriptInteger value = ParseInteger("data");
            value.m_isLong ? PutU32(out, value.m_value) : PutU16(out, value.m_value);
        }
        if (m_lexer.Peek().m_kind == TokenKind::kComma) {
            m_lexer.Next();
        }
    }
}

void ScriptParser::ParseStringTable(const Token& keyword, ResourceStatement& statement) {
    statement.m_kind = ResourceKind::kStrings;
    statement.m_type = ResourceId::Ordinal(kTypeStringTable);
    statement.m_memoryFlags = kStringTableFlags;
    do {
        ParseMemoryFlags(statement);
    } while (ParseOptionalStatement(statement));
    const Token opening = ExpectBlockBegin(keyword, "the STRINGTABLE");
    while (true) {
        const Token& next = m_lexer.Peek();
        if (IsBlockEnd(next)) {
            m_lexer.Next();
            return;
        }
        if (next.m_kind == TokenKind::kEnd) {
            Refuse(opening, "the STRINGTABLE is not closed with END or '}'");
        }
        const int line = next.m_line;
        const ScriptInteger id = ParseInteger("string id");
        if (id.m_value > kMaxId) {
            Refuse(next, "the string id " + std::to_string(id.m_value) + " is out of range (0-65535)");
        }
        if (m_lexer.Peek().m_kind == TokenKind::kComma) {
            m_lexer.Next();
        }
        const Token text = m_lexer.Next();
        if (text.m_kind != TokenKind::kString && text.m_kind != TokenKind::kWideString) {
            Refuse(text.m_kind == TokenKind::kEnd ? keyword : text,
                   "expected the quoted text of string " + std::to_string(id.m_value) + ", found " + Describe(text));
        }
        ResourceStatement::String string{static_cast<std::uint16_t>(id.m_value), line, StringText(text)};
        while (m_lexer.Peek().m_kind == TokenKind::kString || m_lexer.Peek().m_kind == TokenKind::kWideString) {
            string.m_text += StringText(m_lexer.Next());
        }
        statement.m_strings.push_back(std::move(string));
    }
}

void ScriptParser::ParseVersionInfo(const Token& typeToken, ResourceStatement& statement) {
    statement.m_memoryFlags = kOtherFlags;
    ParseMemoryFlags(statement);
    std::uint32_t fixed[13] = {kFixedFileInfoSignature, kFixedFileInfoVersion};
    while (true) {
        const Token& token = m_lexer.Peek();
        if (IsBlockBegin(token) || token.m_kind != TokenKind::kIdentifier) {
            break;
        }
        const Token keyword = m_lexer.Next();
        const std::string word = ToUpperAscii(keyword.m_text);
        if (word == "FILEVERSION" || word == "PRODUCTVERSION") {
            std::uint32_t parts[4] = {};
            for (int part = 0; part < 4; ++part) {
                parts[part] = ParseInteger(word).m_value;
                if (parts[part] > kMaxId) {
                    Refuse(keyword, "each part of " + word + " is at most 65535, not " + std::to_string(parts[part]));
                }
                if (m_lexer.Peek().m_kind != TokenKind::kComma) {
                    break;
                }
                m_lexer.Next();
            }
            const std::size_t at = word == "FILEVERSION" ? 2 : 4;
            fixed[at] = parts[0] << 16 | parts[1];
            fixed[at + 1] = parts[2] << 16 | parts[3];
        } else {
            static constexpr std::array<std::string_view, 5> kFields = {"FILEFLAGSMASK", "FILEFLAGS", "FILEOS",
                                                                        "FILETYPE", "FILESUBTYPE"};
            const auto field = std::find(kFields.begin(), kFields.end(), word);
            if (field == kFields.end()) {
                Refuse(keyword, "'" + std::string(keyword.m_text) +
                                    "' is not a VERSIONINFO statement: FILEVERSION, PRODUCTVERSION, FILEFLAGSMASK, "
                                    "FILEFLAGS, FILEOS, FILETYPE or FILESUBTYPE, then BEGIN");
            }
            fixed[6 + (field - kFields.begin())] = ParseInteger(word).m_value;
        }
    }
    const Token opening = ExpectBlockBegin(typeToken, "the VERSIONINFO");
    std::vector<std::uint8_t>& out = statement.m_data;
    PutU16(out, 0);
    PutU16(out, kFixedFileInfoSize);
    PutU16(out, 0);
    PutUtf16(out, u"VS_VERSION_INFO", true);
    PadTo4(out);
    for (const std::uint32_t value : fixed) {
        PutU32(out, value);
    }
    ParseVersionBlockContents(out, opening);
    if (out.size() > 0xFFFF) {
        Refuse(typeToken, "the VERSIONINFO is larger than 64 KB");
    }
    PatchU16(out, 0, out.size());
}

// BLOCK "name" BEGIN ... END and VALUE "name", values, up to the END of the block that `opening` began.
void ScriptParser::ParseVersionBlockContents(std::vector<std::uint8_t>& out, const Token& opening) {
    while (true) {
        const Token token = m_lexer.Next();
        if (IsBlockEnd(token)) {
            return;
        }
        if (token.m_kind == TokenKind::kEnd) {
            Refuse(opening, "this block of the VERSIONINFO is not closed with END or '}'");
        }
        if (IsWord(token, "VALUE")) {
            ParseVersionValue(out);
            continue;
        }
        if (!IsWord(token, "BLOCK")) {
            Refuse(token, "expected BLOCK, VALUE or END in the VERSIONINFO, found " + Describe(token));
        }
        const Token name = m_lexer.Next();
        if (name.m_kind != TokenKind::kString && name.m_kind != TokenKind::kWideString) {
            Refuse(name.m_kind == TokenKind::kEnd ? token : name,
                   "expected the quoted name of the BLOCK, found " + Describe(name));
        }
        PadTo4(out);
        const std::size_t start = out.size();
        PutU16(out, 0);
        PutU16(out, 0);
        PutU16(out, 1);
        PutUtf16(out, CutAtNul(StringText(name)), true);
        PadTo4(out);
        ParseVersionBlockContents(out, ExpectBlockBegin(name, "the BLOCK"));
        if (out.size() - start > 0xFFFF) {
            Refuse(token, "this BLOCK of the VERSIONINFO is larger than 64 KB");
        }
        PatchU16(out, start, out.size() - start);
    }
}

// Numbers and strings are not mixed: a value is text (its length counted in characters) or binary (in bytes).
void ScriptParser::ParseVersionValue(std::vector<std::uint8_t>& out) {
    const Token key = m_lexer.Next();
    if (key.m_kind != TokenKind::kString && key.m_kind != TokenKind::kWideString) {
        Refuse(key, "expected the quoted name of the VALUE, found " + Describe(key));
    }
    PadTo4(out);
    const std::size_t start = out.size();
    PutU16(out, 0);
    PutU16(out, 0);
    PutU16(out, 0);
    PutUtf16(out, CutAtNul(StringText(key)), true);
    PadTo4(out);
    const std::size_t data = out.size();
    if (m_lexer.Peek().m_kind != TokenKind::kComma) {
        Refuse(m_lexer.Peek().m_kind == TokenKind::kEnd ? key : m_lexer.Peek(),
               "expected ',' after the name of the VALUE, found " + Describe(m_lexer.Peek()));
    }
    m_lexer.Next();
    bool hasStrings = false;
    bool hasNumbers = false;
    while (true) {
        const Token& next = m_lexer.Peek();
        if (next.m_kind == TokenKind::kIdentifier && !IsWord(next, "NOT")) {
            break;
        }
        if (IsBlockEnd(next) || next.m_kind == TokenKind::kEnd) {
            break;
        }
        if (next.m_kind == TokenKind::kString || next.m_kind == TokenKind::kWideString) {
            const Token text = m_lexer.Next();
            const bool comma = m_lexer.Peek().m_kind == TokenKind::kComma;
            const Token& after = m_lexer.Peek();
            const bool last = !comma && after.m_kind != TokenKind::kString && after.m_kind != TokenKind::kWideString &&
                              after.m_kind != TokenKind::kInteger;
            PutUtf16(out, CutAtNul(StringText(text)), comma || last);
            hasStrings = true;
        } else {
            const ScriptInteger value = ParseInteger("VALUE");
            value.m_isLong ? PutU32(out, value.m_value) : PutU16(out, value.m_value);
            hasNumbers = true;
        }
        if (hasStrings && hasNumbers) {
            Refuse(key, "the VALUE \"" + std::string(key.m_text) + "\" mixes numbers and strings");
        }
        if (m_lexer.Peek().m_kind == TokenKind::kComma) {
            m_lexer.Next();
        }
    }
    if (!hasStrings && !hasNumbers) {
        Refuse(key, "the VALUE \"" + std::string(key.m_text) + "\" has no value");
    }
    const std::size_t valueLength = hasStrings ? (out.size() - data) / 2 : out.size() - data;
    if (out.size() - start > 0xFFFF) {
        Refuse(key, "the VALUE \"" + std::string(key.m_text) + "\" is larger than 64 KB");
    }
    PatchU16(out, start, out.size() - start);
    PatchU16(out, start + 2, valueLength);
    PatchU16(out, start + 4, hasStrings ? 1 : 0);
}

}  // namespace brcc
