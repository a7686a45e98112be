// VERSIONINFO: the fixed fields, then blocks and values, into the model; the bytes are the encoder's.
#include <array>
#include <string>

#include "brcc32/script/parser.h"
#include "brcc32/script/syntax.h"

namespace brcc {
namespace {

struct FixedField {
    std::string_view keyword;
    std::uint32_t VersionInfo::*field;
};

constexpr std::array<FixedField, 5> kFixedFields = {{
    {"FILEFLAGSMASK", &VersionInfo::fileFlagsMask},
    {"FILEFLAGS", &VersionInfo::fileFlags},
    {"FILEOS", &VersionInfo::fileOs},
    {"FILETYPE", &VersionInfo::fileType},
    {"FILESUBTYPE", &VersionInfo::fileSubtype},
}};

}  // namespace

bool ScriptParser::ParseVersionInfo(const Token& typeToken, ResourceStatement& statement) {
    VersionInfo info;
    info.line = typeToken.line;
    while (true) {
        const Token& token = m_lexer.Peek();
        if (IsBlockBegin(token) || token.kind != TokenKind::kIdentifier) {
            break;
        }
        const Token keyword = m_lexer.Next();
        const std::string word = ToUpperAscii(keyword.text);
        if (word == "FILEVERSION" || word == "PRODUCTVERSION") {
            VersionNumber& number = word == "FILEVERSION" ? info.fileVersion : info.productVersion;
            number = VersionNumber();
            for (std::uint32_t* part : {&number.majorPart, &number.minorPart, &number.build, &number.revision}) {
                *part = ParseInteger(word).value;
                if (*part > kMaxId) {
                    // Projects put dates there (20240131): Windows' compiler keeps the low 16 bits, and so do we.
                    Warn(keyword.line, Compose(msg::kVersionPartTooLarge,
                                               {std::to_string(*part), word, std::to_string(*part & kMaxId)}));
                    *part &= kMaxId;
                }
                if (m_lexer.Peek().kind != TokenKind::kComma) {
                    break;
                }
                m_lexer.Next();
            }
            continue;
        }
        const auto fixed = std::find_if(kFixedFields.begin(), kFixedFields.end(),
                                        [&](const FixedField& f) { return f.keyword == word; });
        if (fixed == kFixedFields.end()) {
            Refuse(keyword, Compose(msg::kNotAVersionStatement, {keyword.text}));
        }
        info.*fixed->field = ParseInteger(word).value;
    }
    const Token opening = ExpectBlockBegin(typeToken, "VERSIONINFO");
    info.children = ParseVersionBlockContents(opening);
    statement.body = std::move(info);
    return true;
}

// BLOCK "name" BEGIN ... END and VALUE "name", values, up to the END of the block that `opening` began.
std::vector<VersionNode> ScriptParser::ParseVersionBlockContents(const Token& opening) {
    std::vector<VersionNode> nodes;
    while (true) {
        const Token token = m_lexer.Next();
        if (ClosesBlock(token, opening, msg::kVersionBlockNotClosed)) {
            return nodes;
        }
        if (IsWord(token, "VALUE")) {
            nodes.push_back(ParseVersionValue());
            continue;
        }
        if (!IsWord(token, "BLOCK")) {
            Refuse(token, Compose(msg::kExpectedVersionEntry, {Describe(token)}));
        }
        const Token name = m_lexer.Next();
        if (!IsString(name)) {
            Refuse(name.kind == TokenKind::kEnd ? token : name, Compose(msg::kExpectedBlockName, {Describe(name)}));
        }
        VersionNode block;
        block.isBlock = true;
        block.name = CutAtNul(StringText(name));
        block.line = token.line;
        block.children = ParseVersionBlockContents(ExpectBlockBegin(name, "BLOCK"));
        nodes.push_back(std::move(block));
    }
}

// Numbers and strings are not mixed: a value is text or binary.
VersionNode ScriptParser::ParseVersionValue() {
    const Token key = m_lexer.Next();
    if (!IsString(key)) {
        Refuse(key, Compose(msg::kExpectedValueName, {Describe(key)}));
    }
    VersionNode value;
    value.name = CutAtNul(StringText(key));
    value.shownName = std::string(key.text);
    value.line = key.line;
    if (m_lexer.Peek().kind != TokenKind::kComma) {
        Refuse(m_lexer.Peek().kind == TokenKind::kEnd ? key : m_lexer.Peek(),
               Compose(msg::kExpectedValueComma, {Describe(m_lexer.Peek())}));
    }
    m_lexer.Next();
    bool hasStrings = false;
    bool hasNumbers = false;
    while (true) {
        const Token& next = m_lexer.Peek();
        if (next.kind == TokenKind::kIdentifier && !IsWord(next, "NOT")) {
            break;
        }
        if (IsBlockEnd(next) || next.kind == TokenKind::kEnd) {
            break;
        }
        VersionDatum& datum = value.data.emplace_back();
        if (IsString(next)) {
            const Token text = m_lexer.Next();
            // Text followed by a comma, or last, keeps its NUL.
            const bool comma = m_lexer.Peek().kind == TokenKind::kComma;
            const Token& after = m_lexer.Peek();
            const bool last = !comma && !IsString(after) && after.kind != TokenKind::kInteger;
            datum.isText = true;
            datum.text = CutAtNul(StringText(text));
            datum.terminated = comma || last;
            hasStrings = true;
        } else {
            const ScriptInteger number = ParseInteger("VALUE");
            datum.number = number.value;
            datum.isLong = number.isLong;
            hasNumbers = true;
        }
        if (m_lexer.Peek().kind == TokenKind::kComma) {
            m_lexer.Next();
        }
    }
    if (!hasStrings && !hasNumbers) {
        Refuse(key, Compose(msg::kValueWithoutValue, {key.text}));
    }
    if (hasStrings && hasNumbers) {
        // Written as text whose length counts every 2 bytes of the data: what a reader needs to step over it.
        Warn(key.line, Compose(msg::kValueMixed, {key.text}));
    }
    return value;
}

}  // namespace brcc
