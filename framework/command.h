// A command reached from a tool button and a menu item, whose enabled state is one flag.
#pragma once

#include <windows.h>

namespace framework {

class Command {
public:
    Command() = default;
    // Neither window nor menu is owned: both belong to the form.
    Command(HWND toolBar, HWND menuOwner, UINT id) : m_toolBar(toolBar), m_menuOwner(menuOwner), m_id(id) {}

    // The tool button first, then the menu item.
    void SetEnabled(bool enabled) const;
    bool Enabled() const;

private:
    HWND m_toolBar = nullptr;
    HWND m_menuOwner = nullptr;
    UINT m_id = 0;
};

}  // namespace framework
