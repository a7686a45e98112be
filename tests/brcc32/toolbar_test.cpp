// The tool-bar resource, which neither reference compiler writes: its bytes are pinned from the frameworks' layout.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "brcc32/encode/encode.h"
#include "res_bytes.h"
#include "test_folder.h"

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

// As the MFC wizard writes it, with the names of the built-in afxres.h resolved by hand; flags and LANGUAGE too.
TEST(Toolbar, StatementAsWizardsWriteIt) {
    TestFolder folder;
    folder.Write("ours.rc", std::string("128 TOOLBAR 16, 15\nBEGIN\n    BUTTON      0xE100\n    SEPARATOR\n"
                                        "    BUTTON      57601\nEND\n"
                                        "129 TOOLBAR DISCARDABLE 24 , 0x16 LANGUAGE 0, 0 { BUTTON -1 SEPARATOR }\n"
                                        "130 TOOLBAR 1, 1 BEGIN END\n"));
    const RunResult ours = RunBrcc32(folder.Path(), "ours.rc");
    ASSERT_EQ(ours.exitCode, 0) << ours.stderr;
    EXPECT_EQ(ours.stderr, "");
    std::vector<std::uint8_t> languageNeutral =
        ResEntry(241, 129, 0x1030, {1, 0, 24, 0, 0x16, 0, 2, 0, 0xFF, 0xFF, 0, 0});
    languageNeutral[22] = 0;  // LANGUAGE 0, 0
    languageNeutral[23] = 0;
    EXPECT_EQ(folder.Read("ours.res"),
              ResFile({ResEntry(241, 128, 0x30, {1, 0, 16, 0, 15, 0, 3, 0, 0x00, 0xE1, 0, 0, 0x01, 0xE1}),
                       languageNeutral, ResEntry(241, 130, 0x30, {1, 0, 1, 0, 1, 0, 0, 0})}));
}

TEST(Toolbar, Refusals) {
    TestFolder folder;
    ExpectRefusedWith(
        folder, "bad.rc",
        {
            {"1 TOOLBAR 16\nBEGIN\nEND\n", "bad.rc(2): error: expected ',' before the TOOLBAR's button height"},
            {"1 TOOLBAR 70000, 15 BEGIN END\n", "bad.rc(1): error: the TOOLBAR's button width 70000 does not fit"},
            {"1 TOOLBAR 16, 15\nBEGIN\n BUTTON 1\n MENUITEM 2\nEND\n", "bad.rc(4): error: expected BUTTON, SEPARATOR"},
            {"1 TOOLBAR 16, 15\nBEGIN\n BUTTON 65536\nEND\n", "bad.rc(3): error: the button's command id 65536"},
            {"1 TOOLBAR 16, 15\nBEGIN\n BUTTON 1\n", "bad.rc(2): error: the TOOLBAR's buttons are not closed"},
            {"1 TOOLBAR 16, 15 BUTTON 1\n", "bad.rc(1): error: expected BEGIN or '{' to open the TOOLBAR's buttons"},
        });
}

}  // namespace
}  // namespace brcc::test
