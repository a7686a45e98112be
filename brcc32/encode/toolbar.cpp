// TOOLBAR (type 241): a version word, the button size, the count, then one word per button or separator.
#include "brcc32/encode/encode.h"
#include "brcc32/encode/resource_bytes.h"

namespace brcc {
namespace {

constexpr std::uint16_t kToolbarVersion = 1;  // the only one the frameworks read

}  // namespace

std::vector<std::uint8_t> EncodeToolbar(const Toolbar& toolbar) {
    std::vector<std::uint8_t> out;
    out.reserve(8 + 2 * toolbar.commands.size());
    PutU16(out, kToolbarVersion);
    PutU16(out, toolbar.buttonWidth);
    PutU16(out, toolbar.buttonHeight);
    PutU16(out, toolbar.commands.size());
    for (const std::uint16_t command : toolbar.commands) {
        PutU16(out, command);
    }
    return out;
}

}  // namespace brcc
