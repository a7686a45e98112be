// MENU and MENUEX: items and popups into the model; the bytes are the encoder's.
#include <algorithm>
#include <array>

#include "brcc32/script/parser.h"
#include "brcc32/script/syntax.h"

namespace brcc {
namespace {

constexpr std::uint32_t kMenuExSeparator = 0x800;  // MFT_SEPARATOR

struct MenuOption {
    std::string_view word;
    std::uint32_t bit;
};

constexpr std::array<MenuOption, 6> kMenuOptions = {{{"GRAYED", 0x01},
                                                     {"INACTIVE", 0x02},
                                                     {"CHECKED", 0x08},
                                                     {"MENUBARBREAK", 0x20},
                                                     {"MENUBREAK", 0x40},
                                                     {"HELP", 0x4000}}};

const MenuOption* FindMenuOption(const Token& token) {
    const auto found = std::find_if(kMenuOptions.begin(), kMenuOptions.end(),
                                    [&](const MenuOption& o) { return IsWord(token, o.word); });
    return found == kMenuOptions.end() ? nullptr : &*found;
}

// Whether `token` can start the number of an item: not the next item, nor the block's end or beginning.
bool StartsNumber(const Token& token) {
    if (token.kind == TokenKind::kInteger || IsChar(token, '(') || IsChar(token, '-') || IsChar(token, '~')) {
        return true;
    }
    return token.kind == TokenKind::kIdentifier && !IsWord(token, "MENUITEM") && !IsWord(token, "POPUP") &&
           !IsWord(token, "BEGIN") && !IsWord(token, "END") && FindMenuOption(token) == nullptr;
}

}  // namespace

// Windows' compiler reads an item whose comma is missing as if it were there; llvm-rc and windres refuse it.
void ScriptParser::WarnMissingComma(const Token& after, MessageArgument what) {
    const Token& next = m_lexer.Peek();
    if (!StartsNumber(next)) {
        Refuse(next.kind == TokenKind::kEnd ? after : next, Compose(msg::kExpectedComma, {what, Describe(next)}));
    }
    Warn(next.line, Compose(msg::kMenuCommaMissing, {what}));
}

bool ScriptParser::ParseMenu(const Token& typeToken, ResourceStatement& statement) {
    ParseMenu(typeToken, statement, false);
    return true;
}

bool ScriptParser::ParseMenuEx(const Token& typeToken, ResourceStatement& statement) {
    ParseMenu(typeToken, statement, true);
    return true;
}

void ScriptParser::ParseMenu(const Token& typeToken, ResourceStatement& statement, bool extended) {
    while (ParseOptionalStatement(statement)) {
    }
    const Token opening = ExpectBlockBegin(typeToken, extended ? "MENUEX" : "MENU");
    Menu menu;
    menu.extended = extended;
    menu.items = ParseMenuItems(opening, extended);
    statement.body = std::move(menu);
}

std::vector<MenuItem> ScriptParser::ParseMenuItems(const Token& opening, bool extended) {
    std::vector<MenuItem> items;
    while (true) {
        const Token keyword = m_lexer.Next();
        if (ClosesBlock(keyword, opening, msg::kMenuNotClosed)) {
            return items;
        }
        const bool popup = IsWord(keyword, "POPUP");
        if (!popup && !IsWord(keyword, "MENUITEM")) {
            Refuse(keyword, Compose(msg::kExpectedMenuItem, {Describe(keyword)}));
        }
        MenuItem item;
        item.popup = popup;
        if (!popup && IsWord(m_lexer.Peek(), "SEPARATOR")) {
            m_lexer.Next();
            item.options = extended ? kMenuExSeparator : 0;
            items.push_back(std::move(item));
            continue;
        }
        const Token text = m_lexer.Next();
        if (extended && !popup && !IsString(text) && text.kind != TokenKind::kEnd && !IsBlockEnd(text)) {
            // Windows' compiler takes an item of no text here, but what it writes for it is not known.
            Refuse(text, Compose(msg::kMenuExItemWithoutText, {text.text}));
        }
        if (!IsString(text)) {
            Refuse(text.kind == TokenKind::kEnd ? keyword : text,
                   Compose(msg::kExpectedItemText, {ToUpperAscii(keyword.text), Describe(text)}));
        }
        item.text = CutAtNul(StringRun(text, Compose(msg::kPartItemText, {ToUpperAscii(keyword.text)})));
        extended ? ParseMenuExItemOptions(item) : ParseMenuItemOptions(item, text);
        if (popup) {
            item.items = ParseMenuItems(ExpectBlockBegin(text, "POPUP"), extended);
        }
        items.push_back(std::move(item));
    }
}

// MENUITEM "text", id [, options]; POPUP "text" [, options]. Options may also follow without commas.
void ScriptParser::ParseMenuItemOptions(MenuItem& item, const Token& text) {
    if (!item.popup) {
        if (!AcceptComma()) {
            WarnMissingComma(text, msg::kPartMenuItemId);
        }
        const Token idToken = m_lexer.Peek();
        item.id = ParseInteger(msg::kPartMenuItemIdNumber).value;
        if (!Fits16(item.id)) {
            Refuse(idToken, Compose(msg::kMenuItemIdRange, {std::to_string(item.id)}));
        }
    }
    while (AcceptComma() || FindMenuOption(m_lexer.Peek()) != nullptr) {
        const Token& next = m_lexer.Peek();
        if (item.popup && IsBlockBegin(next)) {
            break;
        }
        const MenuOption* option = FindMenuOption(next);
        if (option == nullptr) {
            Refuse(next, Compose(msg::kExpectedMenuOption, {Describe(next)}));
        }
        item.options |= option->bit;
        m_lexer.Next();
    }
}

// MENUITEM "text" [, id [, type [, state]]]; POPUP adds [, help id]. An empty place keeps its 0.
void ScriptParser::ParseMenuExItemOptions(MenuItem& item) {
    const std::array<std::uint32_t*, 4> places = {&item.id, &item.options, &item.state, &item.helpId};
    const std::size_t count = item.popup ? 4 : 3;
    for (std::size_t k = 0; k < count; ++k) {
        if (!AcceptComma()) {
            if (!StartsNumber(m_lexer.Peek())) {
                break;
            }
            WarnMissingComma(m_lexer.Peek(), msg::kPartMenuItem);
        }
        if (m_lexer.Peek().kind == TokenKind::kComma) {
            continue;
        }
        *places[k] = ParseInteger(msg::kPartMenuItem).value;
    }
}

}  // namespace brcc
