// What Windows' compiler takes and the references refuse, accepted with a warning; and where Windows' compiler
// miscompiles, the correct bytes with a warning. Each case is checked against llvm-rc, or GNU windres, on the
// same resources in a form they read.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "round_trip.h"
#include "test_folder.h"
#include "test_images.h"

namespace brcc::test {
namespace {

enum class Reference { kLlvmRc, kWindres };

struct Case {
    std::string ours;
    std::string theirs;                 // the same resources as the reference reads them; empty: the same script
    std::vector<std::string> warnings;  // "LINE: part of the text", one per warning, in order
    Reference reference = Reference::kLlvmRc;
    std::string options = "";  // the reference's
};

class WindowsCompatibility : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder.Write("app-x.exe.manifest", std::string("<assembly/>\n"));
        const Bytes image = MakeDibImage(16, 16, 4);
        m_folder.Write("right.ico", MakeIconFile({{image, 16, 16, 4}, {MakePngImage(32, 32), 32, 32, 32}}));
        Bytes overstated = MakeIconFile({{image, 16, 16, 4}, {MakePngImage(32, 32), 32, 32, 32}});
        overstated[6 + 16 + 8] += 0x40;  // the last image said to be 64 bytes longer than the file holds
        m_folder.Write("overstated.ico", overstated);
    }

    void Expect(const std::vector<Case>& cases) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.ours);
            m_folder.Write("ours.rc", c.ours);
            m_folder.Write("theirs.rc", c.theirs.empty() ? c.ours : c.theirs);
            const RunResult ours = RunBrcc32(m_folder.Path(), "ours.rc");
            ASSERT_EQ(ours.exitCode, 0) << ours.stderr;
            std::istringstream lines(ours.stderr);
            std::string line;
            for (const std::string& warning : c.warnings) {
                ASSERT_TRUE(std::getline(lines, line)) << "missing warning " << warning;
                const std::string prefix = "ours.rc(" + warning.substr(0, warning.find(':')) + "): warning: ";
                EXPECT_TRUE(line.starts_with(prefix)) << line;
                EXPECT_NE(line.find(warning.substr(warning.find(':') + 2)), std::string::npos) << line;
            }
            EXPECT_FALSE(std::getline(lines, line)) << "unexpected: " << line;
            const RunResult theirs = c.reference == Reference::kWindres
                                         ? RunWindres(m_folder.Path(), "theirs.rc", "theirs.res")
                                         : RunIn(m_folder.Path(), std::string(LLVM_RC_PATH) + " /no-preprocess " +
                                                                      c.options + " /fo theirs.res theirs.rc");
            ASSERT_EQ(theirs.exitCode, 0) << theirs.stderr;
            EXPECT_EQ(m_folder.Read("ours.res"), m_folder.Read("theirs.res"));
            ExpectRoundTrip(m_folder, "ours.res", c.ours);
        }
    }

    TestFolder m_folder;
};

TEST_F(WindowsCompatibility, LeniencyOfWindowsCompilerAcceptedWithAWarning) {
    Expect({
        // windres keeps ALT on an ASCII key as Windows' compiler does; llvm-rc refuses it. DISCARDABLE: the two
        // give accelerators different default flags.
        {"1 ACCELERATORS DISCARDABLE\nBEGIN\n  \"b\", 2, ASCII, ALT\n  \"c\", 3, ALT, NOINVERT\n  \"D\", 4, VIRTKEY, "
         "ALT\nEND\n",
         "",
         {"3: ALT on an ASCII accelerator", "4: ALT on an ASCII accelerator"},
         Reference::kWindres},
        {"1 VERSIONINFO\nFILEVERSION 2024, 131, 70000, 1\nPRODUCTVERSION 1, 2, 3, 65536\nBEGIN\nEND\n",
         "1 VERSIONINFO\nFILEVERSION 2024, 131, 4464, 1\nPRODUCTVERSION 1, 2, 3, 0\nBEGIN\nEND\n",
         {"2: part 70000 of FILEVERSION is above 65535: only its low 16 bits are kept (4464)",
          "3: part 65536 of PRODUCTVERSION"}},
        {"1 24 app-x.exe.manifest\n2 24 \"app-x.exe.manifest\"\n",
         "1 24 \"app-x.exe.manifest\"\n2 24 \"app-x.exe.manifest\"\n",
         {"1: write \"app-x.exe.manifest\""}},
        {"1 DIALOG 0, 0, 100, 50\nBEGIN\n  CONTROL \"a\", 1, BUTTON, 0, 1, 2, 3, 4\n  CONTROL \"\", 2, edit, 0, 1, 2, "
         "3, 4\n"
         "  CONTROL \"\", 3, Static, 0, 1, 2, 3, 4\n  CONTROL \"\", 4, LISTBOX, 0, 1, 2, 3, 4\n"
         "  CONTROL \"\", 5, SCROLLBAR, 0, 1, 2, 3, 4\n  CONTROL \"\", 6, COMBOBOX, 0, 1, 2, 3, 4\nEND\n",
         "1 DIALOG 0, 0, 100, 50\nBEGIN\n  CONTROL \"a\", 1, 0x80, 0, 1, 2, 3, 4\n  CONTROL \"\", 2, 0x81, 0, 1, 2, 3, "
         "4\n"
         "  CONTROL \"\", 3, 0x82, 0, 1, 2, 3, 4\n  CONTROL \"\", 4, 0x83, 0, 1, 2, 3, 4\n"
         "  CONTROL \"\", 5, 0x84, 0, 1, 2, 3, 4\n  CONTROL \"\", 6, 0x85, 0, 1, 2, 3, 4\nEND\n",
         {"3: class BUTTON is not quoted: it is the predefined class 0x80", "4: class EDIT", "5: class STATIC",
          "6: class LISTBOX", "7: class SCROLLBAR", "8: class COMBOBOX"},
         Reference::kWindres},  // llvm-rc takes no class number
        {"1 DIALOGEX 0, 0, 100, 50\nCAPTION \"About \" \"Talvorine\"\nFONT 8, \"MS Shell \" L\"Dlg\"\nBEGIN\n"
         "  LTEXT \"Version \" \"1.0\", 1, 1, 2, 3, 4\n  CONTROL \"x\", 2, \"But\" \"ton\", 0, 1, 2, 3, 4\nEND\n"
         "2 MENU\nBEGIN\n  POPUP \"&\" \"File\"\n  BEGIN\n    MENUITEM \"E&\" \"xit\", 1\n  END\nEND\n"

         "STRINGTABLE\nBEGIN\n  1, \"one \" \"string\"\nEND\n"
         "4 VERSIONINFO\nBEGIN\n  BLOCK \"S\"\n  BEGIN\n    VALUE \"k\", \"a\" \"b\"\n  END\nEND\n",
         "1 DIALOGEX 0, 0, 100, 50\nCAPTION \"About Talvorine\"\nFONT 8, \"MS Shell Dlg\"\nBEGIN\n"
         "  LTEXT \"Version 1.0\", 1, 1, 2, 3, 4\n  CONTROL \"x\", 2, \"Button\", 0, 1, 2, 3, 4\nEND\n"
         "2 MENU\nBEGIN\n  POPUP \"&File\"\n  BEGIN\n    MENUITEM \"E&xit\", 1\n  END\nEND\n"

         "STRINGTABLE\nBEGIN\n  1, \"one string\"\nEND\n"
         "4 VERSIONINFO\nBEGIN\n  BLOCK \"S\"\n  BEGIN\n    VALUE \"k\", \"ab\"\n  END\nEND\n",
         {"2: strings of the CAPTION are joined", "3: FONT's face name", "5: control's text", "6: control's class",
          "10: POPUP's text", "12: MENUITEM's text"}},
    });
}

// Where llvm-rc already agrees with Windows' compiler, and ours did not.
TEST_F(WindowsCompatibility, SmallDifferencesFromWindowsCompilersBytes) {
    Expect({
        {"1 DIALOG 0, 0, 10, 10\nCAPTION \"\"\nBEGIN\nEND\n2 DIALOGEX 0, 0, 10, 10\nSTYLE 0x80000000\nCAPTION \"\"\n"
         "BEGIN\nEND\n",
         "",
         {}},
        {"STRINGTABLE\nBEGIN\n  1, \"ab\\0\"\n  2, \"c\\0d\"\n  3, \"x\\0\\0\"\n  4, \"\\0\"\n  5, L\"w\\0\"\n"
         "  6, \"a\" \"b\\0\"\n  7, \"e\\000\"\nEND\n",
         "",
         {}},
    });
}

TEST_F(WindowsCompatibility, Utf8TextWithoutItsCodePage) {
    const std::string utf8 =
        "STRINGTABLE\nBEGIN\n  1, \"plain\"\n  2, \"\xC3\xA9t\xC3\xA9\"\n  3, \"\xC3\xA0 bient\xC3\xB4t\"\nEND\n";
    Expect({
        // Read as Windows-1252, as llvm-rc reads it with /C 1252; one warning for the first such line only.
        {utf8, "", {"4: valid UTF-8, but no code page says so"}, Reference::kLlvmRc, "/C 1252"},
        {"#pragma code_page(65001)\n" + utf8, "", {}, Reference::kLlvmRc, "/C 65001"},
        // The page in force, where it was set.
        {"#pragma code_page(1252)\n" + utf8,
         "\n" + utf8,
         {"5: code page 1252 is in force, set by #pragma code_page on line 1 of ours.rc"},
         Reference::kLlvmRc,
         "/C 1252"},
        // Windows-1252 text that is not UTF-8: nothing to say.
        {"STRINGTABLE\nBEGIN\n  1, \"\xE9t\xE9\"\nEND\n", "", {}, Reference::kLlvmRc, "/C 1252"},
    });
}

// A page given on the command line is named as the one in force, in each dialect's spelling of the option.
TEST(CodePageOrigin, TheCommandLinesPageIsNamed) {
    TestFolder folder;
    folder.Write("utf8.rc", std::string("STRINGTABLE\nBEGIN\n  1, \"\xC3\xA9t\xC3\xA9\"\nEND\n"));
    for (const char* name : {"brcc32", "rc", "windres"}) {
        std::filesystem::create_symlink(std::filesystem::absolute(BRCC32_PATH), folder.Path() / name);
    }
    for (const char* options : {"brcc32 -c1252 -fo out.res", "rc /c 1252 /fo out.res", "windres -c 1252 -o out.res"}) {
        const RunResult run = RunIn(folder.Path(), std::string("LC_ALL=C ./") + options + " utf8.rc");
        EXPECT_NE(run.stderr.find("code page 1252 is in force, set by the command line"), std::string::npos)
            << options << "\n"
            << run.stderr;
    }
}

// Windows' compiler writes these wrong; ours writes what Windows reads, and says so.
TEST_F(WindowsCompatibility, WhereWindowsCompilerMiscompiles) {
    Expect({
        // A mixed VALUE is text whose length counts all its data: the same bytes as the one string they make.
        {"1 VERSIONINFO\nBEGIN\n  BLOCK \"S\"\n  BEGIN\n    VALUE \"k\", 1, \"ab\"\n  END\nEND\n",
         "1 VERSIONINFO\nBEGIN\n  BLOCK \"S\"\n  BEGIN\n    VALUE \"k\", L\"\\x0001ab\"\n  END\nEND\n",
         {"5: the VALUE \"k\" mixes numbers and strings"}},
        {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  CONTROL \"a\", 1, 0x80, 0, 1, 2, 3, 4\nEND\n",
         "",
         {"3: class atom 128"},
         Reference::kWindres},
        {"1 ICON overstated.ico\n", "1 ICON right.ico\n", {"1: image 2 is said to be"}},
    });
}

// A backslash takes the next character along in every kind of string, before the quote that follows is looked at.
TEST_F(WindowsCompatibility, BackslashEscapesTheNextCharacter) {
    Expect({
        {"1 RCDATA { \"C:\\\\\", \"b\" }\n2 RCDATA { L\"a\\\\\", L\"b\" }\n", "", {}},
        {"STRINGTABLE { 1, \"C/C++    \\\\\"\" \" }\n", "", {}},
        {"1 DIALOG 0, 0, 9, 9\nBEGIN\n  LTEXT \"C:\\\\\", 1, 2, 3, 4, 5\nEND\n", "", {}},
        {"1 MENU\nBEGIN\n  MENUITEM \"a\\\\\", 1\nEND\n", "", {}},
        {"1 VERSIONINFO\nBEGIN\n  BLOCK \"S\"\n  BEGIN\n    VALUE \"k\", \"C:\\\\\"\n  END\nEND\n", "", {}},
        {"#define ROOT \"C:\\\\\"\n1 RCDATA { ROOT, \"b\" }\n", "\n1 RCDATA { \"C:\\\\\", \"b\" }\n", {}},
    });
}

// A resource's name and type run to the next blank: ImageMagick loads TYPE-GHOSTSCRIPT.XML by that name.
TEST_F(WindowsCompatibility, NamesAndTypesRunToTheNextBlank) {
    Expect({
        {"TYPE-GHOSTSCRIPT.XML IMAGEMAGICK { \"x\" }\n", "", {}},
        {"1 MY-TYPE/V2 { 1 }\nA.B-C\\D RCDATA { 2 }\n", "", {}},
    });
}

// Windows' compiler makes a name of digits followed by letters; llvm-rc refuses it, so its bytes are llvm-rc's for a
// name of the same length, with the name put back in them.
TEST_F(WindowsCompatibility, NamesThatStartWithDigits) {
    const struct {
        std::string ours;
        std::string theirs;
        std::string name;  // as the .res stores it, and as llvm-rc's script names it
        std::string theirName;
    } cases[] = {
        {"10_DevCpp ICON right.ico\n", "X0_DevCpp ICON right.ico\n", "10_DEVCPP", "X0_DEVCPP"},
        {"1ABC MENU { MENUITEM \"a\", 1 }\n", "XABC MENU { MENUITEM \"a\", 1 }\n", "1ABC", "XABC"},
        {"1 7Z-DATA { 1 }\n", "1 XZ-DATA { 1 }\n", "7Z-DATA", "XZ-DATA"},
    };
    auto utf16 = [](const std::string& text) {
        std::vector<std::uint8_t> units;
        for (const char c : text) {
            units.insert(units.end(), {static_cast<std::uint8_t>(c), 0});
        }
        return units;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ours);
        m_folder.Write("ours.rc", c.ours);
        m_folder.Write("theirs.rc", c.theirs);
        const RunResult ours = RunBrcc32(m_folder.Path(), "ours.rc");
        ASSERT_EQ(ours.exitCode, 0) << ours.stderr;
        EXPECT_NE(ours.stderr.find("warning: the name"), std::string::npos) << ours.stderr;
        EXPECT_NE(ours.stderr.find("makes it the name " + c.name), std::string::npos) << ours.stderr;
        ASSERT_EQ(RunLlvmRc(m_folder.Path(), "theirs.rc", "theirs.res").exitCode, 0);
        std::vector<std::uint8_t> theirs = m_folder.Read("theirs.res");
        const std::vector<std::uint8_t> from = utf16(c.theirName);
        const std::vector<std::uint8_t> to = utf16(c.name);
        const auto at = std::search(theirs.begin(), theirs.end(), from.begin(), from.end());
        ASSERT_NE(at, theirs.end());
        std::copy(to.begin(), to.end(), at);
        EXPECT_EQ(m_folder.Read("ours.res"), theirs);
    }
}

// Windows' compiler reads a menu item whose comma is missing as if it were there.
TEST_F(WindowsCompatibility, MenuItemsWithoutTheirComma) {
    Expect({
        {"1 MENU\nBEGIN\n  MENUITEM \"Contents\" 1055\n  POPUP \"P\"\n  BEGIN\n    MENUITEM \"x\" 2, CHECKED\n  "
         "END\nEND\n",
         "1 MENU\nBEGIN\n  MENUITEM \"Contents\", 1055\n  POPUP \"P\"\n  BEGIN\n    MENUITEM \"x\", 2, CHECKED\n  END\n"
         "END\n",
         {"3: a ',' is missing before the MENUITEM's id", "6: a ',' is missing"}},
        {"1 MENUEX\nBEGIN\n  MENUITEM \"a\" 5\n  MENUITEM \"\", 0 0x800\nEND\n",
         "1 MENUEX\nBEGIN\n  MENUITEM \"a\", 5\n  MENUITEM \"\", 0, 0x800\nEND\n",
         {"3: a ',' is missing", "4: a ',' is missing"},
         Reference::kWindres},  // llvm-rc has no MENUEX
    });
}

// Neither reference writes a DIALOG control's data: its bytes are pinned, the next control aligned on 4 bytes.
TEST_F(WindowsCompatibility, DialogControlDataKeepsTheNextControlAligned) {
    m_folder.Write("ours.rc", std::string("1 DIALOG 0, 0, 10, 10\nBEGIN\n  CONTROL \"\", 1, \"B\", 0, 1, 2, 3, 4\n"
                                          "  BEGIN 7L END\n  LTEXT \"\", 2, 5, 6, 7, 8\nEND\n"));
    const RunResult ours = RunBrcc32(m_folder.Path(), "ours.rc");
    ASSERT_EQ(ours.exitCode, 0) << ours.stderr;
    EXPECT_TRUE(ours.stderr.starts_with("ours.rc(3): warning: Windows' compiler does not align")) << ours.stderr;
    const std::vector<std::uint8_t> res = m_folder.Read("ours.res");
    const std::vector<std::uint8_t> controls = {
        // style, extended style, x, y, cx, cy, id; class "B"; no text; 4 bytes of data, then padding
        0x00, 0x00, 0x00, 0x50, 0, 0, 0, 0, 1, 0, 2, 0, 3, 0, 4, 0, 1, 0, 'B', 0, 0, 0, 0, 0, 4, 0, 7, 0, 0, 0, 0, 0,
        // the LTEXT, on the next multiple of 4
        0x00, 0x00, 0x02, 0x50, 0, 0, 0, 0, 5, 0, 6, 0, 7, 0, 8, 0, 2, 0, 0xFF, 0xFF, 0x82, 0, 0, 0, 0, 0};
    ASSERT_GE(res.size(), 32u + 32u + 24u + controls.size());
    const std::vector<std::uint8_t> written(res.begin() + 32 + 32 + 24, res.begin() + 32 + 32 + 24 + controls.size());
    EXPECT_EQ(written, controls);
}

}  // namespace
}  // namespace brcc::test
