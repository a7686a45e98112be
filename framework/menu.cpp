// A main menu built from its table.
#include "framework/menu.h"

#include <vector>

#include "framework/error.h"

namespace framework {

UniqueMenu BuildMenu(std::span<const MenuItemDesign> items) {
    UniqueMenu bar(::CreateMenu());
    std::vector<HMENU> submenus(items.size(), nullptr);
    for (size_t i = 0; i < items.size(); ++i) {
        const MenuItemDesign& item = items[i];
        HMENU owner = item.parent < 0 ? bar.get() : submenus[static_cast<size_t>(item.parent)];
        BOOL ok;
        if (item.caption[0] == L'-' && item.caption[1] == L'\0') {
            ok = ::AppendMenuW(owner, MF_SEPARATOR, 0, nullptr);
        } else if (item.commandId == 0) {
            submenus[i] = ::CreatePopupMenu();
            ok = ::AppendMenuW(owner, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenus[i]), item.caption);
        } else {
            ok =
                ::AppendMenuW(owner, MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED), item.commandId, item.caption);
        }
        if (!ok) {
            throw Error(L"Impossible de construire le menu : " + SystemErrorDescription(::GetLastError()));
        }
    }
    return bar;
}

}  // namespace framework
