// The statements whose data is a block of the script: accelerator tables, menus, dialogs, and Borland's hex data.
#include <algorithm>
#include <array>

#include "brcc32/script/parser.h"
#include "brcc32/script/strings.h"
#include "brcc32/script/syntax.h"
#include "brcc32/text/code_page.h"

namespace brcc {
namespace {

constexpr std::uint32_t kVirtKey = 0x01;
constexpr std::uint32_t kNoInvert = 0x02;
constexpr std::uint32_t kShift = 0x04;
constexpr std::uint32_t kControl = 0x08;
constexpr std::uint32_t kAlt = 0x10;
constexpr std::uint16_t kLastEntry = 0x80;
constexpr std::uint16_t kMenuPopup = 0x10;
constexpr std::uint16_t kMenuExPopup = 0x01;
constexpr std::uint32_t kMenuExSeparator = 0x800;

constexpr std::uint32_t kDefaultDialogStyle = 0x80880000;  // WS_POPUP | WS_BORDER | WS_SYSMENU
constexpr std::uint32_t kDialogCaption = 0x00C00000;       // WS_CAPTION
constexpr std::uint32_t kDialogSetFont = 0x40;             // DS_SETFONT

struct Option {
    std::string_view m_word;
    std::uint32_t m_bit;
};

constexpr std::array<Option, 6> kAcceleratorOptions = {{{"VIRTKEY", kVirtKey},
                                                        {"NOINVERT", kNoInvert},
                                                        {"SHIFT", kShift},
                                                        {"CONTROL", kControl},
                                                        {"ALT", kAlt},
                                                        {"ASCII", 0}}};

constexpr std::array<Option, 6> kMenuOptions = {{{"GRAYED", 0x01},
                                                 {"INACTIVE", 0x02},
                                                 {"CHECKED", 0x08},
                                                 {"MENUBARBREAK", 0x20},
                                                 {"MENUBREAK", 0x40},
                                                 {"HELP", 0x4000}}};

struct ControlKind {
    std::string_view m_keyword;
    std::uint32_t m_style;      // WS_CHILD | WS_VISIBLE and the kind's own bits, as Windows' compiler gives them
    std::uint16_t m_classAtom;  // 0 for CONTROL, which names its class
    bool m_hasText;
};

constexpr std::uint16_t kButton = 0x80;
constexpr std::uint16_t kEdit = 0x81;
constexpr std::uint16_t kStatic = 0x82;
constexpr std::uint16_t kListBox = 0x83;
constexpr std::uint16_t kScrollBar = 0x84;
constexpr std::uint16_t kComboBox = 0x85;

constexpr std::array<ControlKind, 19> kControlKinds = {{
    {"LTEXT", 0x50020000, kStatic, true},
    {"CTEXT", 0x50020001, kStatic, true},
    {"RTEXT", 0x50020002, kStatic, true},
    {"ICON", 0x50000003, kStatic, true},
    {"PUSHBUTTON", 0x50010000, kButton, true},
    {"DEFPUSHBUTTON", 0x50010001, kButton, true},
    {"CHECKBOX", 0x50010002, kButton, true},
    {"AUTOCHECKBOX", 0x50010003, kButton, true},
    {"RADIOBUTTON", 0x50000004, kButton, true},
    {"STATE3", 0x50010005, kButton, true},
    {"AUTO3STATE", 0x50010006, kButton, true},
    {"GROUPBOX", 0x50000007, kButton, true},
    {"AUTORADIOBUTTON", 0x50000009, kButton, true},
    {"PUSHBOX", 0x5001000A, kButton, true},
    {"EDITTEXT", 0x50810000, kEdit, false},
    {"LISTBOX", 0x50800001, kListBox, false},
    {"COMBOBOX", 0x50000000, kComboBox, false},
    {"SCROLLBAR", 0x50000000, kScrollBar, false},
    {"CONTROL", 0x50000000, 0, true},
}};

const ControlKind* FindControlKind(const Token& token) {
    if (token.m_kind != TokenKind::kIdentifier) {
        return nullptr;
    }
    const auto found = std::find_if(kControlKinds.begin(), kControlKinds.end(), [&](const ControlKind& kind) {
        return EqualsNoCase(token.m_text, kind.m_keyword);
    });
    return found == kControlKinds.end() ? nullptr : &*found;
}

bool IsString(const Token& token) {
    return token.m_kind == TokenKind::kString || token.m_kind == TokenKind::kWideString;
}

// Ids that fit 16 bits, as a number or as a negative one (-1 for IDC_STATIC).
bool Fits16(std::uint32_t value) { return value <= 0xFFFF || value >= 0xFFFF8000u; }

}  // namespace

bool ScriptParser::AcceptComma() {
    if (m_lexer.Peek().m_kind == TokenKind::kComma) {
        m_lexer.Next();
        return true;
    }
    return false;
}

void ScriptParser::ExpectComma(const Token& after, std::string_view what) {
    if (!AcceptComma()) {
        const Token& next = m_lexer.Peek();
        Refuse(next.m_kind == TokenKind::kEnd ? after : next,
               "expected ',' before " + std::string(what) + ", found " + Describe(next));
    }
}

void ScriptParser::PutNameOrOrdinal(std::vector<std::uint8_t>& out, const Token& token) {
    if (token.m_kind == TokenKind::kIdentifier) {
        PutUtf16(out, ToUtf16(ToUpperAscii(token.m_text), kCodePageWestern), true);
        return;
    }
    PutUtf16(out, CutAtNul(StringText(token)), true);
}

void ScriptParser::ParseAccelerators(const Token& typeToken, ResourceStatement& statement) {
    statement.m_kind = ResourceKind::kData;
    while (ParseOptionalStatement(statement)) {
    }
    const Token opening = ExpectBlockBegin(typeToken, "the ACCELERATORS");
    std::vector<std::uint8_t>& out = statement.m_data;
    std::size_t lastFlags = 0;
    while (true) {
        const Token event = m_lexer.Next();
        if (IsBlockEnd(event)) {
            break;
        }
        if (event.m_kind == TokenKind::kEnd) {
            Refuse(opening, "the ACCELERATORS are not closed with END or '}'");
        }
        std::uint32_t key = 0;
        std::string text;
        const bool isText = event.m_kind == TokenKind::kString;
        if (isText) {
            text = DecodeNarrowString(event.m_text);
        } else if (event.m_kind == TokenKind::kInteger) {
            const std::optional<std::uint32_t> value = ParseScriptInteger(event.m_text);
            if (!value) {
                Refuse(event, "'" + std::string(event.m_text) + "' is not a valid number");
            }
            key = *value;
        } else {
            Refuse(event, "expected a key (\"a\", \"^C\" or a number) in the ACCELERATORS, found " + Describe(event));
        }
        ExpectComma(event, "the command id");
        const ScriptInteger id = ParseInteger("command id");
        std::uint32_t flags = 0;
        bool ascii = false;
        while (AcceptComma() || (m_lexer.Peek().m_kind == TokenKind::kIdentifier && !IsBlockEnd(m_lexer.Peek()))) {
            const Token option = m_lexer.Next();
            const auto found = std::find_if(kAcceleratorOptions.begin(), kAcceleratorOptions.end(),
                                            [&](const Option& o) { return IsWord(option, o.m_word); });
            if (found == kAcceleratorOptions.end()) {
                Refuse(option, "expected VIRTKEY, ASCII, NOINVERT, SHIFT, CONTROL or ALT, found " + Describe(option));
            }
            flags |= found->m_bit;
            ascii = ascii || found->m_word == "ASCII";
        }
        if (ascii && (flags & kVirtKey)) {
            Refuse(event, "an accelerator cannot be both ASCII and VIRTKEY");
        }
        if (!(flags & kVirtKey) && (flags & (kShift | kControl | kAlt))) {
            Refuse(event, "SHIFT, CONTROL and ALT apply to VIRTKEY accelerators only");
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
        lastFlags = out.size();
        PutU16(out, flags);
        PutU16(out, key);
        PutU16(out, id.m_value);
        PutU16(out, 0);
    }
    if (!out.empty()) {
        out[lastFlags] |= kLastEntry;
    }
}

void ScriptParser::ParseMenu(const Token& typeToken, ResourceStatement& statement, bool extended) {
    statement.m_kind = ResourceKind::kData;
    while (ParseOptionalStatement(statement)) {
    }
    const Token opening = ExpectBlockBegin(typeToken, extended ? "the MENUEX" : "the MENU");
    std::vector<std::uint8_t>& out = statement.m_data;
    if (extended) {
        PutU16(out, 1);  // version
        PutU16(out, 4);  // offset to the items
        PutU32(out, 0);  // help id
    } else {
        PutU32(out, 0);
    }
    ParseMenuItems(out, opening, extended);
}

// Each item's flags are written as it is read; the last one of a block is marked when its END comes.
void ScriptParser::ParseMenuItems(std::vector<std::uint8_t>& out, const Token& opening, bool extended) {
    std::size_t lastFlags = std::string::npos;
    while (true) {
        const Token keyword = m_lexer.Next();
        if (IsBlockEnd(keyword)) {
            break;
        }
        if (keyword.m_kind == TokenKind::kEnd) {
            Refuse(opening, "this menu block is not closed with END or '}'");
        }
        const bool popup = IsWord(keyword, "POPUP");
        if (!popup && !IsWord(keyword, "MENUITEM")) {
            Refuse(keyword, "expected MENUITEM, POPUP or END in the menu, found " + Describe(keyword));
        }
        if (!popup && IsWord(m_lexer.Peek(), "SEPARATOR")) {
            m_lexer.Next();
            if (extended) {
                PadTo4(out);
                PutU32(out, kMenuExSeparator);
                PutU32(out, 0);
                PutU32(out, 0);
                lastFlags = out.size();
                PutU16(out, 0);
                PutU16(out, 0);
            } else {
                lastFlags = out.size();
                PutU16(out, 0);
                PutU16(out, 0);
                PutU16(out, 0);
            }
            continue;
        }
        const Token text = m_lexer.Next();
        if (!IsString(text)) {
            Refuse(text.m_kind == TokenKind::kEnd ? keyword : text,
                   "expected the quoted text of the " + ToUpperAscii(keyword.m_text) + ", found " + Describe(text));
        }
        const std::u16string caption(CutAtNul(StringText(text)));
        if (extended) {
            // MENUITEM "text" [, id [, type [, state]]]; POPUP adds [, help id].
            std::uint32_t values[4] = {};
            const int count = popup ? 4 : 3;
            for (int k = 0; k < count && AcceptComma(); ++k) {
                if (m_lexer.Peek().m_kind == TokenKind::kComma) {
                    continue;  // an empty place keeps its 0
                }
                values[k] = ParseInteger("menu item").m_value;
            }
            PadTo4(out);
            PutU32(out, values[1]);
            PutU32(out, values[2]);
            PutU32(out, values[0]);
            lastFlags = out.size();
            PutU16(out, popup ? kMenuExPopup : 0);
            PutUtf16(out, caption, true);
            if (popup) {
                PadTo4(out);
                PutU32(out, values[3]);
                ParseMenuItems(out, ExpectBlockBegin(text, "the POPUP"), true);
            }
            continue;
        }
        std::uint32_t id = 0;
        if (!popup) {
            ExpectComma(text, "the MENUITEM's id");
            const Token idToken = m_lexer.Peek();
            id = ParseInteger("menu item id").m_value;
            if (!Fits16(id)) {
                Refuse(idToken,
                       "the menu item id " + std::to_string(id) + " does not fit the 16 bits of a MENU (use MENUEX)");
            }
        }
        std::uint32_t flags = popup ? kMenuPopup : 0;
        auto isOption = [&](const Token& token) {
            return std::any_of(kMenuOptions.begin(), kMenuOptions.end(),
                               [&](const Option& o) { return IsWord(token, o.m_word); });
        };
        while (AcceptComma() || isOption(m_lexer.Peek())) {
            const Token& next = m_lexer.Peek();
            if (popup && IsBlockBegin(next)) {
                break;
            }
            const auto found = std::find_if(kMenuOptions.begin(), kMenuOptions.end(),
                                            [&](const Option& o) { return IsWord(next, o.m_word); });
            if (found == kMenuOptions.end()) {
                Refuse(next,
                       "expected CHECKED, GRAYED, HELP, INACTIVE, MENUBARBREAK or MENUBREAK, found " + Describe(next));
            }
            flags |= found->m_bit;
            m_lexer.Next();
        }
        lastFlags = out.size();
        PutU16(out, flags);
        if (!popup) {
            PutU16(out, id);
        }
        PutUtf16(out, caption, true);
        if (popup) {
            ParseMenuItems(out, ExpectBlockBegin(text, "the POPUP"), false);
        }
    }
    if (lastFlags != std::string::npos) {
        out[lastFlags] |= kLastEntry;
    }
}

void ScriptParser::ParseDialog(const Token& typeToken, ResourceStatement& statement, bool extended) {
    statement.m_kind = ResourceKind::kData;
    std::uint32_t frame[4] = {};
    for (int k = 0; k < 4; ++k) {
        if (k > 0) {
            ExpectComma(typeToken, "the next of the dialog's x, y, width and height");
        }
        frame[k] = ParseInteger("dialog's position and size").m_value;
    }
    std::uint32_t helpId = 0;
    if (extended && AcceptComma()) {
        helpId = ParseInteger("dialog's help id").m_value;
    }
    std::optional<std::uint32_t> style;
    std::uint32_t exStyle = 0;
    std::u16string caption;
    std::vector<std::uint8_t> menu = {0, 0};
    std::vector<std::uint8_t> windowClass = {0, 0};
    std::optional<std::vector<std::uint8_t>> font;
    while (!IsBlockBegin(m_lexer.Peek())) {
        if (ParseOptionalStatement(statement)) {
            continue;
        }
        const Token keyword = m_lexer.Next();
        if (IsWord(keyword, "STYLE")) {
            style = ParseInteger("STYLE").m_value;
        } else if (IsWord(keyword, "EXSTYLE")) {
            exStyle = ParseInteger("EXSTYLE").m_value;
        } else if (IsWord(keyword, "CAPTION")) {
            const Token text = m_lexer.Next();
            if (!IsString(text)) {
                Refuse(text.m_kind == TokenKind::kEnd ? keyword : text,
                       "expected the quoted text of the CAPTION, found " + Describe(text));
            }
            caption = CutAtNul(StringText(text));
        } else if (IsWord(keyword, "MENU") || IsWord(keyword, "CLASS")) {
            const Token& next = m_lexer.Peek();
            if (next.m_kind == TokenKind::kIdentifier || IsString(next)) {
                const Token name = m_lexer.Next();
                std::vector<std::uint8_t>& target = IsWord(keyword, "MENU") ? menu : windowClass;
                target.clear();
                PutNameOrOrdinal(target, name);
            } else {
                const std::uint32_t value = ParseInteger(ToUpperAscii(keyword.m_text)).m_value;
                std::vector<std::uint8_t>& target = IsWord(keyword, "MENU") ? menu : windowClass;
                target.clear();
                PutU16(target, 0xFFFF);
                PutU16(target, value);
            }
        } else if (IsWord(keyword, "FONT")) {
            std::vector<std::uint8_t> bytes;
            const std::uint32_t size = ParseInteger("FONT size").m_value;
            ExpectComma(keyword, "the FONT's face name");
            const Token face = m_lexer.Next();
            if (!IsString(face)) {
                Refuse(face.m_kind == TokenKind::kEnd ? keyword : face,
                       "expected the quoted face name of the FONT, found " + Describe(face));
            }
            std::uint32_t extras[3] = {0, 0, 1};  // weight, italic, character set (DEFAULT_CHARSET)
            for (int k = 0; k < 3 && AcceptComma(); ++k) {
                if (!extended) {
                    Refuse(keyword, "a FONT's weight, italic and character set belong to DIALOGEX, not DIALOG");
                }
                extras[k] = ParseInteger("FONT").m_value;
            }
            PutU16(bytes, size);
            if (extended) {
                PutU16(bytes, extras[0]);
                bytes.push_back(static_cast<std::uint8_t>(extras[1]));
                bytes.push_back(static_cast<std::uint8_t>(extras[2]));
            }
            PutUtf16(bytes, CutAtNul(StringText(face)), true);
            font = std::move(bytes);
        } else {
            Refuse(keyword,
                   "expected a dialog statement (STYLE, EXSTYLE, CAPTION, CLASS, FONT, MENU, LANGUAGE, "
                   "VERSION, CHARACTERISTICS) or BEGIN, found " +
                       Describe(keyword));
        }
    }
    const Token opening = m_lexer.Next();
    std::vector<std::uint8_t> controls;
    std::uint32_t count = 0;
    while (true) {
        const Token keyword = m_lexer.Next();
        if (IsBlockEnd(keyword)) {
            break;
        }
        if (keyword.m_kind == TokenKind::kEnd) {
            Refuse(opening, "the dialog's controls are not closed with END or '}'");
        }
        ParseControl(keyword, controls, extended);
        ++count;
    }
    if (count > 0xFFFF) {
        Refuse(typeToken, "a dialog holds at most 65535 controls");
    }
    std::uint32_t usedStyle = style.value_or(kDefaultDialogStyle);
    if (font) {
        usedStyle |= kDialogSetFont;
    }
    if (!caption.empty()) {
        usedStyle |= kDialogCaption;
    }
    std::vector<std::uint8_t>& out = statement.m_data;
    if (extended) {
        PutU16(out, 1);
        PutU16(out, 0xFFFF);
        PutU32(out, helpId);
        PutU32(out, exStyle);
        PutU32(out, usedStyle);
    } else {
        PutU32(out, usedStyle);
        PutU32(out, exStyle);
    }
    PutU16(out, count);
    for (const std::uint32_t value : frame) {
        PutU16(out, value);
    }
    out.insert(out.end(), menu.begin(), menu.end());
    out.insert(out.end(), windowClass.begin(), windowClass.end());
    PutUtf16(out, caption, true);
    if (font) {
        out.insert(out.end(), font->begin(), font->end());
    }
    // The controls were laid out from offset 0: the header keeps their alignment when it is a multiple of 4 long.
    if (!controls.empty()) {
        PadTo4(out);
        out.insert(out.end(), controls.begin(), controls.end());
    }
}

void ScriptParser::ParseControl(const Token& keyword, std::vector<std::uint8_t>& out, bool extended) {
    const ControlKind* kind = FindControlKind(keyword);
    if (kind == nullptr) {
        Refuse(keyword, "'" + std::string(keyword.m_text) +
                            "' is not a dialog control: LTEXT, RTEXT, CTEXT, EDITTEXT, PUSHBUTTON, DEFPUSHBUTTON, "
                            "CHECKBOX, AUTOCHECKBOX, STATE3, AUTO3STATE, RADIOBUTTON, AUTORADIOBUTTON, GROUPBOX, "
                            "LISTBOX, COMBOBOX, SCROLLBAR, ICON, PUSHBOX or CONTROL");
    }
    const bool generic = kind->m_classAtom == 0;
    const bool isIcon = kind->m_keyword == "ICON";
    std::vector<std::uint8_t> title = {0, 0};
    if (kind->m_hasText) {
        const Token text = m_lexer.Peek();
        if (IsString(text) || (isIcon && text.m_kind == TokenKind::kIdentifier)) {
            m_lexer.Next();
            title.clear();
            PutNameOrOrdinal(title, text);
        } else {
            const std::uint32_t value = ParseInteger("control's text").m_value;
            title.clear();
            PutU16(title, 0xFFFF);
            PutU16(title, value);
        }
        ExpectComma(keyword, "the control's id");
    }
    const Token idToken = m_lexer.Peek();
    const std::uint32_t id = ParseInteger("control's id").m_value;
    if (!extended && !Fits16(id)) {
        Refuse(idToken,
               "the control id " + std::to_string(id) + " does not fit the 16 bits of a DIALOG (use DIALOGEX)");
    }
    std::vector<std::uint8_t> windowClass;
    MaskedInteger style{};
    if (generic) {
        ExpectComma(keyword, "the control's class");
        const Token classToken = m_lexer.Next();
        if (IsString(classToken)) {
            PutUtf16(windowClass, CutAtNul(StringText(classToken)), true);
        } else if (classToken.m_kind == TokenKind::kInteger) {
            // A class number that is not one, or that a 16-bit atom cannot hold, would name
            // another class than the one written: refuse it rather than store 0 or a cut value.
            const std::optional<std::uint32_t> atom = ParseScriptInteger(classToken.m_text);
            if (!atom) {
                Refuse(classToken, "'" + std::string(classToken.m_text) + "' is not a valid number");
            }
            if (!Fits16(*atom)) {
                Refuse(classToken, "the control class " + std::to_string(*atom) + " does not fit 16 bits");
            }
            PutU16(windowClass, 0xFFFF);
            PutU16(windowClass, *atom);
        } else {
            Refuse(classToken,
                   "expected the control's class, a quoted name such as \"Button\", found " + Describe(classToken));
        }
        ExpectComma(keyword, "the control's style");
        style = ParseSum("control's style");
    } else {
        PutU16(windowClass, 0xFFFF);
        PutU16(windowClass, kind->m_classAtom);
    }
    std::uint32_t frame[4] = {};
    const int required = isIcon ? 2 : 4;
    for (int k = 0; k < 4; ++k) {
        if (k >= required && m_lexer.Peek().m_kind != TokenKind::kComma) {
            break;
        }
        ExpectComma(keyword, "the control's position and size");
        frame[k] = ParseInteger("control's position and size").m_value;
    }
    std::uint32_t exStyle = 0;
    std::uint32_t helpId = 0;
    if (!generic && AcceptComma()) {
        style = ParseSum("control's style");
    }
    if (AcceptComma()) {
        exStyle = ParseInteger("control's extended style").m_value;
        if (AcceptComma()) {
            if (!extended) {
                Refuse(keyword, "a control's help id belongs to DIALOGEX, not DIALOG");
            }
            helpId = ParseInteger("control's help id").m_value;
        }
    }
    std::uint32_t usedStyle = kind->m_style & ~style.m_notMask;
    usedStyle |= style.m_integer.m_value;
    std::vector<std::uint8_t> data;
    if (extended && IsBlockBegin(m_lexer.Peek())) {
        ResourceStatement block;
        ParseUserData(keyword, block);
        data = std::move(block.m_data);
        if (data.size() > 0xFFFF) {
            Refuse(keyword, "a control's data is at most 65535 bytes");
        }
    }
    PadTo4(out);
    if (extended) {
        PutU32(out, helpId);
        PutU32(out, exStyle);
        PutU32(out, usedStyle);
    } else {
        PutU32(out, usedStyle);
        PutU32(out, exStyle);
    }
    for (const std::uint32_t value : frame) {
        PutU16(out, value);
    }
    extended ? PutU32(out, id) : PutU16(out, id);
    out.insert(out.end(), windowClass.begin(), windowClass.end());
    out.insert(out.end(), title.begin(), title.end());
    PutU16(out, data.size());
    out.insert(out.end(), data.begin(), data.end());
}

// Borland's form: lines of quoted hex bytes that join into the bytes a file would hold.
void ScriptParser::ParseHexBlock(const Token& typeToken, ResourceStatement& statement) {
    const Token opening = m_lexer.Next();
    std::vector<std::uint8_t>& out = statement.m_data;
    while (true) {
        const Token token = m_lexer.Next();
        if (IsBlockEnd(token)) {
            break;
        }
        if (token.m_kind == TokenKind::kEnd) {
            Refuse(opening, "the data of " + ToUpperAscii(typeToken.m_text) + " is not closed with END or '}'");
        }
        if (token.m_kind != TokenKind::kHexString) {
            Refuse(token, ToUpperAscii(typeToken.m_text) +
                              " data in a block is lines of hex bytes in single quotes "
                              "('42 4D ...'), found " +
                              Describe(token));
        }
        ParseHexLine(token, out);
    }
    statement.m_fileLine = opening.m_line;
    statement.m_file = "(" + ToUpperAscii(typeToken.m_text) + " data of line " + std::to_string(opening.m_line) + ")";
    statement.m_inline = true;
}

void ScriptParser::ParseHexLine(const Token& token, std::vector<std::uint8_t>& out) {
    int high = -1;
    for (const char c : token.m_text) {
        if (c == ' ' || c == '\t') {
            continue;
        }
        const int digit = HexDigit(c);
        if (digit < 0) {
            Refuse(token, "'" + std::string(1, c) + "' is not a hex digit");
        }
        if (high < 0) {
            high = digit;
        } else {
            out.push_back(static_cast<std::uint8_t>(high << 4 | digit));
            high = -1;
        }
    }
    if (high >= 0) {
        Refuse(token, "a line of hex bytes has an odd number of digits");
    }
}

}  // namespace brcc
