// What real scripts bring that Windows' compiler takes: every code page, more built-in headers, real headers read
// from disk, Borland's comment lines and escaped quotes, old line ends, line markers. Against llvm-rc (with its
// preprocessor and the MinGW-w64 headers) where it compiles the same resources.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "brcc32/preprocessor/target_macros.h"
#include "iconv_reference.h"
#include "round_trip.h"
#include "test_folder.h"

namespace brcc::test {
namespace {

class ScriptCompatibility : public ::testing::Test {
protected:
    // Ours with `ourOptions` on `ours`, llvm-rc with its preprocessor and `llvmOptions` on `theirs`: the same bytes.
    void ExpectSame(const std::string& ours, const std::string& theirs, const std::string& ourOptions = "",
                    const std::string& llvmOptions = "") {
        m_folder.Write("ours.rc", ours);
        m_folder.Write("theirs.rc", theirs);
        const RunResult ourRun = RunBrcc32(m_folder.Path(), ourOptions + " -fo ours.res ours.rc");
        ASSERT_EQ(ourRun.exitCode, 0) << ourRun.stderr << "\n" << ours;
        const RunResult theirRun = RunLlvmRcPreprocessed(m_folder.Path(), "theirs.rc", "theirs.res", llvmOptions);
        ASSERT_EQ(theirRun.exitCode, 0) << theirRun.stderr << "\n" << theirs;
        EXPECT_EQ(m_folder.Read("ours.res"), m_folder.Read("theirs.res")) << ours;
        ExpectRoundTrip(m_folder, "ours.res", ours);
    }

    TestFolder m_folder;
};

// A string table of every character the page has alone and, for a double-byte page, of every lead byte with its
// first trail byte, in narrow and wide strings and in a dialog: ours given the page by -c and by #pragma
// code_page, llvm-rc the same text in UTF-8.
TEST_F(ScriptCompatibility, EveryCodePageAsLlvmRcReadsItsUtf8) {
    const struct {
        unsigned m_page;
        const char* m_iconvName;
    } pages[] = {{437, "CP437"},   {850, "CP850"},   {852, "CP852"},    {866, "CP866"},   {874, "CP874"},
                 {1250, "CP1250"}, {1251, "CP1251"}, {1252, "CP1252"},  {1253, "CP1253"}, {1254, "CP1254"},
                 {1256, "CP1256"}, {1257, "CP1257"}, {20866, "KOI8-R"}, {932, "CP932"},   {936, "CP936"},
                 {949, "CP949"},   {950, "CP950"}};
    for (const auto& page : pages) {
        std::vector<std::string> characters;
        for (int lead = 0xA0; lead < 0x100; ++lead) {
            if (page.m_page == 950 && lead >= 0xC6 && lead <= 0xC8) {
                continue;  // where glibc gives private-use characters and Microsoft's table kana and Cyrillic
            }
            const std::string one(1, static_cast<char>(lead));
            if (IconvUnit(page.m_iconvName, one)) {
                characters.push_back(one);
                continue;
            }
            for (int trail = 0x40; trail < 0x100; ++trail) {
                const std::string pair = one + static_cast<char>(trail);
                if (trail != 0x7F && IconvUnit(page.m_iconvName, pair)) {
                    characters.push_back(pair);
                    break;
                }
            }
        }
        ASSERT_GT(characters.size(), 20u) << page.m_page;
        std::string body = "STRINGTABLE\nBEGIN\n";
        for (std::size_t i = 0; i < characters.size(); i += 16) {
            std::string text;
            for (std::size_t k = i; k < std::min(i + 16, characters.size()); ++k) {
                text += characters[k];
            }
            body += "  " + std::to_string(i + 1) + ", \"" + text + "\"\n";
            body += "  " + std::to_string(i + 2) + ", L\"" + text + "\\n\"\n";
        }
        body += "END\n1 DIALOGEX 0, 0, 100, 50\nCAPTION \"" + characters.front() + characters.back() +
                "\"\nBEGIN\n  LTEXT \"" + characters[characters.size() / 2] + "\", 1, 2, 3, 4, 5\nEND\n";
        SCOPED_TRACE(page.m_page);
        const std::string utf8 = IconvToUtf8(page.m_iconvName, body);
        ExpectSame(body, utf8, "-c " + std::to_string(page.m_page), "/C 65001");
        ExpectSame("#pragma code_page(" + std::to_string(page.m_page) + ")\n" + body, "\n" + utf8, "", "/C 65001");
    }
    // Plain ASCII under a double-byte page, and DEFAULT going back to the command line's page.
    ExpectSame("#pragma code_page(936)\n1 RCDATA { \"abc\\\\\" }\n#pragma code_page(DEFAULT)\n2 RCDATA { \"\xE9\" }\n",
               "\n1 RCDATA { \"abc\\\\\" }\n\n2 RCDATA { \"\xE9\" }\n", "-c 1252", "/C 1252");
}

// A trail byte that is a backslash in ASCII escapes nothing, and the macros after the string are still expanded.
TEST_F(ScriptCompatibility, TrailBytesThatLookLikeBackslashes) {
    const std::string ours =
        "#pragma code_page(932)\n#define IDC_NAME 7\n1 DIALOG 0, 0, 9, 9\nBEGIN\n  LTEXT \"\x83\x5C\", IDC_NAME, "
        "1, 2, 3, 4 // \x83\x5C\n  LTEXT \"\x95\x5C\\n\", 8, 1, 2, 3, 4\nEND\n";
    const std::string theirs =
        "\n#define IDC_NAME 7\n1 DIALOG 0, 0, 9, 9\nBEGIN\n  LTEXT \"\xE3\x82\xBD\", IDC_NAME, 1, 2, 3, 4 // x\n"
        "  LTEXT \"\xE8\xA1\xA8\\n\", 8, 1, 2, 3, 4\nEND\n";
    ExpectSame(ours, theirs, "", "/C 65001");
}

// Names the SDK's, MFC's and WTL's headers define and MinGW-w64 does not, with their documented values.
TEST_F(ScriptCompatibility, HeadersThatAreNotMinGws) {
    const struct {
        const char* m_header;
        const char* m_name;
        const char* m_value;
    } names[] = {
        {"afxres.h", "ID_FILE_NEW", "0xE100"},
        {"afxres.h", "ID_APP_EXIT", "0xE141"},
        {"afxres.h", "AFX_IDS_APP_TITLE", "0xE000"},
        {"afxres.h", "ID_INDICATOR_CAPS", "0xE701"},
        {"afxres.h", "ID_FILE_MRU_FILE16", "0xE11F"},
        {"afxres.h", "AFX_IDS_SCRESTORE", "0xEF12"},
        {"afxres.h", "IDC_STATIC", "(-1)"},
        {"afxres.h", "WS_CHILD", "0x40000000"},
        {"atlres.h", "ID_VIEW_STATUS_BAR", "0xE801"},
        {"atlres.h", "ATL_IDS_IDLEMESSAGE", "0xE001"},
        {"windows.h", "LANG_CHINESE_SIMPLIFIED", "4"},
        {"windows.h", "SUBLANG_JAPANESE_JAPAN", "1"},
        {"winnt.h", "LANG_CHINESE_TRADITIONAL", "0x7c04"},
        {"richedit.h", "ES_SAVESEL", "0x8000"},
        {"commdlg.h", "CC_FULLOPEN", "0x2"},
        {"colordlg.h", "COLOR_RED", "706"},
        {"sdkddkver.h", "_WIN32_WINNT_WIN7", "0x0601"},
        {"verrsrc.h", "VS_FF_DEBUG", "0x1"},
    };
    std::string ours;
    std::string theirs;
    int id = 1;
    for (const auto& name : names) {
        ours += std::string("#include <") + name.m_header + ">\n" + std::to_string(id) + " VERSIONINFO FILEFLAGS " +
                name.m_name + " BEGIN END\n";
        theirs += "\n" + std::to_string(id++) + " VERSIONINFO FILEFLAGS " + name.m_value + " BEGIN END\n";
    }
    // The C library's headers that a project header includes contribute nothing.
    ours += "#include <stdio.h>\n#include <stdint.h>\n";
    theirs += "\n\n";
    ExpectSame(ours, theirs);
}

// ntverp.h and common.ver build a whole VERSIONINFO from VER_* macros, as in driver and DLL scripts.
TEST_F(ScriptCompatibility, CommonVersionTemplate) {
    const std::string script =
        "#include <windows.h>\n#include <ntverp.h>\n#define VER_FILETYPE VFT_DRV\n"
        "#define VER_FILESUBTYPE VFT2_DRV_SYSTEM\n#define VER_FILEDESCRIPTION_STR \"Sample driver\"\n"
        "#define VER_INTERNALNAME_STR \"sample.sys\"\n#define VER_LANGNEUTRAL\n#include \"common.ver\"\n";
    ExpectSame(script, script);
}

// MinGW-w64's own headers read from disk, as -I and INCLUDE find them: the target's predefined macros take them
// through their compiler tests.
TEST_F(ScriptCompatibility, RealHeadersFromAnIncludeFolder) {
    const std::string script =
        "#include <windows.h>\n#include <commctrl.h>\n1 DIALOGEX 0, 0, 90, 40\n"
        "STYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION\nCAPTION \"x\"\nBEGIN\n"
        "  CONTROL \"\", 1, WC_LISTVIEW, LVS_REPORT | WS_BORDER, 1, 2, 80, 20\n"
        "  DEFPUSHBUTTON \"OK\", IDOK, 1, 25, 40, 12\nEND\n";
    ExpectSame(script, script, std::string("-I ") + kMingwInclude);
}

// Lone CRs end the lines of a UTF-16 script as of an 8-bit one (Sandboxie's, saved so).
TEST_F(ScriptCompatibility, LoneCrLineEndsInUtf16) {
    m_folder.Write("targetver.h", std::string("#define TARGET 5\n"));
    const std::u16string text = u"#ifndef X\r#include \"targetver.h\"\r#endif\r1 RCDATA { TARGET, L\"\u00E9\" }\r";
    const std::string theirs = "#ifndef X\n#include \"targetver.h\"\n#endif\n1 RCDATA { TARGET, L\"\xC3\xA9\" }\n";
    for (const bool bigEndian : {false, true}) {
        std::string utf16 = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (const char16_t unit : text) {
            const char low = static_cast<char>(unit & 0xFF);
            const char high = static_cast<char>(unit >> 8);
            utf16 += bigEndian ? std::string{high, low} : std::string{low, high};
        }
        SCOPED_TRACE(bigEndian);
        ExpectSame(utf16, theirs, "", "/C 65001");
    }
}

// The C library's headers that a project header includes contribute nothing, wherever the SDK would have them; a real
// header found first is read instead.
TEST_F(ScriptCompatibility, CLibraryHeadersBuiltInEmpty) {
    std::string ours;
    for (const char* header : {"sys/types.h", "time.h", "inttypes.h", "assert.h", "sys\\stat.h", "unistd.h", "errno.h",
                               "io.h", "pthread.h", "netinet/in.h"}) {
        ours += std::string("#include <") + header + ">\n";
    }
    ExpectSame(ours + "1 RCDATA { 1 }\n", std::string(10, '\n') + "1 RCDATA { 1 }\n");
    m_folder.Write("inc/time.h", std::string("#define NOW 7\n"));
    ExpectSame("#include <time.h>\n1 RCDATA { NOW }\n", "\n1 RCDATA { 7 }\n", "-I inc");
}

// An included file's UTF-8 byte-order mark does not override the #pragma code_page in force, as in Windows' compiler.
TEST_F(ScriptCompatibility, ByteOrderMarkUnderACodePage) {
    m_folder.Write("marked.rc", std::string("\xEF\xBB\xBFSTRINGTABLE { 1, \"\xC3\xA9\" }\n"));
    ExpectSame("#pragma code_page(1252)\n#include \"marked.rc\"\n", "#include \"marked.rc\"\n", "", "/C 1252");
    const RunResult ours = RunBrcc32(m_folder.Path(), "-fo ours.res ours.rc");
    EXPECT_NE(ours.stderr.find("marked.rc(1): warning: marked.rc starts with a UTF-8 byte-order mark, but code page "
                               "1252 is in force"),
              std::string::npos)
        << ours.stderr;
}

TEST(TargetMacros, SixtyFourBitsOnlyForSixtyFourBitMachines) {
    const struct {
        Machine m_machine;
        std::vector<std::string> m_has;
        std::vector<std::string> m_hasNot;
    } cases[] = {
        {Machine::kX86, {"_WIN32=1", "_M_IX86=600"}, {"_WIN64=1", "_M_X64=100", "_M_AMD64=100"}},
        {Machine::kX64, {"_WIN32=1", "_WIN64=1", "_M_X64=100", "_M_AMD64=100"}, {"_M_IX86=600"}},
        {Machine::kArm64, {"_WIN32=1", "_WIN64=1", "_M_ARM64=1"}, {"_M_IX86=600", "_M_X64=100"}},
    };
    for (const auto& c : cases) {
        const std::vector<std::string> macros = TargetMacros(c.m_machine);
        for (const std::string& name : c.m_has) {
            EXPECT_NE(std::find(macros.begin(), macros.end(), name), macros.end()) << name;
        }
        for (const std::string& name : c.m_hasNot) {
            EXPECT_EQ(std::find(macros.begin(), macros.end(), name), macros.end()) << name;
        }
    }
}

// Borland's scripts: comment lines that start with ';', and \" for a quote; Windows' "" stays.
TEST_F(ScriptCompatibility, BorlandCommentsAndQuotes) {
    ExpectSame(
        "; a component library's comment, with a \" in it\n  ; and an indented one\n"
        "STRINGTABLE\nBEGIN\n  1, \"say \\\"hi\\\"\"\n  2, \"a \"\"b\"\"\"\n  3, \"C:\\\"\nEND\n"
        "1 RCDATA { \"x;y\" }\n",
        "\n\nSTRINGTABLE\nBEGIN\n  1, \"say \"\"hi\"\"\"\n  2, \"a \"\"b\"\"\"\n  3, \"C:\\\\\"\nEND\n"
        "1 RCDATA { \"x;y\" }\n");
}

// Lone CR line ends, and line markers; __LINE__ is where it is written.
TEST_F(ScriptCompatibility, LineEndsAndLineMarkers) {
    ExpectSame("#include <windows.h>\r#define A 1\r#ifdef A\r1 RCDATA { A, __LINE__ }\r#endif\r2 RCDATA { 2 }",
               "#include <windows.h>\n#define A 1\n#ifdef A\n1 RCDATA { A, __LINE__ }\n#endif\n2 RCDATA { 2 }\n");
    ExpectSame(
        "#line 40 \"generated.rc\"\n1 RCDATA { __LINE__ }\n# 7 \"other.rc\"\n2 RCDATA { __LINE__ }\n"
        "3 RCDATA { __DATE__ }\n",
        "#line 40 \"generated.rc\"\n1 RCDATA { __LINE__ }\n# 7 \"other.rc\"\n2 RCDATA { __LINE__ }\n"
        "3 RCDATA { __DATE__ }\n");
}

TEST_F(ScriptCompatibility, LineMarkersPlaceLaterMessages) {
    ExpectRefusedWith(m_folder, "ours.rc",
                      {
                          {"#line 100 \"orig.rc\"\n1 RCDATA { BAD }\n", "orig.rc(100): error: "},
                          {"\n# 7 \"gen\\\\a.rc\"\n\n1 RCDATA { BAD }\n", "gen\\a.rc(8): error: "},
                          {"#line 20\n#error stop\n", "ours.rc(20): error: #error stop"},
                          {"#line x\n", "ours.rc(1): error: write #line NUMBER"},
                      });
    // A .res or an image given as the script is no text at all.
    m_folder.Write("ours.rc", std::vector<std::uint8_t>{0, 0, 0, 0, 0x20, 0, 0, 0, 0xFF, 0xFF, 0, 0});
    RunResult result = RunBrcc32(m_folder.Path(), "ours.rc");
    EXPECT_EQ(result.stderr, "ours.rc(1): error: ours.rc is not a resource script: it holds NUL bytes at offset 0\n");
    m_folder.Write("ours.rc", std::vector<std::uint8_t>{'B', 'M', 0x46, 0, 0, 0, 0, 0, 0x36, 0, 0, 0, 0x28, 0});
    result = RunBrcc32(m_folder.Path(), "ours.rc");
    EXPECT_EQ(result.stderr, "ours.rc(1): error: ours.rc is not a resource script: it holds NUL bytes at offset 3\n");
}

}  // namespace
}  // namespace brcc::test
