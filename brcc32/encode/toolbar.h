// MFC's and WTL's tool-bar resource (type 241): the button size and the command of each button, in order.
#pragma once

#include <cstdint>
#include <vector>

namespace brcc {

struct Toolbar {
    std::uint16_t m_buttonWidth = 0;
    std::uint16_t m_buttonHeight = 0;
    std::vector<std::uint16_t> m_commands;  // one per BUTTON; 0 where a SEPARATOR is
};

// The resource's bytes as CToolBar::LoadToolBar reads them. At most 65535 entries: the count is one word.
std::vector<std::uint8_t> EncodeToolbar(const Toolbar& toolbar);

}  // namespace brcc
