// Reads the statements of a resource script, after preprocessing: each resource, with its data or its file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "brcc32/resource_id.h"
#include "brcc32/script/lexer.h"
#include "brcc32/text/code_page.h"

namespace brcc {

enum class ResourceKind {
    kIcon,
    kCursor,
    kBitmap,
    kRaw,      // copied from m_file
    kData,     // m_data, built from the script
    kStrings,  // m_strings, to be gathered into string table bundles
};

struct ResourceStatement {
    ResourceKind m_kind = ResourceKind::kRaw;
    ResourceId m_type;  // the ordinal or name written for a raw resource; the predefined ordinal otherwise
    ResourceId m_name;
    std::uint16_t m_memoryFlags = 0;
    std::uint16_t m_language = kDefaultLanguage;
    std::uint32_t m_version = 0;
    std::uint32_t m_characteristics = 0;
    std::string m_file;  // as written in the script, quotes removed
    int m_nameLine = 0;
    int m_fileLine = 0;
    std::vector<std::uint8_t> m_data;  // kData; or, with m_inline, the bytes a file would hold
    bool m_inline = false;
    struct String {
        std::uint16_t m_id;
        int m_line;
        std::u16string m_text;
    };
    std::vector<String> m_strings;
};

// An integer of the script language: a 16-bit value unless a number in it was written with an L suffix.
struct ScriptInteger {
    std::uint32_t m_value = 0;
    bool m_isLong = false;
};

class ScriptParser {
public:
    // The text must outlive the parser.
    explicit ScriptParser(std::string_view text, CodePageChanges codePages = {});

    // The language of the resources before the first LANGUAGE line.
    void SetDefaultLanguage(std::uint16_t language) { m_language = language; }

    // The next resource, or nothing at the end of the script. Throws ScriptError on anything it does not accept.
    std::optional<ResourceStatement> Next();

private:
    // An integer expression with the bits that a NOT in it clears, as styles are written: WS_CHILD | NOT WS_BORDER.
    struct MaskedInteger {
        ScriptInteger m_integer;
        std::uint32_t m_notMask = 0;
    };

    void ParseLanguage(const Token& keyword, std::uint16_t& language);
    ResourceId ParseName(const Token& token);
    void ParseType(const Token& token, ResourceStatement& statement);
    void ParseMemoryFlags(ResourceStatement& statement);
    // LANGUAGE, VERSION or CHARACTERISTICS of one resource, into the statement; false on any other token.
    bool ParseOptionalStatement(ResourceStatement& statement);
    void ParseFile(const Token& typeToken, ResourceStatement& statement);
    void ParseUserData(const Token& typeToken, ResourceStatement& statement);
    void ParseStringTable(const Token& keyword, ResourceStatement& statement);
    void ParseVersionInfo(const Token& typeToken, ResourceStatement& statement);
    void ParseVersionBlockContents(std::vector<std::uint8_t>& out, const Token& opening);
    void ParseVersionValue(std::vector<std::uint8_t>& out);

    void ParseAccelerators(const Token& typeToken, ResourceStatement& statement);
    void ParseMenu(const Token& typeToken, ResourceStatement& statement, bool extended);
    void ParseMenuItems(std::vector<std::uint8_t>& out, const Token& opening, bool extended);
    void ParseDialog(const Token& typeToken, ResourceStatement& statement, bool extended);
    void ParseControl(const Token& keyword, std::vector<std::uint8_t>& out, bool extended);
    void SkipBlock(const Token& typeToken);
    void ParseHexBlock(const Token& typeToken, ResourceStatement& statement);
    void ParseHexLine(const Token& token, std::vector<std::uint8_t>& out);
    // Writes a name or quoted text as dialogs refer to resources and classes.
    void PutNameOrOrdinal(std::vector<std::uint8_t>& out, const Token& token);
    bool AcceptComma();
    void ExpectComma(const Token& after, std::string_view what);

    ScriptInteger ParseInteger(std::string_view what);
    MaskedInteger ParseSum(std::string_view what);
    MaskedInteger ParseTerm(std::string_view what);
    Token ExpectBlockBegin(const Token& after, std::string_view what);
    bool IsBlockEnd(const Token& token) const;
    std::u16string StringText(const Token& token);
    std::uint32_t CodePageAt(int line) const;

    std::string_view m_text;
    ScriptLexer m_lexer;
    CodePageChanges m_codePages;
    std::uint16_t m_language = kDefaultLanguage;
};

// The value of a number as the script language writes it (decimal, 0x hex, leading-0 octal, optional L), if valid.
std::optional<std::uint32_t> ParseScriptInteger(std::string_view text);

}  // namespace brcc
