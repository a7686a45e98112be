// A main menu described as data.
#pragma once

#include <windows.h>

#include <span>

#include "framework/handles.h"

namespace framework {

struct MenuItemDesign {
    const wchar_t* name;     // the designer's name, for readers of the table
    int parent;              // index of the parent item in the table, or -1 for the menu bar
    const wchar_t* caption;  // "-" for a separator
    UINT commandId;          // 0 for an item that only opens its submenu
    bool enabled;
};

// Builds the menu bar; parents must come before their items.
UniqueMenu BuildMenu(std::span<const MenuItemDesign> items);

}  // namespace framework
