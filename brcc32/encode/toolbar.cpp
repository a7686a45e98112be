// The tool-bar resource: a version word, the button size, the count, then one word per button or separator.
#include "brcc32/encode/toolbar.h"

#include "brcc32/byte_order.h"

namespace brcc {
namespace {

constexpr std::uint16_t kToolbarVersion = 1;  // the only one the frameworks read

}  // namespace

std::vector<std::uint8_t> EncodeToolbar(const Toolbar& toolbar) {
    std::vector<std::uint8_t> out;
    out.reserve(8 + 2 * toolbar.m_commands.size());
    PutU16(out, kToolbarVersion);
    PutU16(out, toolbar.m_buttonWidth);
    PutU16(out, toolbar.m_buttonHeight);
    PutU16(out, static_cast<std::uint16_t>(toolbar.m_commands.size()));
    for (const std::uint16_t command : toolbar.m_commands) {
        PutU16(out, command);
    }
    return out;
}

}  // namespace brcc
