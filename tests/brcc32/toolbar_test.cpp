// The tool-bar resource, which neither reference compiler writes: its bytes are pinned from the frameworks' layout.
#include "brcc32/encode/toolbar.h"

#include <gtest/gtest.h>

#include <vector>

namespace brcc::test {
namespace {

TEST(Toolbar, EncodesVersionSizeCountAndOneWordPerButton) {
    // The MFC wizard's main frame: New, Open, Save, separator, Cut, Copy, Paste, separator, Print, About.
    const Toolbar wizard{16, 15, {0xE100, 0xE101, 0xE103, 0, 0xE123, 0xE122, 0xE125, 0, 0xE107, 0xE140}};
    EXPECT_EQ(
        EncodeToolbar(wizard),
        (std::vector<std::uint8_t>{1, 0, 16,   0,    15,   0,    10,   0,    0x00, 0xE1, 0x01, 0xE1, 0x03, 0xE1,
                                   0, 0, 0x23, 0xE1, 0x22, 0xE1, 0x25, 0xE1, 0,    0,    0x07, 0xE1, 0x40, 0xE1}));
    EXPECT_EQ(EncodeToolbar(Toolbar{0xFFFF, 0, {}}), (std::vector<std::uint8_t>{1, 0, 0xFF, 0xFF, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace brcc::test
