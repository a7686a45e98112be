// Reads the statements of a resource script, after preprocessing: each resource, with its data or its file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "brcc32/diagnostic.h"
#include "brcc32/preprocessor/preprocessor.h"
#include "brcc32/resource_id.h"
#include "brcc32/script/lexer.h"
#include "brcc32/script/model.h"
#include "brcc32/script/strings.h"
#include "brcc32/text/code_page.h"

namespace brcc {

// An integer of the script language: a 16-bit value unless a number in it was written with an L suffix.
struct ScriptInteger {
    std::uint32_t value = 0;
    bool isLong = false;
};

class ScriptParser {
public:
    // The text must outlive the parser.
    explicit ScriptParser(std::string_view text, CodePageChanges codePages = {});

    // Where the warnings go, with lines of the text; without a sink they are dropped.
    void SetDiagnostics(DiagnosticSink* diagnostics) { m_diagnostics = diagnostics; }
    // The language of the resources before the first LANGUAGE line.
    void SetDefaultLanguage(std::uint16_t language) { m_language = language; }
    // Where the code pages were set, for the message on UTF-8 text read in another page.
    void SetCodePageOrigins(std::vector<CodePageOrigin> origins) { m_codePageOrigins = std::move(origins); }

    // The next resource, or nothing at the end of the script. Throws ScriptError on anything it does not accept.
    std::optional<ResourceStatement> Next();

    // Whether a word after a name is a predefined type's keyword (DIALOG, RCDATA...), in any case.
    static bool IsTypeKeyword(std::string_view word) { return FindStatementKind(word) != nullptr; }

private:
    // An integer expression with the bits that a NOT in it clears, as styles are written: WS_CHILD | NOT WS_BORDER.
    struct MaskedInteger {
        ScriptInteger integer;
        std::uint32_t notMask = 0;
    };

    std::optional<ResourceStatement> NextStatement();

    // A statement that follows a resource's name and type: its parse function, by the type's keyword.
    struct StatementKind;
    static const StatementKind* FindStatementKind(std::string_view keyword);  // nullptr for a type of the script's own
    static const StatementKind& CustomStatementKind();

    void ParseLanguage(const Token& keyword, std::uint16_t& language);
    ResourceId ParseName(const Token& first);
    // A number that names a resource or a type, refused out of 0-65535 with `range`.
    std::uint32_t ParseId(const Token& token, const MessageText& range);
    ResourceId QuotedId(const Token& token);
    static bool IsDigitLedName(std::string_view text);
    ResourceId DigitLedName(const Token& token);
    // `token` is the type read as a literal (TakeLiteral).
    const StatementKind& ParseType(const Token& token, ResourceStatement& statement);
    void ParseMemoryFlags(ResourceStatement& statement);
    // LANGUAGE, VERSION or CHARACTERISTICS of one resource, into the statement; false on any other token.
    bool ParseOptionalStatement(ResourceStatement& statement);

    // The parse functions of the statement kinds: false where the statement defines no resource.
    bool ParseImage(const Token& typeToken, ResourceStatement& statement);
    bool ParseRaw(const Token& typeToken, ResourceStatement& statement);
    bool ParseVersionInfo(const Token& typeToken, ResourceStatement& statement);
    bool ParseDialog(const Token& typeToken, ResourceStatement& statement);
    bool ParseDialogEx(const Token& typeToken, ResourceStatement& statement);
    bool ParseMenu(const Token& typeToken, ResourceStatement& statement);
    bool ParseMenuEx(const Token& typeToken, ResourceStatement& statement);
    bool ParseAccelerators(const Token& typeToken, ResourceStatement& statement);
    bool ParseDlgInclude(const Token& typeToken, ResourceStatement& statement);
    bool ParseToolbar(const Token& typeToken, ResourceStatement& statement);

    void ParseStringTable(const Token& keyword, ResourceStatement& statement);
    void ParseFile(const Token& typeToken, ResourceStatement& statement);
    void ParseUserData(const Token& typeToken, std::vector<std::uint8_t>& out);
    void ParseHexBlock(const Token& typeToken, ResourceStatement& statement);
    void ParseHexLine(const Token& token, std::vector<std::uint8_t>& out);
    void SkipBlock(const Token& typeToken);

    std::vector<VersionNode> ParseVersionBlockContents(const Token& opening);
    VersionNode ParseVersionValue();
    void ParseDialog(const Token& typeToken, ResourceStatement& statement, bool extended);
    DialogFont ParseDialogFont(const Token& keyword, bool extended);
    DialogControl ParseControl(const Token& keyword, bool extended);
    NameOrOrdinal ParseControlClass();
    void WarnUnalignedControls(const std::vector<DialogControl>& controls, const std::vector<int>& lines);
    void ParseMenu(const Token& typeToken, ResourceStatement& statement, bool extended);
    std::vector<MenuItem> ParseMenuItems(const Token& opening, bool extended);
    void ParseMenuItemOptions(MenuItem& item, const Token& text);
    void ParseMenuExItemOptions(MenuItem& item);
    void WarnMissingComma(const Token& after, MessageArgument what);

    bool AcceptComma();
    void ExpectComma(const Token& after, MessageArgument what);
    ScriptInteger ParseInteger(MessageArgument what);
    MaskedInteger ParseSum(MessageArgument what);
    MaskedInteger ParseTerm(MessageArgument what);
    Token ExpectBlockBegin(const Token& after, MessageArgument what);
    bool IsBlockEnd(const Token& token) const;
    // Whether `token` is the END or '}' that closes the block `opening` opened; the script's end before it is
    // refused with `unclosed`.
    bool ClosesBlock(const Token& token, const Token& opening, const MessageText& unclosed) const;
    bool TakeBlockEnd(const Token& opening, const MessageText& message, const Token& named);
    std::u16string StringText(const Token& token, Letters letters = Letters::kAsTyped);
    // The text of `first` and of the quoted strings right after it, joined as Windows' compiler joins them; `what`
    // names the place in the warning given when there are more than one.
    std::u16string StringRun(const Token& first, MessageArgument what);
    void Warn(int line, LocalText text);
    // A name as dialogs refer to resources and classes: an identifier upper-cased, or quoted text.
    std::u16string NameText(const Token& token, MessageArgument what);
    std::uint32_t CodePageAt(int line) const;

    std::string_view m_text;
    ScriptLexer m_lexer;
    CodePageChanges m_codePages;
    std::vector<CodePageOrigin> m_codePageOrigins;
    std::uint16_t m_language = kDefaultLanguage;
    DiagnosticSink* m_diagnostics = nullptr;  // not owned
    bool m_warnedUtf8 = false;
};

// The value of a number as the script language writes it (decimal, 0x hex, leading-0 octal, optional L), if valid.
std::optional<std::uint32_t> ParseScriptInteger(std::string_view text);

}  // namespace brcc
