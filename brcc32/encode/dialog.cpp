// DIALOG and DIALOGEX: the header, then each control on a 4-byte boundary.
#include "brcc32/encode/encode.h"
#include "brcc32/encode/resource_bytes.h"

namespace brcc {
namespace {

constexpr std::uint16_t kDialogExVersion = 1;

void PutFrame(std::vector<std::uint8_t>& out, const DialogFrame& frame) {
    PutU16(out, frame.x);
    PutU16(out, frame.y);
    PutU16(out, frame.width);
    PutU16(out, frame.height);
}

// DIALOGEX puts a help id first and the extended style before the style.
void PutStyles(std::vector<std::uint8_t>& out, bool extended, std::uint32_t helpId, std::uint32_t exStyle,
               std::uint32_t style) {
    if (extended) {
        PutU32(out, helpId);
        PutU32(out, exStyle);
        PutU32(out, style);
    } else {
        PutU32(out, style);
        PutU32(out, exStyle);
    }
}

void PutControl(std::vector<std::uint8_t>& out, const DialogControl& control, bool extended) {
    PutStyles(out, extended, control.helpId, control.exStyle, control.style);
    PutFrame(out, control.frame);
    extended ? PutU32(out, control.id) : PutU16(out, control.id);
    PutNameOrOrdinal(out, control.windowClass);
    PutNameOrOrdinal(out, control.text);
    PutU16(out, control.creationData.size());
    out.insert(out.end(), control.creationData.begin(), control.creationData.end());
}

}  // namespace

std::vector<std::uint8_t> EncodeDialog(const Dialog& dialog) {
    std::vector<std::uint8_t> out;
    if (dialog.extended) {
        PutU16(out, kDialogExVersion);
        PutU16(out, 0xFFFF);  // what tells a DIALOGEX header from a DIALOG one
    }
    PutStyles(out, dialog.extended, dialog.helpId, dialog.exStyle, dialog.style);
    PutU16(out, dialog.controls.size());
    PutFrame(out, dialog.frame);
    PutNameOrOrdinal(out, dialog.menu);
    PutNameOrOrdinal(out, dialog.windowClass);
    PutUtf16(out, dialog.caption, true);
    if (dialog.font) {
        PutU16(out, dialog.font->pointSize);
        if (dialog.extended) {
            PutU16(out, dialog.font->weight);
            out.push_back(static_cast<std::uint8_t>(dialog.font->italic));
            out.push_back(static_cast<std::uint8_t>(dialog.font->charSet));
        }
        PutUtf16(out, dialog.font->face, true);
    }
    for (const DialogControl& control : dialog.controls) {
        PadTo4(out);
        PutControl(out, control, dialog.extended);
    }
    return out;
}

}  // namespace brcc
