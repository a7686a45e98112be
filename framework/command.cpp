// Commands that a tool button and a menu item share.
#include "framework/command.h"

#include <commctrl.h>

namespace framework {

void Command::SetEnabled(bool enabled) const {
    ::SendMessageW(m_toolBar, TB_ENABLEBUTTON, m_id, MAKELPARAM(enabled ? TRUE : FALSE, 0));
    ::EnableMenuItem(::GetMenu(m_menuOwner), m_id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    ::DrawMenuBar(m_menuOwner);
}

bool Command::Enabled() const {
    const UINT state = ::GetMenuState(::GetMenu(m_menuOwner), m_id, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & (MF_DISABLED | MF_GRAYED)) == 0;
}

}  // namespace framework
