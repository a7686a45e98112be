// Reads the statements of a resource script: LANGUAGE lines and one-line resources.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "brcc32/resource_id.h"
#include "brcc32/script_lexer.h"

namespace brcc {

enum class ResourceKind { kIcon, kCursor, kBitmap, kRaw };

struct ResourceStatement {
    ResourceKind m_kind = ResourceKind::kRaw;
    ResourceId m_type;  // the ordinal or name written for a raw resource; the predefined ordinal otherwise
    ResourceId m_name;
    std::uint16_t m_memoryFlags = 0;
    std::uint16_t m_language = kDefaultLanguage;
    std::string m_file;  // as written in the script, quotes removed
    int m_nameLine = 0;
    int m_fileLine = 0;
};

class ScriptParser {
public:
    // The text must outlive the parser.
    explicit ScriptParser(std::string_view text);

    // The next resource, or nothing at the end of the script. Throws ScriptError on anything it does not accept.
    std::optional<ResourceStatement> Next();

private:
    void ParseLanguage(const Token& keyword);
    std::uint16_t ParseLanguagePart(std::string_view what, std::uint32_t limit);
    ResourceId ParseName(const Token& token);
    void ParseType(const Token& token, ResourceStatement& statement);
    void ParseMemoryFlags(ResourceStatement& statement);
    void ParseFile(const Token& typeToken, ResourceStatement& statement);

    std::string_view m_text;
    ScriptLexer m_lexer;
    std::uint16_t m_language = kDefaultLanguage;
};

// The value of a number as the script language writes it (decimal, 0x hex, leading-0 octal, optional L), if valid.
std::optional<std::uint32_t> ParseScriptInteger(std::string_view text);

}  // namespace brcc
