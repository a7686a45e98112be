// Parser of the resource statements: the loop over the script, and the statement kinds that read a file or a
// block of data. The kinds with a structure of their own have a file each (parse_dialog.cpp, parse_menu.cpp...).
#include "brcc32/script/parser.h"

#include <algorithm>
#include <array>

#include "brcc32/script/statement_kinds.h"
#include "brcc32/script/strings.h"
#include "brcc32/script/syntax.h"
#include "brcc32/script_error.h"
#include "brcc32/text/code_page.h"

namespace brcc {

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
    : m_text(text), m_lexer(text), m_codePages(std::move(codePages)) {
    m_lexer.SetCodePages(&m_codePages);
}

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
    try {
        return NextStatement();
    } catch (const ScriptError& error) {
        if (error.IsPlaced() || !m_lexer.EndsJustBefore(error.Line())) {
            throw;
        }
        // A backslash before a quote keeps the quote in the text; where that makes the next token wrong, the
        // message alone would point at a comma or a word the writer sees nothing wrong with.
        const std::string_view text = m_lexer.Text();
        const std::size_t end = m_lexer.LastStringEnd();
        const std::size_t lineStart = text.find_last_of('\n', end) + 1;  // npos + 1 is 0
        const std::string_view written = m_lexer.LastString();
        throw ScriptError(error.Line(), Compose(msg::kStringEndedThere,
                                                {error.Text(), std::to_string(end - lineStart + 1), written}));
    }
}

std::optional<ResourceStatement> ScriptParser::NextStatement() {
    while (true) {
        const Token first = m_lexer.Next();
        if (first.kind == TokenKind::kEnd) {
            return std::nullopt;
        }
        RefuseHash(first);
        if (IsWord(first, "LANGUAGE")) {
            ParseLanguage(first, m_language);
            continue;
        }
        ResourceStatement statement;
        statement.language = m_language;
        statement.nameLine = first.line;
        if (IsWord(first, "STRINGTABLE")) {
            ParseStringTable(first, statement);
            return statement;
        }
        if (IsWord(first, "CHARACTERISTICS") || IsWord(first, "VERSION")) {
            Refuse(first, Compose(msg::kBelongsToOneResource, {ToUpperAscii(first.text)}));
        }
        if (IsWord(first, "VALUE") && IsString(m_lexer.Peek())) {
            Refuse(first, Compose(msg::kValueOutsideVersionInfo));
        }
        if (IsBlockBegin(first) || IsWord(first, "END") || IsChar(first, '}')) {
            Refuse(first, Compose(msg::kBlockMustFollowType, {first.text}));
        }
        statement.name = ParseName(first);
        Token typeToken = m_lexer.TakeLiteral(m_lexer.Next());
        if (typeToken.kind == TokenKind::kEnd) {
            typeToken.line = first.line;
        }
        const StatementKind& kind = ParseType(typeToken, statement);
        ParseMemoryFlags(statement);
        if ((this->*kind.parse)(typeToken, statement)) {
            return statement;
        }
    }
}

// ICON, CURSOR and BITMAP: a file, or Borland's hex lines of what the file would hold.
bool ScriptParser::ParseImage(const Token& typeToken, ResourceStatement& statement) {
    if (IsBlockBegin(m_lexer.Peek())) {
        ParseHexBlock(typeToken, statement);
        return true;
    }
    ParseFile(typeToken, statement);
    return true;
}

// RCDATA and the types without a structure of their own: a file, or a block of data.
bool ScriptParser::ParseRaw(const Token& typeToken, ResourceStatement& statement) {
    if (statement.type == ResourceId::Text("DESIGNINFO") && IsBlockBegin(m_lexer.Peek())) {
        SkipBlock(typeToken);  // guides of the dialog editor, of no use to the program
        return false;
    }
    while (ParseOptionalStatement(statement)) {
    }
    if (IsBlockBegin(m_lexer.Peek())) {
        statement.kind = ResourceKind::kData;
        ParseUserData(typeToken, statement.data);
        return true;
    }
    ParseFile(typeToken, statement);
    return true;
}

void ScriptParser::ParseFile(const Token& typeToken, ResourceStatement& statement) {
    const Token token = m_lexer.Next();
    RefuseHash(token);
    if (token.kind == TokenKind::kWideString) {
        Refuse(token, Compose(msg::kWideFileName));
    }
    if (token.kind != TokenKind::kIdentifier && token.kind != TokenKind::kString) {
        const Token& where = token.kind == TokenKind::kEnd ? typeToken : token;
        Refuse(where, Compose(msg::kExpectedFileName, {ToUpperAscii(typeToken.text), Describe(token)}));
    }
    if (IsWord(token, "LANGUAGE")) {
        Refuse(token, Compose(msg::kLanguageOwnLine));
    }
    const std::size_t begin = static_cast<std::size_t>(token.text.data() - m_text.data());
    const std::size_t end = begin + token.text.size();
    constexpr std::string_view kSpace = " \t\r\n\v\f";
    std::string_view name = token.text;
    if (token.kind == TokenKind::kIdentifier && end < m_text.size() && kSpace.find(m_text[end]) == kSpace.npos) {
        const std::string_view whole = m_text.substr(begin, m_text.find_first_of(kSpace, end) - begin);
        // Windows' compiler reads an unquoted name up to a space, and manifests are often named app-x.exe.manifest;
        // any other character is more likely a mistake than a name.
        constexpr std::string_view kNameCharacters =
            "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_./\\-";
        if (whole.find_first_not_of(kNameCharacters) != std::string_view::npos) {
            Refuse(token, Compose(msg::kFileNameMustBeQuoted, {whole}));
        }
        while (m_lexer.Peek().kind != TokenKind::kEnd && m_lexer.Peek().text.data() < whole.data() + whole.size()) {
            m_lexer.Next();
        }
        name = whole;
        Warn(token.line, Compose(msg::kFileNameWithDash, {whole}));
    }
    if (name.empty()) {
        Refuse(token, Compose(msg::kFileNameEmpty));
    }
    if (name.find('"') != std::string_view::npos) {
        Refuse(token, Compose(msg::kFileNameWithQuote));
    }
    statement.file = std::string(name);
    statement.fileLine = token.line;
}

void ScriptParser::SkipBlock(const Token& typeToken) {
    const Token opening = m_lexer.Next();
    int depth = 1;
    while (depth > 0) {
        const Token token = m_lexer.Next();
        if (token.kind == TokenKind::kEnd) {
            Refuse(opening, Compose(msg::kBlockOfNotClosed, {ToUpperAscii(typeToken.text)}));
        }
        depth += IsBlockBegin(token) ? 1 : IsBlockEnd(token) ? -1 : 0;
    }
}

Token ScriptParser::ExpectBlockBegin(const Token& after, MessageArgument what) {
    const Token token = m_lexer.Next();
    if (!IsBlockBegin(token)) {
        Refuse(token.kind == TokenKind::kEnd ? after : token,
               Compose(msg::kExpectedBlockBegin, {what, Describe(token)}));
    }
    return token;
}

bool ScriptParser::IsBlockEnd(const Token& token) const { return IsChar(token, '}') || IsWord(token, "END"); }

bool ScriptParser::ClosesBlock(const Token& token, const Token& opening, const MessageText& unclosed) const {
    if (IsBlockEnd(token)) {
        return true;
    }
    if (token.kind == TokenKind::kEnd) {
        Refuse(opening, Compose(unclosed));
    }
    return false;
}

std::u16string ScriptParser::StringText(const Token& token, Letters letters) {
    const std::uint32_t codePage = CodePageAt(token.line);
    if (codePage == kCodePageWestern && !m_warnedUtf8 &&
        std::any_of(token.text.begin(), token.text.end(), [](char c) { return (c & 0x80) != 0; }) &&
        IsValidUtf8(token.text)) {
        // Once: a script saved as UTF-8 has such text on many lines, and one fix serves them all.
        m_warnedUtf8 = true;
        const CodePageOrigin* origin = nullptr;
        for (const CodePageOrigin& o : m_codePageOrigins) {
            origin = o.outputLine <= token.line ? &o : origin;
        }
        Warn(token.line, origin == nullptr || origin->where.english.empty()
                             ? Compose(msg::kUtf8WithoutCodePage)
                             : Compose(msg::kUtf8UnderCodePage, {std::to_string(codePage), origin->where}));
    }
    if (token.kind == TokenKind::kWideString) {
        return DecodeWideString(token.text, codePage, letters);
    }
    return ToUtf16(DecodeNarrowString(token.text, codePage, letters), codePage);
}

std::u16string ScriptParser::StringRun(const Token& first, MessageArgument what) {
    std::u16string text = StringText(first);
    bool joined = false;
    while (m_lexer.Peek().kind == TokenKind::kString || m_lexer.Peek().kind == TokenKind::kWideString) {
        text += StringText(m_lexer.Next());
        joined = true;
    }
    if (joined) {
        Warn(first.line, Compose(msg::kStringsJoined, {what}));
    }
    return text;
}

void ScriptParser::Warn(int line, LocalText text) {
    if (m_diagnostics != nullptr) {
        m_diagnostics->Warn("", line, std::move(text));
    }
}

// A name as dialogs refer to resources and classes: an identifier upper-cased, or quoted text.
std::u16string ScriptParser::NameText(const Token& token, MessageArgument what) {
    if (token.kind == TokenKind::kIdentifier) {
        return ToUtf16(ToUpperAscii(token.text), kCodePageWestern);
    }
    return std::u16string(CutAtNul(StringRun(token, what)));
}

bool ScriptParser::AcceptComma() {
    if (m_lexer.Peek().kind == TokenKind::kComma) {
        m_lexer.Next();
        return true;
    }
    return false;
}

void ScriptParser::ExpectComma(const Token& after, MessageArgument what) {
    if (!AcceptComma()) {
        const Token& next = m_lexer.Peek();
        Refuse(next.kind == TokenKind::kEnd ? after : next, Compose(msg::kExpectedComma, {what, Describe(next)}));
    }
}

}  // namespace brcc
