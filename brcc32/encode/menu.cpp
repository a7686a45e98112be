// MENU and MENUEX: a header, then the items depth first; the last item of each level carries a mark.
#include "brcc32/encode/encode.h"
#include "brcc32/encode/resource_bytes.h"

namespace brcc {
namespace {

enum ItemFlag : std::uint16_t { kMenuExPopup = 0x01, kMenuPopup = 0x10, kLastItem = 0x80 };
constexpr std::uint16_t kMenuExVersion = 1;
constexpr std::uint16_t kMenuExItemsOffset = 4;  // from the end of the two words above

void PutItems(std::vector<std::uint8_t>& out, const std::vector<MenuItem>& items) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        const MenuItem& item = items[i];
        const std::uint16_t last = i + 1 == items.size() ? kLastItem : 0;
        PutU16(out, item.options | (item.popup ? kMenuPopup : 0) | last);
        if (!item.popup) {
            PutU16(out, item.id);
        }
        PutUtf16(out, item.text, true);
        if (item.popup) {
            PutItems(out, item.items);
        }
    }
}

void PutExtendedItems(std::vector<std::uint8_t>& out, const std::vector<MenuItem>& items) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        const MenuItem& item = items[i];
        const std::uint16_t last = i + 1 == items.size() ? kLastItem : 0;
        PadTo4(out);
        PutU32(out, item.options);
        PutU32(out, item.state);
        PutU32(out, item.id);
        PutU16(out, (item.popup ? kMenuExPopup : 0) | last);
        PutUtf16(out, item.text, true);
        if (item.popup) {
            PadTo4(out);
            PutU32(out, item.helpId);
            PutExtendedItems(out, item.items);
        }
    }
}

}  // namespace

std::vector<std::uint8_t> EncodeMenu(const Menu& menu) {
    std::vector<std::uint8_t> out;
    if (menu.extended) {
        PutU16(out, kMenuExVersion);
        PutU16(out, kMenuExItemsOffset);
        PutU32(out, 0);  // the menu's help id
        PutExtendedItems(out, menu.items);
    } else {
        PutU32(out, 0);  // version and header size, both 0
        PutItems(out, menu.items);
    }
    return out;
}

}  // namespace brcc
