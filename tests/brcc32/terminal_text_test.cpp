// Messages in the terminal's character set, and file names from scripts in other pages made readable.
#include "brcc32/text/terminal_text.h"

#include <gtest/gtest.h>

#include <string>

#include "test_folder.h"

namespace brcc::test {
namespace {

TEST(TerminalText, CharsetNamesGiveTheirCodePage) {
    const struct {
        const char* name;
        std::uint32_t page;
    } kCases[] = {
        {"UTF-8", 65001},
        {"utf8", 65001},
        {"ISO-8859-1", 28591},
        {"ISO-8859-15", 28605},
        {"iso88592", 28592},
        {"CP1252", 1252},
        {"WINDOWS-1251", 1251},
        {"IBM850", 850},
        {"KOI8-R", 20866},
        {"ANSI_X3.4-1968", 0},
        {"ISO-8859-99", 0},
        {"CP", 0},
        {"", 0},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(CodePageOfCharset(c.name), c.page) << c.name;
    }
}

TEST(TerminalText, Utf8BecomesThePagesBytes) {
    const struct {
        std::string utf8;
        std::uint32_t page;
        std::string bytes;
    } kCases[] = {
        {"« café » €", 28591, "\xAB caf\xE9 \xBB ?"},  // Latin-1 has no euro sign
        {"« café » €", 1252, "\xAB caf\xE9 \xBB \x80"},
        {"é", 850, "\x82"},
        {"日本", 932, "\x93\xFA\x96\x7B"},
        {"« é »", 65001, "« é »"},
        {"« é »", 0, "« é »"},  // a page without a table keeps the bytes
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(Utf8ToCodePage(c.utf8, c.page), c.bytes) << c.page;
    }
}

TEST(TerminalText, StrayBytesReadAsWindows1252) {
    EXPECT_EQ(ReadableUtf8("caf\xE9.h « x »"), "café.h « x »");
    EXPECT_EQ(ReadableUtf8("\xC3(\x80\xE2\x82"), "Ã(€â‚");
    EXPECT_EQ(ReadableUtf8("déjà"), "déjà");
}

// A script in Windows-1252 names a header that is missing: the message reads under a Latin-1 and a UTF-8 locale.
TEST(TerminalText, MessagesFollowTheLocalesCharacterSet) {
    TestFolder folder;
    folder.Write("x.rc", std::string("#include \"caf\xE9.h\"\n"));
    const std::string brcc32 = std::string(" '") + BRCC32_PATH + "' x.rc";
    EXPECT_EQ(RunIn(folder.Path(), "LC_ALL= LANG=fr_FR.ISO-8859-1" + brcc32).stderr,
              "x.rc(1): error BRC2021: fichier d'inclusion \xAB caf\xE9.h \xBB introuvable\n");
    EXPECT_EQ(RunIn(folder.Path(), "LC_ALL=fr_FR.UTF-8" + brcc32).stderr,
              "x.rc(1): error BRC2021: fichier d'inclusion « café.h » introuvable\n");
}

}  // namespace
}  // namespace brcc::test
