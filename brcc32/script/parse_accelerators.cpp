// ACCELERATORS: keys, command ids and options into the model; the bytes are the encoder's.
#include <algorithm>
#include <array>

#include "brcc32/script/parser.h"
#include "brcc32/script/strings.h"
#include "brcc32/script/syntax.h"

namespace brcc {
namespace {

enum AcceleratorFlag : std::uint32_t { kVirtKey = 0x01, kNoInvert = 0x02, kShift = 0x04, kControl = 0x08, kAlt = 0x10 };

struct AcceleratorOption {
    std::string_view word;
    std::uint32_t bit;
};

constexpr std::array<AcceleratorOption, 6> kAcceleratorOptions = {{{"VIRTKEY", kVirtKey},
                                                                   {"NOINVERT", kNoInvert},
                                                                   {"SHIFT", kShift},
                                                                   {"CONTROL", kControl},
                                                                   {"ALT", kAlt},
                                                                   {"ASCII", 0}}};

}  // namespace

bool ScriptParser::ParseAccelerators(const Token& typeToken, ResourceStatement& statement) {
    while (ParseOptionalStatement(statement)) {
    }
    const Token opening = ExpectBlockBegin(typeToken, "ACCELERATORS");
    AcceleratorTable table;
    while (true) {
        const Token event = m_lexer.Next();
        if (ClosesBlock(event, opening, msg::kAcceleratorsNotClosed)) {
            break;
        }
        std::uint32_t key = 0;
        std::string text;
        const bool isText = event.kind == TokenKind::kString;
        if (isText) {
            text = DecodeNarrowString(event.text);
        } else if (event.kind == TokenKind::kInteger) {
            const std::optional<std::uint32_t> value = ParseScriptInteger(event.text);
            if (!value) {
                Refuse(event, Compose(msg::kNotAValidNumber, {event.text}));
            }
            key = *value;
        } else {
            Refuse(event, Compose(msg::kExpectedKey, {Describe(event)}));
        }
        ExpectComma(event, msg::kPartCommandId);
        const ScriptInteger id = ParseInteger(msg::kPartCommandId);
        std::uint32_t flags = 0;
        bool ascii = false;
        while (AcceptComma() || (m_lexer.Peek().kind == TokenKind::kIdentifier && !IsBlockEnd(m_lexer.Peek()))) {
            const Token option = m_lexer.Next();
            const auto found = std::find_if(kAcceleratorOptions.begin(), kAcceleratorOptions.end(),
                                            [&](const AcceleratorOption& o) { return IsWord(option, o.word); });
            if (found == kAcceleratorOptions.end()) {
                Refuse(option, Compose(msg::kExpectedAcceleratorOption, {Describe(option)}));
            }
            flags |= found->bit;
            ascii = ascii || found->word == "ASCII";
        }
        if (ascii && (flags & kVirtKey)) {
            Refuse(event, Compose(msg::kAsciiAndVirtkey));
        }
        if (!(flags & kVirtKey) && (flags & (kShift | kControl))) {
            Refuse(event, Compose(msg::kShiftControlVirtkeyOnly));
        }
        if (!(flags & kVirtKey) && (flags & kAlt)) {
            Warn(event.line, Compose(msg::kAltOnAscii));
        }
        if (isText) {
            if (text.size() == 2 && text[0] == '^') {
                if (flags & kVirtKey) {
                    Refuse(event, Compose(msg::kControlCharacterVirtkey));
                }
                const char letter = ToUpperAscii(text[1]);
                if (letter < 'A' || letter > 'Z') {
                    Refuse(event, Compose(msg::kNoControlCharacter, {std::string(1, text[1])}));
                }
                key = static_cast<std::uint32_t>(letter - 'A' + 1);
            } else if (text.size() == 1) {
                const char c = (flags & kVirtKey) ? ToUpperAscii(text[0]) : text[0];
                key = static_cast<unsigned char>(c);
            } else {
                Refuse(event, Compose(msg::kAcceleratorKeyForm));
            }
        }
        table.entries.push_back({flags, key, id.value});
    }
    statement.body = std::move(table);
    return true;
}

}  // namespace brcc
