// DIALOG and DIALOGEX back to text: each control by the keyword that gives its class and kind, its style exact.
#include <array>
#include <optional>

#include "brcc32/decompile/byte_reader.h"
#include "brcc32/decompile/script_text.h"
#include "brcc32/decompile/text_forms.h"

namespace brcc {
namespace {

constexpr std::uint32_t kSetFont = 0x40;  // DS_SETFONT: the header holds a font
constexpr std::uint16_t kOrdinalMarker = 0xFFFF;

struct NameOrNumber {
    std::optional<std::uint16_t> ordinal;
    std::u16string name;
};

NameOrNumber ReadNameOrNumber(ByteReader& in) {
    const std::uint16_t first = in.U16();
    if (first == kOrdinalMarker) {
        return {in.U16(), {}};
    }
    std::u16string name;
    for (char16_t c = first; c != 0; c = in.U16()) {
        name += c;
    }
    return {std::nullopt, name};
}

std::string NameOrNumberText(const NameOrNumber& value, bool& nonAscii) {
    return value.ordinal ? std::to_string(*value.ordinal) : QuoteText(value.name, nonAscii);
}

// A keyword for a predefined class: its atom, the style it starts from, the style bits that tell the kind apart,
// and whether it takes a text.
struct ControlKeyword {
    std::string_view word;
    std::uint16_t atom;
    std::uint32_t style;
    std::uint32_t kindMask;
    bool hasText;
};

constexpr std::array<ControlKeyword, 18> kControlKeywords = {{
    {"LTEXT", 0x82, 0x50020000, 0x1F, true},
    {"CTEXT", 0x82, 0x50020001, 0x1F, true},
    {"RTEXT", 0x82, 0x50020002, 0x1F, true},
    {"ICON", 0x82, 0x50000003, 0x1F, true},
    {"PUSHBUTTON", 0x80, 0x50010000, 0xF, true},
    {"DEFPUSHBUTTON", 0x80, 0x50010001, 0xF, true},
    {"CHECKBOX", 0x80, 0x50010002, 0xF, true},
    {"AUTOCHECKBOX", 0x80, 0x50010003, 0xF, true},
    {"RADIOBUTTON", 0x80, 0x50000004, 0xF, true},
    {"STATE3", 0x80, 0x50010005, 0xF, true},
    {"AUTO3STATE", 0x80, 0x50010006, 0xF, true},
    {"GROUPBOX", 0x80, 0x50000007, 0xF, true},
    {"AUTORADIOBUTTON", 0x80, 0x50000009, 0xF, true},
    {"PUSHBOX", 0x80, 0x5001000A, 0xF, true},
    {"EDITTEXT", 0x81, 0x50810000, 0, false},
    {"LISTBOX", 0x83, 0x50800001, 0, false},
    {"COMBOBOX", 0x85, 0x50000000, 0, false},
    {"SCROLLBAR", 0x84, 0x50000000, 0, false},
}};

constexpr std::array<std::string_view, 6> kClassWords = {"BUTTON",  "EDIT",      "STATIC",
                                                         "LISTBOX", "SCROLLBAR", "COMBOBOX"};
constexpr std::uint32_t kGenericStyle = 0x50000000;  // WS_CHILD | WS_VISIBLE, which CONTROL starts from

// The style the script writes so that the keyword's own bits become exactly `style`: what it lacks is taken off.
std::string StyleText(std::uint32_t base, std::uint32_t style) {
    const std::uint32_t taken = base & ~style;
    return taken == 0 ? Hex(style) : "NOT " + Hex(taken) + " | " + Hex(style);
}

// -1, the id of controls that are never looked up, as it is written.
std::string IdText(std::uint32_t id) {
    return id >= 0x80000000u ? std::to_string(static_cast<std::int32_t>(id)) : std::to_string(id);
}

const ControlKeyword* FindKeyword(const NameOrNumber& windowClass, const NameOrNumber& text, std::uint32_t style) {
    if (!windowClass.ordinal) {
        return nullptr;
    }
    const bool noText = !text.ordinal && text.name.empty();
    for (const ControlKeyword& keyword : kControlKeywords) {
        if (keyword.atom == *windowClass.ordinal && (keyword.hasText || noText) &&
            (style & keyword.kindMask) == (keyword.style & keyword.kindMask)) {
            return &keyword;
        }
    }
    return nullptr;
}

std::string ControlText(ByteReader& in, bool extended, bool& nonAscii) {
    in.Align4();
    const std::uint32_t helpId = extended ? in.U32() : 0;
    std::uint32_t exStyle = extended ? in.U32() : 0;
    const std::uint32_t style = in.U32();
    if (!extended) {
        exStyle = in.U32();
    }
    std::array<std::uint16_t, 4> frame{};
    for (std::uint16_t& place : frame) {
        place = in.U16();
    }
    const std::uint32_t id = extended ? in.U32() : in.U16();
    const NameOrNumber windowClass = ReadNameOrNumber(in);
    const NameOrNumber text = ReadNameOrNumber(in);
    const std::span<const std::uint8_t> data = in.Bytes(in.U16());

    std::string out = "    ";
    const std::string place =
        Signed16(frame[0]) + ", " + Signed16(frame[1]) + ", " + Signed16(frame[2]) + ", " + Signed16(frame[3]);
    if (const ControlKeyword* keyword = FindKeyword(windowClass, text, style)) {
        out += std::string(keyword->word) + " ";
        if (keyword->hasText) {
            out += NameOrNumberText(text, nonAscii) + ", ";
        }
        out += IdText(id) + ", " + place;
        if (style != keyword->style || exStyle != 0 || helpId != 0) {
            out += ", " + StyleText(keyword->style, style);
        }
    } else {
        std::string classText;
        if (windowClass.ordinal && *windowClass.ordinal >= 0x80 && *windowClass.ordinal <= 0x85) {
            classText = kClassWords[*windowClass.ordinal - 0x80];
        } else {
            classText = NameOrNumberText(windowClass, nonAscii);
        }
        out += "CONTROL " + NameOrNumberText(text, nonAscii) + ", " + IdText(id) + ", " + classText + ", " +
               StyleText(kGenericStyle, style) + ", " + place;
    }
    if (exStyle != 0 || helpId != 0) {
        out += ", " + Hex(exStyle);
    }
    if (helpId != 0) {
        out += ", " + std::to_string(helpId);
    }
    out += "\n";
    if (!data.empty()) {
        out += "    {\n";
        AppendHexLines(out, data, "        ");
        out += "    }\n";
    }
    return out;
}

}  // namespace

std::string DialogText(std::span<const std::uint8_t> bytes, const FormHead& head, bool& nonAscii) {
    ByteReader in(bytes);
    const bool extended = bytes.size() >= 4 && ReadU16(bytes, 0) == 1 && ReadU16(bytes, 2) == 0xFFFF;
    if (extended) {
        in.U32();
    }
    const std::uint32_t helpId = extended ? in.U32() : 0;
    std::uint32_t exStyle = extended ? in.U32() : 0;
    const std::uint32_t style = in.U32();
    if (!extended) {
        exStyle = in.U32();
    }
    const std::uint16_t count = in.U16();
    std::array<std::uint16_t, 4> frame{};
    for (std::uint16_t& place : frame) {
        place = in.U16();
    }
    const NameOrNumber menu = ReadNameOrNumber(in);
    const NameOrNumber windowClass = ReadNameOrNumber(in);
    const std::u16string caption = in.Text();

    std::string out = head.name + (extended ? " DIALOGEX" : " DIALOG") + head.flags + " " + Signed16(frame[0]) + ", " +
                      Signed16(frame[1]) + ", " + Signed16(frame[2]) + ", " + Signed16(frame[3]);
    if (helpId != 0) {
        out += ", " + std::to_string(helpId);
    }
    out += "\n" + head.options + "STYLE " + Hex(style) + "\n";
    if (exStyle != 0) {
        out += "EXSTYLE " + Hex(exStyle) + "\n";
    }
    if (!caption.empty()) {
        out += "CAPTION " + QuoteText(caption, nonAscii) + "\n";
    }
    if (menu.ordinal || !menu.name.empty()) {
        out += "MENU " + NameOrNumberText(menu, nonAscii) + "\n";
    }
    if (windowClass.ordinal || !windowClass.name.empty()) {
        out += "CLASS " + NameOrNumberText(windowClass, nonAscii) + "\n";
    }
    if (style & kSetFont) {
        const std::uint16_t size = in.U16();
        std::string extras;
        if (extended) {
            const std::uint16_t weight = in.U16();
            const std::uint8_t italic = in.U8();
            const std::uint8_t charSet = in.U8();
            extras = ", " + std::to_string(weight) + ", " + std::to_string(italic) + ", " + std::to_string(charSet);
        }
        out += "FONT " + std::to_string(size) + ", " + QuoteText(in.Text(), nonAscii) + extras + "\n";
    }
    out += "{\n";
    for (std::uint16_t k = 0; k < count; ++k) {
        out += ControlText(in, extended, nonAscii);
    }
    if (!in.AtEnd()) {
        throw NotThisLayout();
    }
    return out + "}\n";
}

}  // namespace brcc
