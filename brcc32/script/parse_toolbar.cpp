// TOOLBAR: the button size, then BUTTON and SEPARATOR lines, as MFC's and WTL's resource editors write them.
#include <string>

#include "brcc32/script/parser.h"
#include "brcc32/script/syntax.h"
#include "brcc32/script_error.h"

namespace brcc {
namespace {

constexpr std::uint32_t kMaxWord = 0xFFFF;

// A command id as a word: a number up to 65535, or a negative one such as -1.
bool FitsWord(std::uint32_t value) { return value <= kMaxWord || value >= 0xFFFF8000u; }

}  // namespace

bool ScriptParser::ParseToolbar(const Token& typeToken, ResourceStatement& statement) {
    Toolbar toolbar;
    std::uint32_t size[2] = {};
    for (int k = 0; k < 2; ++k) {
        if (k > 0) {
            ExpectComma(typeToken, msg::kPartButtonHeight);
        }
        const Token& where = m_lexer.Peek();
        const int line = where.kind == TokenKind::kEnd ? typeToken.line : where.line;
        size[k] = ParseInteger(k == 0 ? msg::kPartButtonWidth : msg::kPartButtonHeight).value;
        if (size[k] > kMaxWord) {
            throw ScriptError(
                line, Compose(k == 0 ? msg::kButtonWidthRange : msg::kButtonHeightRange, {std::to_string(size[k])}));
        }
    }
    toolbar.buttonWidth = static_cast<std::uint16_t>(size[0]);
    toolbar.buttonHeight = static_cast<std::uint16_t>(size[1]);
    while (ParseOptionalStatement(statement)) {
    }
    const Token opening = ExpectBlockBegin(typeToken, msg::kPartToolbarButtons);
    while (true) {
        const Token keyword = m_lexer.Next();
        if (ClosesBlock(keyword, opening, msg::kToolbarNotClosed)) {
            break;
        }
        if (toolbar.commands.size() == kMaxWord) {
            Refuse(keyword, Compose(msg::kTooManyButtons));
        }
        if (IsWord(keyword, "SEPARATOR")) {
            toolbar.commands.push_back(0);
            continue;
        }
        if (!IsWord(keyword, "BUTTON")) {
            Refuse(keyword, Compose(msg::kExpectedButton, {Describe(keyword)}));
        }
        const Token& idToken = m_lexer.Peek();
        const int line = idToken.kind == TokenKind::kEnd ? keyword.line : idToken.line;
        const std::uint32_t id = ParseInteger(msg::kPartButtonCommandId).value;
        if (!FitsWord(id)) {
            throw ScriptError(line, Compose(msg::kButtonIdRange, {std::to_string(id)}));
        }
        toolbar.commands.push_back(static_cast<std::uint16_t>(id));
    }
    statement.body = std::move(toolbar);
    return true;
}

}  // namespace brcc
