// Scripts back from their .res: each kind in the form the script language has for it, what no statement gives back
// as data, and Talvorine's own resources.
#include "round_trip.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "brcc32/input/resource_input.h"
#include "brcc32/output/res_file.h"
#include "test_images.h"

namespace brcc::test {
namespace {

struct RoundTripCase {
    std::string script;
    std::string written;  // a piece of the decompiled script: the form chosen
};

TEST(RoundTrip, EachKindComesBackInItsOwnForm) {
    const std::vector<RoundTripCase> cases = {
        {"1 DIALOGEX 1, 2, 200, 100, 77\nSTYLE 0x10CC0000 | 0x40\nEXSTYLE 0x200\nCAPTION \"Caf\xC3\xA9 \"\"x\"\"\"\n"
         "MENU \"MainMenu\"\nCLASS 12\nFONT 9, \"Segoe UI\", 700, 1, 0\n{\n"
         "  AUTOCHECKBOX \"&Check\", 10, 5, 5, 60, 10, NOT 0x10000\n  EDITTEXT 11, 5, 20, 60, 12, 0x80, 0x200, 5\n"
         "  CONTROL \"\", 12, \"SysListView32\", 0x50010001, 5, 40, 90, 40\n"
         "  CONTROL \"x\", 13, BUTTON, 0x5000000B, 5, 85, 20, 10 { 1, 2L, \"ab\" }\n"
         "  ICON 5, 14, 100, 5\n  PUSHBUTTON \"\\x01\\t\", -1, 1, 1, 1, 1\n}\n",
         "AUTOCHECKBOX \"&Check\", 10, 5, 5, 60, 10, NOT 0x10000 | 0x50000003"},
        {"DLG DIALOG DISCARDABLE 0, 0, 50, 50\nFONT 8, \"MS Sans Serif\"\n{\n  LTEXT \"a\", 1, 0, 0, 10, 10\n"
         "  CONTROL \"b\", 2, \"msctls_progress32\", 0x50000000, 0, 0, 1, 1 { 1 }\n  RTEXT \"c\", 3, 0, 0, 1, 1\n}\n",
         "DLG DIALOG 0, 0, 50, 50"},
        {"7 MENU PRELOAD\n{\n POPUP \"&File\"\n {\n  MENUITEM \"&Open\\tCtrl+O\", 100, CHECKED, GRAYED\n"
         "  MENUITEM SEPARATOR\n  POPUP \"Sub\", HELP\n  { MENUITEM \"x\", 101, MENUBARBREAK }\n }\n"
         " MENUITEM \"&Help\", 102\n}\n",
         "MENUITEM \"&Open\\x09Ctrl+O\", 100, GRAYED, CHECKED"},
        {"8 MENUEX\n{\n POPUP \"&File\", 200, 0x10, 3, 99\n {\n  MENUITEM \"&Open\", 201, 0, 8\n"
         "  MENUITEM SEPARATOR\n  MENUITEM \"\", 0, 0x800\n }\n}\n",
         "POPUP \"&File\", 200, 0x10, 0x3, 99"},
        {"STRINGTABLE\n{\n 1, \"one\"\n 17, L\"\\x263A \xC3\xA9t\xC3\xA9\"\n 20, \"a\\\\b\"\n}\n"
         "LANGUAGE 12, 1\nSTRINGTABLE DISCARDABLE VERSION 3 CHARACTERISTICS 9\n{ 1, \"un\" }\n",
         "#pragma code_page(65001)"},
        {"ACC ACCELERATORS\n{\n \"^C\", 1\n \"a\", 2\n \"B\", 3, VIRTKEY, SHIFT, CONTROL\n 0x70, 4, VIRTKEY, ALT\n"
         " \"\"\"\", 5\n 65, 6, NOINVERT\n}\n",
         "\"B\", 3, VIRTKEY, SHIFT, CONTROL"},
        {"1 VERSIONINFO\nFILEVERSION 1,2,3,4\nPRODUCTVERSION 5,6\nFILEFLAGSMASK 0x3F\nFILEOS 0x40004\nFILETYPE 1\n"
         "BEGIN\n BLOCK \"StringFileInfo\"\n BEGIN\n  BLOCK \"040904B0\"\n  BEGIN\n"
         "   VALUE \"CompanyName\", \"Talvorine\"\n   VALUE \"Two\", \"a\", \"b\"\n   VALUE \"Empty\", \"\"\n"
         "  END\n END\n BLOCK \"VarFileInfo\"\n BEGIN\n  VALUE \"Translation\", 0x409, 1200, 7L\n END\nEND\n",
         "VALUE \"Two\", \"a\", \"b\""},
        {"TB TOOLBAR 16, 15\n{\n BUTTON 100\n SEPARATOR\n BUTTON 65535\n}\n", "SEPARATOR"},
        {"1 DLGINCLUDE \"resource.h\"\n2 RCDATA { 1, 2, \"text\" }\nNAMED MYTYPE FIXED { 3L }\n"
         "3 HTML \"big.bin\"\n",
         "3 HTML \"back_html_3.html\""},
        {"A ICON \"two.ico\"\nB CURSOR PRELOAD \"arrow.cur\"\nC BITMAP \"core.bmp\"\nD BITMAP \"info.bmp\"\n"
         "LANGUAGE 7, 1\nE ICON \"two.ico\"\n",
         "E ICON \"back_icon_E.ico\""},
        {"1 FONT \"a.fnt\"\n2 FONT \"b.fnt\"\n", "2 FONT \"back_font_2.fnt\""},
        {"1 ANICURSOR \"spin.ani\"\n2 ANIICON \"spin.ani\"\n", "2 ANIICON \"back_aniicon_2.ani\""},
        // Names no identifier spells: lower-case letters (as escapes, which stay), text, a keyword, digits.
        {"#pragma code_page(65001)\n\"\\x6Cow\" RCDATA { 1 }\n\"Caf\xC3\xA9 2\" \"DIALOG\" { 2 }\n"
         "\"123\" L\"\\x0074\\xD800\" { 3 }\n",
         "\"CAF\xC3\xA9 2\" \"DIALOG\""},
        // Bytes no statement gives: a menu item flag the script cannot set, a version text that does not end.
        {"1 4 { 0, 0, 0x0180, 5, 0 }\n2 16 { 0 }\n3 14 { 0, 1, 1 }\n", "written as they are stored"},
    };
    TestFolder folder;
    folder.Write("two.ico", MakeIconFile({{MakeDibImage(16, 16, 4), 16, 16, 4}, {MakePngImage(32, 32), 32, 32, 32}}));
    folder.Write("arrow.cur", MakeIconFile({{MakeDibImage(32, 32, 1), 32, 32, 1, 3, 7}}, true));
    folder.Write("core.bmp", MakeBitmapFile(3, 2, 8, 12));
    folder.Write("info.bmp", MakeBitmapFile(5, 3, 24));
    folder.Write("a.fnt", MakeFontFile("Alpha"));
    folder.Write("b.fnt", MakeFontFile("Beta", "Printer"));
    folder.Write("spin.ani", std::string("RIFF\x10\0\0\0ACONanih\x04\0\0\0abcd", 24));
    folder.Write("big.bin", std::string(5000, 'x'));
    for (const RoundTripCase& test : cases) {
        folder.Write("case.rc", test.script);
        const RunResult compiled = RunBrcc32(folder.Path(), "-fo case.res case.rc");
        ASSERT_EQ(compiled.exitCode, 0) << compiled.stderr << "\n" << test.script;
        const std::string script = ExpectRoundTrip(folder, "case.res", test.script);
        EXPECT_NE(script.find(test.written), std::string::npos) << script;
    }
}

// Talvorine's own resources, from the script the build compiles them from.
// The benchmarks' scripts, at sizes and in shapes no case above reaches: windows.h with a dialog, a menu and 1,000
// strings; double-byte string tables; 20,000 data resources; 2,000 icons.
TEST(RoundTrip, BenchmarkScripts) {
    TestFolder folder;
    const RunResult made = RunIn(folder.Path(), std::string(BENCH_INPUTS_PATH) + " .");
    ASSERT_EQ(made.exitCode, 0) << made.stderr;
    for (const char* script : {"usual-full.rc", "cp936-6000.rc", "rcdata-20000.rc", "icons-2000.rc"}) {
        const RunResult compiled = RunBrcc32(folder.Path(), std::string("-fo bench.res ") + script);
        ASSERT_EQ(compiled.exitCode, 0) << compiled.stderr << "\n" << script;
        ExpectRoundTrip(folder, "bench.res", script);
    }
}

TEST(RoundTrip, TalvorineResources) {
    TestFolder folder;
    const std::filesystem::path script = std::filesystem::path(TALVORINE_RC);
    const RunResult compiled =
        RunIn(script.parent_path(), std::string(BRCC32_PATH) + " -fo " + (folder.Path() / "talvorine.res").string() +
                                        " " + script.filename().string());
    ASSERT_EQ(compiled.exitCode, 0) << compiled.stderr;
    const std::string back = ExpectRoundTrip(folder, "talvorine.res", "talvorine.rc");
    EXPECT_NE(back.find("DIALOGEX"), std::string::npos) << back;
}

// The program as shipped: its resources, written back from the executable and compiled again, are the same (an
// executable keeps no memory flags). The executable comes from the Windows build, which builds before the tests.
TEST(RoundTrip, TalvorineExecutable) {
    const std::filesystem::path exe = std::filesystem::path(TALVORINE_DIST) / "Talvorine.exe";
    if (!std::filesystem::exists(exe)) {
        GTEST_SKIP() << exe << " is built by the Windows tree";
    }
    TestFolder folder;
    const RunResult decompiled = RunBrcc32(folder.Path(), "-decompile -fo back.rc " + exe.string());
    ASSERT_EQ(decompiled.exitCode, 0) << decompiled.stderr;
    const RunResult compiled = RunBrcc32(folder.Path(), "-fo back.res back.rc");
    ASSERT_EQ(compiled.exitCode, 0) << compiled.stderr;
    const std::vector<std::uint8_t> program = folder.Read("back.res");
    std::vector<std::uint8_t> exeBytes(std::filesystem::file_size(exe));
    std::ifstream(exe, std::ios::binary).read(reinterpret_cast<char*>(exeBytes.data()), exeBytes.size());
    // A directory keeps its resources by type, name and language; the script, in the order it writes them.
    auto sorted = [](std::vector<ResEntry> entries) {
        std::sort(entries.begin(), entries.end(), [](const ResEntry& a, const ResEntry& b) {
            return std::tie(a.type, a.name, a.language) < std::tie(b.type, b.name, b.language);
        });
        return entries;
    };
    const std::vector<ResEntry> expected = sorted(ReadPeResources(exeBytes));
    const std::vector<ResEntry> got = sorted(ReadResFile(program));
    ASSERT_EQ(expected.size(), got.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const ResEntry& a = expected[i];
        const ResEntry& b = got[i];
        EXPECT_TRUE(a.type == b.type && a.name == b.name && a.language == b.language &&
                    std::ranges::equal(a.data, b.data))
            << "resource " << i << " of the executable, in directory order";
    }
    EXPECT_NE(folder.Read("back.rc").size(), 0u);
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / "back_icon_MAINICON.ico"));
}

}  // namespace
}  // namespace brcc::test
