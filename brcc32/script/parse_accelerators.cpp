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
    const Token opening = ExpectBlockBegin(typeToken, "the ACCELERATORS");
    AcceleratorTable table;
    while (true) {
        const Token event = m_lexer.Next();
        if (ClosesBlock(event, opening, "the ACCELERATORS are not closed with END or '}'")) {
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
                Refuse(event, "'" + std::string(event.text) + "' is not a valid number");
            }
            key = *value;
        } else {
            Refuse(event, "expected a key (\"a\", \"^C\" or a number) in the ACCELERATORS, found " + Describe(event));
        }
        ExpectComma(event, "the command id");
        const ScriptInteger id = ParseInteger("command id");
        std::uint32_t flags = 0;
        bool ascii = false;
        while (AcceptComma() || (m_lexer.Peek().kind == TokenKind::kIdentifier && !IsBlockEnd(m_lexer.Peek()))) {
            const Token option = m_lexer.Next();
            const auto found = std::find_if(kAcceleratorOptions.begin(), kAcceleratorOptions.end(),
                                            [&](const AcceleratorOption& o) { return IsWord(option, o.word); });
            if (found == kAcceleratorOptions.end()) {
                Refuse(option, "expected VIRTKEY, ASCII, NOINVERT, SHIFT, CONTROL or ALT, found " + Describe(option));
            }
            flags |= found->bit;
            ascii = ascii || found->word == "ASCII";
        }
        if (ascii && (flags & kVirtKey)) {
            Refuse(event, "an accelerator cannot be both ASCII and VIRTKEY");
        }
        if (!(flags & kVirtKey) && (flags & (kShift | kControl))) {
            Refuse(event, "SHIFT and CONTROL apply to VIRTKEY accelerators only");
        }
        if (!(flags & kVirtKey) && (flags & kAlt)) {
            Warn(event.line,
                 "ALT on an ASCII accelerator: Windows' compiler keeps it, and so does this one, but "
                 "llvm-rc refuses it; for Alt and a key, write the key with VIRTKEY");
        }
        if (isText) {
            if (text.size() == 2 && text[0] == '^') {
                if (flags & kVirtKey) {
                    Refuse(event, "a control character (\"^X\") cannot be a VIRTKEY accelerator");
                }
                const char letter = ToUpperAscii(text[1]);
                if (letter < 'A' || letter > 'Z') {
                    Refuse(event, "\"^" + std::string(1, text[1]) + "\" is no control character: write ^ and a letter");
                }
                key = static_cast<std::uint32_t>(letter - 'A' + 1);
            } else if (text.size() == 1) {
                const char c = (flags & kVirtKey) ? ToUpperAscii(text[0]) : text[0];
                key = static_cast<unsigned char>(c);
            } else {
                Refuse(event, "an accelerator's key is one character, or ^ and a letter");
            }
        }
        table.entries.push_back({flags, key, id.value});
    }
    statement.body = std::move(table);
    return true;
}

}  // namespace brcc
