// DIALOG and DIALOGEX: the dialog's statements, then its controls, into the model.
#include <algorithm>
#include <array>

#include "brcc32/script/parser.h"
#include "brcc32/script/syntax.h"

namespace brcc {
namespace {

constexpr std::uint32_t kDefaultDialogStyle = 0x80880000;  // WS_POPUP | WS_BORDER | WS_SYSMENU
constexpr std::uint32_t kDialogCaption = 0x00C00000;       // WS_CAPTION
constexpr std::uint32_t kDialogSetFont = 0x40;             // DS_SETFONT
constexpr std::uint32_t kMaxControls = 0xFFFF;
constexpr std::size_t kMaxCreationData = 0xFFFF;

struct ControlKind {
    std::string_view keyword;
    std::uint32_t style;      // WS_CHILD | WS_VISIBLE and the kind's own bits, as Windows' compiler gives them
    std::uint16_t classAtom;  // 0 for CONTROL, which names its class
    bool hasText;
};

// The atoms of the predefined window classes.
enum ClassAtom : std::uint16_t { kButton = 0x80, kEdit, kStatic, kListBox, kScrollBar, kComboBox };

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

// Class names that Windows' compiler takes unquoted in CONTROL, as the predefined classes' atoms.
struct ClassKeyword {
    std::string_view word;
    std::uint16_t atom;
    std::string_view atomText;  // for messages
};

constexpr std::array<ClassKeyword, 6> kClassKeywords = {{{"BUTTON", kButton, "0x80"},
                                                         {"EDIT", kEdit, "0x81"},
                                                         {"STATIC", kStatic, "0x82"},
                                                         {"LISTBOX", kListBox, "0x83"},
                                                         {"SCROLLBAR", kScrollBar, "0x84"},
                                                         {"COMBOBOX", kComboBox, "0x85"}}};

// A DIALOG control's fixed part: style, extended style, position and size, id.
constexpr std::size_t kControlHeaderSize = 18;

const ControlKind* FindControlKind(const Token& token) {
    if (token.kind != TokenKind::kIdentifier) {
        return nullptr;
    }
    const auto found = std::find_if(kControlKinds.begin(), kControlKinds.end(),
                                    [&](const ControlKind& kind) { return EqualsNoCase(token.text, kind.keyword); });
    return found == kControlKinds.end() ? nullptr : &*found;
}

}  // namespace

bool ScriptParser::ParseDialog(const Token& typeToken, ResourceStatement& statement) {
    ParseDialog(typeToken, statement, false);
    return true;
}

bool ScriptParser::ParseDialogEx(const Token& typeToken, ResourceStatement& statement) {
    ParseDialog(typeToken, statement, true);
    return true;
}

void ScriptParser::ParseDialog(const Token& typeToken, ResourceStatement& statement, bool extended) {
    Dialog dialog;
    dialog.extended = extended;
    DialogFrame& frame = dialog.frame;
    for (std::uint32_t* value : {&frame.x, &frame.y, &frame.width, &frame.height}) {
        if (value != &frame.x) {
            ExpectComma(typeToken, msg::kPartNextDialogPlace);
        }
        *value = ParseInteger(msg::kPartDialogPlace).value;
    }
    if (extended && AcceptComma()) {
        dialog.helpId = ParseInteger(msg::kPartDialogHelpId).value;
    }
    std::optional<std::uint32_t> style;
    bool hasCaption = false;
    std::vector<int> controlLines;  // of each control, for its warnings
    while (!IsBlockBegin(m_lexer.Peek())) {
        if (ParseOptionalStatement(statement)) {
            continue;
        }
        const Token keyword = m_lexer.Next();
        if (IsWord(keyword, "STYLE")) {
            style = ParseInteger("STYLE").value;
        } else if (IsWord(keyword, "EXSTYLE")) {
            dialog.exStyle = ParseInteger("EXSTYLE").value;
        } else if (IsWord(keyword, "CAPTION")) {
            const Token text = m_lexer.Next();
            if (!IsString(text)) {
                Refuse(text.kind == TokenKind::kEnd ? keyword : text, Compose(msg::kExpectedCaption, {Describe(text)}));
            }
            dialog.caption = CutAtNul(StringRun(text, "CAPTION"));
            hasCaption = true;
        } else if (IsWord(keyword, "MENU") || IsWord(keyword, "CLASS")) {
            NameOrOrdinal& target = IsWord(keyword, "MENU") ? dialog.menu : dialog.windowClass;
            const Token& next = m_lexer.Peek();
            if (next.kind == TokenKind::kIdentifier || IsString(next)) {
                target = NameOrOrdinal{std::nullopt, NameText(m_lexer.Next(), ToUpperAscii(keyword.text))};
            } else {
                target = NameOrOrdinal{ParseInteger(ToUpperAscii(keyword.text)).value, {}};
            }
        } else if (IsWord(keyword, "FONT")) {
            dialog.font = ParseDialogFont(keyword, extended);
        } else {
            Refuse(keyword, Compose(msg::kExpectedDialogStatement, {Describe(keyword)}));
        }
    }
    const Token opening = m_lexer.Next();
    while (true) {
        const Token keyword = m_lexer.Next();
        if (ClosesBlock(keyword, opening, msg::kDialogNotClosed)) {
            break;
        }
        dialog.controls.push_back(ParseControl(keyword, extended));
        controlLines.push_back(keyword.line);
    }
    if (!extended) {
        WarnUnalignedControls(dialog.controls, controlLines);
    }
    if (dialog.controls.size() > kMaxControls) {
        Refuse(typeToken, Compose(msg::kTooManyControls));
    }
    dialog.style = style.value_or(kDefaultDialogStyle);
    if (dialog.font) {
        dialog.style |= kDialogSetFont;
    }
    if (hasCaption) {
        dialog.style |= kDialogCaption;  // even for CAPTION "", as Windows' compiler and llvm-rc do
    }
    statement.body = std::move(dialog);
}

DialogFont ScriptParser::ParseDialogFont(const Token& keyword, bool extended) {
    DialogFont font;
    font.pointSize = ParseInteger(msg::kPartFontSize).value;
    ExpectComma(keyword, msg::kPartFontFace);
    const Token face = m_lexer.Next();
    if (!IsString(face)) {
        Refuse(face.kind == TokenKind::kEnd ? keyword : face, Compose(msg::kExpectedFontFace, {Describe(face)}));
    }
    for (std::uint32_t* value : {&font.weight, &font.italic, &font.charSet}) {
        if (!AcceptComma()) {
            break;
        }
        if (!extended) {
            Refuse(keyword, Compose(msg::kFontExtrasNeedDialogEx));
        }
        *value = ParseInteger("FONT").value;
    }
    font.face = CutAtNul(StringRun(face, msg::kPartFontFace));
    return font;
}

DialogControl ScriptParser::ParseControl(const Token& keyword, bool extended) {
    const ControlKind* kind = FindControlKind(keyword);
    if (kind == nullptr) {
        Refuse(keyword, Compose(msg::kNotAControl, {keyword.text}));
    }
    const bool generic = kind->classAtom == 0;
    const bool isIcon = kind->keyword == "ICON";
    DialogControl control;
    if (kind->hasText) {
        const Token text = m_lexer.Peek();
        if (IsString(text) || (isIcon && text.kind == TokenKind::kIdentifier)) {
            control.text.name = NameText(m_lexer.Next(), msg::kPartControlText);
        } else {
            control.text.ordinal = ParseInteger(msg::kPartControlText).value;
        }
        ExpectComma(keyword, msg::kPartControlId);
    }
    const Token idToken = m_lexer.Peek();
    control.id = ParseInteger(msg::kPartControlId).value;
    if (!extended && !Fits16(control.id)) {
        Refuse(idToken, Compose(msg::kControlIdRange, {std::to_string(control.id)}));
    }
    MaskedInteger style{};
    if (generic) {
        ExpectComma(keyword, msg::kPartControlClass);
        control.windowClass = ParseControlClass();
        ExpectComma(keyword, msg::kPartControlStyle);
        style = ParseSum(msg::kPartControlStyle);
    } else {
        control.windowClass.ordinal = kind->classAtom;
    }
    // An ICON takes its size from its image unless the script gives one.
    DialogFrame& frame = control.frame;
    const std::array<std::uint32_t*, 4> places = {&frame.x, &frame.y, &frame.width, &frame.height};
    const std::size_t required = isIcon ? 2 : 4;
    for (std::size_t k = 0; k < places.size(); ++k) {
        if (k >= required && m_lexer.Peek().kind != TokenKind::kComma) {
            break;
        }
        ExpectComma(keyword, msg::kPartControlPlace);
        *places[k] = ParseInteger(msg::kPartControlPlace).value;
    }
    if (!generic && AcceptComma()) {
        style = ParseSum(msg::kPartControlStyle);
    }
    if (AcceptComma()) {
        control.exStyle = ParseInteger(msg::kPartControlExStyle).value;
        if (AcceptComma()) {
            if (!extended) {
                Refuse(keyword, Compose(msg::kHelpIdNeedsDialogEx));
            }
            control.helpId = ParseInteger(msg::kPartControlHelpId).value;
        }
    }
    control.style = (kind->style & ~style.notMask) | style.integer.value;
    if (IsBlockBegin(m_lexer.Peek())) {
        ParseUserData(keyword, control.creationData);
        if (control.creationData.size() > kMaxCreationData) {
            Refuse(keyword, Compose(msg::kControlDataTooLarge));
        }
    }
    return control;
}

// A quoted class name, or the number of a predefined class.
NameOrOrdinal ScriptParser::ParseControlClass() {
    const Token classToken = m_lexer.Next();
    if (IsString(classToken)) {
        return NameOrOrdinal{std::nullopt, std::u16string(CutAtNul(StringRun(classToken, msg::kPartControlClass)))};
    }
    const auto predefined = std::find_if(kClassKeywords.begin(), kClassKeywords.end(),
                                         [&](const ClassKeyword& c) { return IsWord(classToken, c.word); });
    if (predefined != kClassKeywords.end()) {
        Warn(classToken.line, Compose(msg::kUnquotedClass, {ToUpperAscii(classToken.text), predefined->atomText}));
        return NameOrOrdinal{predefined->atom, {}};
    }
    if (classToken.kind != TokenKind::kInteger) {
        Refuse(classToken, Compose(msg::kExpectedClass, {Describe(classToken)}));
    }
    // A class number that is not one, or that a 16-bit atom cannot hold, would name
    // another class than the one written: refuse it rather than store 0 or a cut value.
    const std::optional<std::uint32_t> atom = ParseScriptInteger(classToken.text);
    if (!atom) {
        Refuse(classToken, Compose(msg::kNotAValidNumber, {classToken.text}));
    }
    if (!Fits16(*atom)) {
        Refuse(classToken, Compose(msg::kClassRange, {std::to_string(*atom)}));
    }
    Warn(classToken.line, Compose(msg::kNumberedClass, {std::to_string(*atom & 0xFFFF)}));
    return NameOrOrdinal{*atom, {}};
}

// Windows' compiler writes the control after one with data where the data ends, not on the 4-byte boundary Windows
// reads it from. The encoder aligns it; the script is told where Windows' compiler would not.
void ScriptParser::WarnUnalignedControls(const std::vector<DialogControl>& controls, const std::vector<int>& lines) {
    auto nameSize = [](const NameOrOrdinal& name) { return name.ordinal ? 4 : (name.name.size() + 1) * 2; };
    for (std::size_t i = 0; i + 1 < controls.size(); ++i) {
        const DialogControl& control = controls[i];
        const std::size_t size = kControlHeaderSize + nameSize(control.windowClass) + nameSize(control.text) + 2 +
                                 control.creationData.size();
        if (!control.creationData.empty() && size % 4 != 0) {
            Warn(lines[i], Compose(msg::kUnalignedControl));
        }
    }
}

}  // namespace brcc
