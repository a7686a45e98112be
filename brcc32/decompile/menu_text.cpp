// MENU and MENUEX back to text: popups and items depth first, each level up to the item marked last.
#include <array>

#include "brcc32/decompile/byte_reader.h"
#include "brcc32/decompile/script_text.h"
#include "brcc32/decompile/text_forms.h"

namespace brcc {
namespace {

constexpr std::uint16_t kPopup = 0x10;
constexpr std::uint16_t kLast = 0x80;
constexpr std::uint16_t kExPopup = 0x01;
constexpr std::uint32_t kExSeparator = 0x800;  // MFT_SEPARATOR, what MENUITEM SEPARATOR stores in a MENUEX
constexpr int kMaxDepth = 64;                  // deeper nesting is no menu a program shows

struct OptionWord {
    std::string_view word;
    std::uint16_t bit;
};

constexpr std::array<OptionWord, 6> kOptionWords = {{{"GRAYED", 0x01},
                                                     {"INACTIVE", 0x02},
                                                     {"CHECKED", 0x08},
                                                     {"MENUBARBREAK", 0x20},
                                                     {"MENUBREAK", 0x40},
                                                     {"HELP", 0x4000}}};

void AppendItems(std::string& out, ByteReader& in, int depth, bool& nonAscii) {
    if (depth > kMaxDepth) {
        throw NotThisLayout();
    }
    const std::string indent(4 * depth, ' ');
    out += indent + "{\n";
    for (bool last = depth == 0 && in.AtEnd(); !last;) {
        const std::uint16_t flags = in.U16();
        last = (flags & kLast) != 0;
        const bool popup = (flags & kPopup) != 0;
        const std::uint16_t id = popup ? 0 : in.U16();
        const std::u16string text = in.Text();
        const std::uint16_t options = flags & ~(kLast | kPopup);
        if (!popup && options == 0 && id == 0 && text.empty()) {
            out += indent + "    MENUITEM SEPARATOR\n";
            continue;
        }
        out += indent + (popup ? "    POPUP " : "    MENUITEM ") + QuoteText(text, nonAscii);
        if (!popup) {
            out += ", " + std::to_string(id);
        }
        std::uint16_t written = 0;
        for (const OptionWord& option : kOptionWords) {
            if (options & option.bit) {
                out += ", " + std::string(option.word);
                written |= option.bit;
            }
        }
        if (written != options) {
            throw NotThisLayout();  // a bit no option word sets
        }
        out += "\n";
        if (popup) {
            AppendItems(out, in, depth + 1, nonAscii);
        }
    }
    out += indent + "}\n";
}

void AppendExtendedItems(std::string& out, ByteReader& in, int depth, bool& nonAscii) {
    if (depth > kMaxDepth) {
        throw NotThisLayout();
    }
    const std::string indent(4 * depth, ' ');
    out += indent + "{\n";
    for (bool last = depth == 0 && in.AtEnd(); !last;) {
        in.Align4();
        const std::uint32_t type = in.U32();
        const std::uint32_t state = in.U32();
        const std::uint32_t id = in.U32();
        const std::uint16_t flags = in.U16();
        last = (flags & kLast) != 0;
        const bool popup = (flags & kExPopup) != 0;
        const std::u16string text = in.Text();
        if (!popup && type == kExSeparator && state == 0 && id == 0 && text.empty()) {
            out += indent + "    MENUITEM SEPARATOR\n";
            continue;
        }
        out += indent + (popup ? "    POPUP " : "    MENUITEM ") + QuoteText(text, nonAscii) + ", " +
               std::to_string(id) + ", " + Hex(type) + ", " + Hex(state);
        if (popup) {
            in.Align4();
            out += ", " + std::to_string(in.U32()) + "\n";
            AppendExtendedItems(out, in, depth + 1, nonAscii);
        } else {
            out += "\n";
        }
    }
    out += indent + "}\n";
}

}  // namespace

std::string MenuText(std::span<const std::uint8_t> bytes, const FormHead& head, bool& nonAscii) {
    ByteReader in(bytes);
    const std::uint16_t version = in.U16();
    const std::uint16_t offset = in.U16();
    std::string out;
    if (version == 1) {
        in.Seek(4 + std::size_t{offset});
        out = head.name + " MENUEX" + head.flags + "\n" + head.options;
        AppendExtendedItems(out, in, 0, nonAscii);
    } else {
        out = head.name + " MENU" + head.flags + "\n" + head.options;
        AppendItems(out, in, 0, nonAscii);
    }
    if (!in.AtEnd()) {
        throw NotThisLayout();
    }
    return out;
}

}  // namespace brcc
