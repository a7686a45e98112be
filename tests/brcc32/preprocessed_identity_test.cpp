// Byte identity with llvm-rc run with its C preprocessor and the MinGW-w64 headers: the preprocessor, the built-in
// Windows headers and the block statements, on scripts as projects write them and on generated ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "test_folder.h"
#include "test_images.h"

namespace brcc::test {
namespace {

class PreprocessedIdentity : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder.Write("app.ico",
                       MakeIconFile({{MakeDibImage(32, 32, 8), 32, 32, 8}, {MakePngImage(48, 48), 48, 48, 32}}));
        m_folder.Write("page.htm", std::string("<html>hello</html>"));
        m_folder.Write("app.manifest", std::string("<assembly/>\n"));
        // A resource.h as IDEs write it, with C declarations that only a C compiler reads.
        m_folder.Write("resource.h", std::string("#pragma once\n#ifndef RESOURCE_H\n#define RESOURCE_H\n"
                                                 "#define IDS_TITLE   101\n#define IDS_HELLO 102\n"
                                                 "#define IDR_DATA    200 /* data */\n"
                                                 "typedef struct { int x; } Point;\nint Compute(const char* s);\n"
                                                 "#endif\n"));
        m_folder.Write("include/shared.rh", std::string("#define SHARED_ID 7\n7 RCDATA { \"from the .rh\" }\n"));
    }

    // Ours without any include folder (the Windows headers built in) against llvm-rc with the MinGW-w64 headers.
    // llvm-rc does not read #pragma code_page: a script with one is given its code page by /C.
    void ExpectIdentical(const std::string& script, const std::string& llvmArguments = "") {
        ExpectIdenticalTo(script, script, llvmArguments);
    }

    // Ours on `script` against llvm-rc on `theirs`: the same resources, in a form llvm-rc reads.
    void ExpectIdenticalTo(const std::string& script, const std::string& theirs,
                           const std::string& llvmArguments = "") {
        m_folder.Write("ours.rc", script);
        m_folder.Write("theirs.rc", theirs);
        ExpectSameRes(m_folder, script,
                      [&] { return RunLlvmRcPreprocessed(m_folder.Path(), "theirs.rc", "theirs.res", llvmArguments); });
    }

    TestFolder m_folder;
};

constexpr const char* kDelphiVersionInfo = R"(1 VERSIONINFO
FILEVERSION 1,2,0,15
PRODUCTVERSION 1,2,0,0
FILEFLAGSMASK 0x3FL
FILEFLAGS 0x0L
FILEOS 0x4L
FILETYPE 0x1L
FILESUBTYPE 0x0L
{
 BLOCK "StringFileInfo"
 {
  BLOCK "040C04E4"
  {
   VALUE "CompanyName", "Talvorine\000"
   VALUE "FileDescription", "\000"
   VALUE "FileVersion", "1.2.0.15\000"
   VALUE "InternalName", "\000"
   VALUE "LegalCopyright", "\000"
   VALUE "OriginalFilename", "Projet1.exe\000"
   VALUE "ProductName", "\000"
   VALUE "ProductVersion", "1.2.0.0\000"
  }
 }
 BLOCK "VarFileInfo"
 {
  VALUE "Translation", 0x040C, 1252
 }
}
)";

TEST_F(PreprocessedIdentity, DelphiProjectScript) {
    ExpectIdentical(std::string("MAINICON ICON \"app.ico\"\n") + kDelphiVersionInfo);
}

// The headers a Visual C++ project includes, its resource.h, and the symbolic names of each new statement.
TEST_F(PreprocessedIdentity, VisualCppProjectScript) {
    ExpectIdentical(R"(#include "resource.h"
#define APSTUDIO_READONLY_SYMBOLS
#include "winres.h"
#undef APSTUDIO_READONLY_SYMBOLS
#include <commctrl.h>
#include <dlgs.h>
#include "include/shared.rh"

LANGUAGE LANG_FRENCH, SUBLANG_FRENCH
#pragma code_page(1252)

IDI_ICON1 ICON "app.ico"
CREATEPROCESS_MANIFEST_RESOURCE_ID RT_MANIFEST "app.manifest"
IDR_DATA RCDATA BEGIN 1, 2L, "two", L"wide" END
201 HTML "page.htm"

#ifdef APSTUDIO_INVOKED
1 TEXTINCLUDE BEGIN "resource.h\0" END
GUIDELINES DESIGNINFO
BEGIN
    IDD_ABOUT, DIALOG
    BEGIN
        LEFTMARGIN, 7
    END
END
#endif
2 TEXTINCLUDE
BEGIN
    "#include ""winres.h""\r\n"
    "\0"
END

VS_VERSION_INFO VERSIONINFO
 FILEVERSION 2,0,1,7
 PRODUCTVERSION 2,0,0,0
 FILEFLAGSMASK VS_FFI_FILEFLAGSMASK
 FILEFLAGS VS_FF_DEBUG | VS_FF_PRERELEASE
 FILEOS VOS_NT_WINDOWS32
 FILETYPE VFT_DRV
 FILESUBTYPE VFT2_DRV_SYSTEM
BEGIN
    BLOCK "StringFileInfo"
    BEGIN
        BLOCK "040c04b0"
        BEGIN
            VALUE "CompanyName", "Talvorine"
            VALUE "Comments", "one", "two" "three", WC_LISTVIEW
        END
    END
    BLOCK "VarFileInfo"
    BEGIN
        VALUE "Translation", 0x40c, 1200, IDOK, 2L
    END
END

STRINGTABLE
BEGIN
    IDS_TITLE "Titre"
    IDS_HELLO, "Bonjour\t\xE0 tous\n\x80"
    IDS_HELLO + 20 L"wide" " and narrow"
    IDOK "ok" IDCANCEL "cancel"
    stc1 "from dlgs.h" SHARED_ID "shared"
END
LANGUAGE LANG_GERMAN, SUBLANG_GERMAN_SWISS
STRINGTABLE DISCARDABLE VERSION 3 CHARACTERISTICS 0x20
{ IDS_TITLE, "Titel" }
)",
                    "/C 1252");
}

// Conditionals nested in every way, macros with parameters, # and ##, and line continuations.
TEST_F(PreprocessedIdentity, ConditionalsAndMacros) {
    ExpectIdentical(R"(#define LEVEL 3
#define ID(n) 10 ## n
#define NAME(a, b) a ## b
#define TEXT(x) #x
#define LONG_MACRO 1 + \
    2 + \
    3
#if LEVEL > 2 && defined(ID)
#  if LEVEL == 3
ID(1) RCDATA { "level 3" }
#  elif LEVEL == 4
ID(1) RCDATA { "level 4" }
#  else
#    error never
#  endif
#elif defined LEVEL
#error not here either
#else
#endif
#ifndef UNDEFINED_NAME
NAME(Da, ta) RCDATA { TEXT(some text) }
STRINGTABLE { LONG_MACRO, "six" }
#endif
#if !defined(RC_INVOKED) || !defined(_WIN32) || (1 ? 0 : 1)
#error RC_INVOKED and _WIN32 are defined
#endif
#if (0x10 << 2) == 64 && -1 < 0 && 7 / 2 == 3 && 7 % 4 == 3 && (3 ^ 1) == 2 && ~0 == -1
3 RCDATA { 3 }
#endif
#if 'A' == 65 && UNKNOWN == 0
4 RCDATA { 4 }
#endif
#undef LEVEL
#ifdef LEVEL
#error LEVEL was undefined
#endif
#define EMPTY
5 EMPTY RCDATA { 5 EMPTY }
/* a comment
#error inside a comment
*/ 6 RCDATA { "/* not a comment */", "// nor this" }
)");
}

TEST_F(PreprocessedIdentity, DefinesOnTheCommandLine) {
    // llvm-rc takes no -D in the same spelling as Borland's: the script defines for it what -d defines for ours.
    m_folder.Write("ours.rc", std::string("#ifdef DEBUG\n1 RCDATA { VALUE }\n#endif\n#ifdef UNDONE\n#error\n#endif\n"));
    ASSERT_EQ(RunBrcc32(m_folder.Path(), "-dDEBUG -D VALUE=42 -DUNDONE -U UNDONE -fo a.res ours.rc").exitCode, 0);
    m_folder.Write("theirs.rc", std::string("1 RCDATA { 42 }\n"));
    ASSERT_EQ(RunLlvmRcPreprocessed(m_folder.Path(), "theirs.rc", "theirs.res").exitCode, 0);
    EXPECT_EQ(m_folder.Read("a.res"), m_folder.Read("theirs.res"));
    m_folder.Write("include/only.h", std::string("#define ONLY 9\n"));
    m_folder.Write("ours.rc", std::string("#include \"only.h\"\nONLY RCDATA { 1 }\n"));
    m_folder.Write("theirs.rc", std::string("9 RCDATA { 1 }\n"));
    ASSERT_EQ(RunBrcc32(m_folder.Path(), "-i include -fo b.res ours.rc").exitCode, 0);
    ASSERT_EQ(RunBrcc32(m_folder.Path(), "-Iinclude -fo c.res ours.rc").exitCode, 0);
    ASSERT_EQ(RunLlvmRcPreprocessed(m_folder.Path(), "theirs.rc", "theirs.res").exitCode, 0);
    EXPECT_EQ(m_folder.Read("b.res"), m_folder.Read("theirs.res"));
    EXPECT_EQ(m_folder.Read("c.res"), m_folder.Read("theirs.res"));
}

// Every constant of the built-in headers has the value the MinGW-w64 headers give it: numbers through FILEFLAGS (32
// bits, any expression), strings through a string table.
TEST_F(PreprocessedIdentity, EveryBuiltInConstant) {
    std::ifstream table(WINDOWS_HEADERS_TABLE);
    const std::regex entry(R"re(^\{"(\w+)", R"\((.*)\)", \d+\},$)re");
    std::string numbers;
    std::string strings = "STRINGTABLE\nBEGIN\n";
    int id = 1;
    for (std::string line; std::getline(table, line);) {
        std::smatch match;
        if (!std::regex_match(line, match, entry)) {
            continue;
        }
        const std::string name = match[1];
        if (match[2].str().find('"') != std::string::npos) {
            strings += std::to_string(id++) + " " + name + "\n";
        } else {
            numbers += std::to_string(id++) + " VERSIONINFO FILEFLAGS " + name + " BEGIN END\n";
        }
    }
    ASSERT_GT(id, 3000);
    ExpectIdentical(
        "#include <windows.h>\n#include <winres.h>\n#include <commctrl.h>\n#include <dlgs.h>\n"
        "#include <winver.h>\n" +
        numbers + strings + "END\n");
}

// Scripts drawn at random from the block statements and the preprocessor: catches what a hand-written case misses.
TEST_F(PreprocessedIdentity, RandomScripts) {
    const std::vector<std::string> languages = {"LANG_ENGLISH, SUBLANG_ENGLISH_US", "LANG_FRENCH, SUBLANG_FRENCH",
                                                "LANG_NEUTRAL, SUBLANG_NEUTRAL", "0x07, 0x01", "LANG_POLISH, 1"};
    const std::vector<std::string> numbers = {"0",           "1",     "65535",      "0x7FFF",    "017",        "12L",
                                              "0xFFFFFFFFL", "IDOK",  "IDC_STATIC", "VK_F1",     "(1 + 2)",    "-3",
                                              "~0",          "7 & 3", "1 | 4 - 2",  "NOT 1 | 6", "WS_VISIBLE", "COUNT"};
    const std::vector<std::string> texts = {"\"\"",
                                            "\"plain\"",
                                            "L\"wide\"",
                                            "\"tab\\there\"",
                                            "\"quote \"\"x\"\"\"",
                                            "\"octal \\101\\0 end\"",
                                            "\"hex \\x41\\x7e\"",
                                            "L\"\\x263A smile\"",
                                            "\"back\\\\slash\"",
                                            "TITLE"};
    std::mt19937 random(20261207);
    auto pick = [&](const std::vector<std::string>& from) { return from[random() % from.size()]; };
    const std::vector<std::string> controls = {
        "LTEXT",   "RTEXT",      "CTEXT",       "PUSHBUTTON",      "DEFPUSHBUTTON", "CHECKBOX", "AUTOCHECKBOX",
        "STATE3",  "AUTO3STATE", "RADIOBUTTON", "AUTORADIOBUTTON", "GROUPBOX",      "PUSHBOX",  "EDITTEXT",
        "LISTBOX", "COMBOBOX",   "SCROLLBAR",   "CONTROL",         "ICON"};
    const std::vector<std::string> styles = {"WS_TABSTOP",  "NOT WS_VISIBLE", "WS_DISABLED | WS_GROUP",
                                             "0x1",         "BS_FLAT",        "NOT WS_TABSTOP | WS_BORDER",
                                             "ES_PASSWORD", "SS_SUNKEN"};
    const std::vector<std::string> menuOptions = {
        "", ", CHECKED", ", GRAYED", ", INACTIVE, HELP", ", MENUBREAK", ", MENUBARBREAK, CHECKED"};
    for (int script = 0; script < 10; ++script) {
        // Half the scripts have no header: their constants written as numbers.
        std::string text = script % 2 ? "#include <winres.h>\n"
                                      : "#define IDOK 1\n#define IDC_STATIC (-1)\n"
                                        "#define VK_F1 0x70\n#define WS_VISIBLE 0x10000000L\n"
                                        "#define WS_TABSTOP 0x00010000L\n#define WS_DISABLED 0x08000000L\n"
                                        "#define WS_GROUP 0x00020000L\n#define BS_FLAT 0x8000\n"
                                        "#define WS_BORDER 0x00800000L\n#define ES_PASSWORD 0x20\n"
                                        "#define SS_SUNKEN 0x1000\n#define LANG_ENGLISH 9\n"
                                        "#define SUBLANG_ENGLISH_US 1\n#define LANG_FRENCH 0xc\n"
                                        "#define SUBLANG_FRENCH 1\n#define LANG_NEUTRAL 0\n#define SUBLANG_NEUTRAL 0\n"
                                        "#define LANG_POLISH 0x15\n";
        text += "#define COUNT 12\n#define TITLE \"title\"\n#define TWICE(x) x, x\n";
        int nextId = 1;
        for (int statement = 0; statement < 30; ++statement) {
            const bool guarded = random() % 4 == 0;
            if (guarded) {
                text += random() % 2 ? "#if COUNT > 10\n" : "#ifdef NOT_DEFINED\n";
            }
            switch (random() % 8) {
                case 0:
                    text += "LANGUAGE " + pick(languages) + "\n";
                    break;
                case 5: {
                    const bool extended = random() % 2;
                    text += std::to_string(nextId++) + (extended ? " DIALOGEX " : " DIALOG ") + "1, 2, 300, 200\n";
                    text += random() % 2 ? "CAPTION " + pick(texts) + "\n" : "";
                    text += random() % 2 ? "STYLE WS_VISIBLE | 0x80000000L\n" : "";
                    text += random() % 2 ? "FONT 8, \"MS Shell Dlg\"\n" : "";
                    text += "BEGIN\n";
                    for (int k = 0; k < static_cast<int>(random() % 8); ++k) {
                        const std::string control = pick(controls);
                        const std::string id = std::to_string(1000 + k);
                        const std::string place = ", " + std::to_string(random() % 300) + ", " +
                                                  std::to_string(random() % 200) + ", 40, " +
                                                  std::to_string(random() % 30);
                        const std::string style = random() % 2 ? ", " + pick(styles) : "";
                        if (control == "CONTROL") {
                            text += "  CONTROL " + pick(texts) + ", " + id + ", \"Button\", " + pick(styles) + place;
                        } else if (control == "EDITTEXT" || control == "LISTBOX" || control == "COMBOBOX" ||
                                   control == "SCROLLBAR") {
                            text += "  " + control + " " + id + place + style;
                        } else if (control == "ICON") {
                            text += "  ICON " + std::string(random() % 2 ? "\"APP\"" : "7") + ", " + id + place;
                        } else {
                            text += "  " + control + " " + pick(texts) + ", " + id + place + style;
                        }
                        text += style.empty() || !extended ? "" : ", 0x200" + std::string(random() % 2 ? ", 55" : "");
                        text += "\n";
                    }
                    text += "END\n";
                    break;
                }
                case 6: {
                    text += std::to_string(nextId++) + " MENU\nBEGIN\n";
                    for (int k = 0; k < 1 + static_cast<int>(random() % 4); ++k) {
                        if (random() % 3 == 0) {
                            text += "  POPUP " + pick(texts) + pick(menuOptions) + "\n  BEGIN\n";
                            for (int j = 0; j < 1 + static_cast<int>(random() % 3); ++j) {
                                text += random() % 4 ? "    MENUITEM " + pick(texts) + ", " + std::to_string(j) +
                                                           pick(menuOptions) + "\n"
                                                     : "    MENUITEM SEPARATOR\n";
                            }
                            text += "  END\n";
                        } else {
                            text += "  MENUITEM " + pick(texts) + ", " + (random() % 2 ? "IDOK" : "0x7FFF") +
                                    pick(menuOptions) + "\n";
                        }
                    }
                    text += "END\n";
                    break;
                }
                case 7: {
                    text += std::to_string(nextId++) + " ACCELERATORS\nBEGIN\n";
                    const std::vector<std::string> keys = {"\"a\", 1",
                                                           "\"^C\", 2",
                                                           "\"Z\", 3, ASCII",
                                                           "VK_F1, 4, VIRTKEY",
                                                           "0x41, 5, VIRTKEY, CONTROL, SHIFT",
                                                           "\"x\", 6, VIRTKEY, ALT, NOINVERT",
                                                           "65, 7, ASCII"};
                    for (int k = 0; k < 1 + static_cast<int>(random() % 5); ++k) {
                        text += "  " + pick(keys) + "\n";
                    }
                    text += "END\n";
                    break;
                }
                case 1: {
                    text += "STRINGTABLE\nBEGIN\n";
                    const int count = 1 + static_cast<int>(random() % 6);
                    for (int k = 0; k < count; ++k) {
                        text += std::to_string(script * 4096 + nextId++ * 17 + static_cast<int>(random() % 17)) +
                                (random() % 2 ? ", " : " ") + pick(texts) + "\n";
                    }
                    text += "END\n";
                    break;
                }
                case 2: {
                    text += std::to_string(nextId++) + (random() % 2 ? " RCDATA" : " MYDATA") + " {";
                    const int count = static_cast<int>(random() % 6);
                    for (int k = 0; k < count; ++k) {
                        const std::string number = pick(numbers);
                        const bool simple =
                            number.find_first_of("( -~&|N") == std::string::npos && number != "IDC_STATIC";
                        text += (k ? ", " : " ") + (random() % 2 || !simple ? pick(texts) : number);
                    }
                    text += random() % 3 ? " }\n" : count ? ", TWICE(5) }\n" : " TWICE(5) }\n";
                    break;
                }
                case 3: {
                    text += std::to_string(nextId++) + " VERSIONINFO\nFILEVERSION " + std::to_string(random() % 9) +
                            "," + std::to_string(random() % 300) + "\nFILEFLAGS " + pick(numbers) + "\nFILETYPE " +
                            pick(numbers) + "\nBEGIN\n";
                    for (int block = 0; block < static_cast<int>(random() % 3); ++block) {
                        text += " BLOCK \"b" + std::to_string(block) + "\"\n BEGIN\n";
                        for (int value = 0; value < static_cast<int>(random() % 4); ++value) {
                            text += "  VALUE \"v" + std::to_string(value) + "\", " +
                                    (random() % 2 ? pick(texts) + (random() % 2 ? ", " : " ") + pick(texts)
                                                  : std::string("1, 2L 3"));
                            text += "\n";
                        }
                        text += " END\n";
                    }
                    text += "END\n";
                    break;
                }
                default:
                    text += std::to_string(nextId++) + " ICON app.ico\n";
                    break;
            }
            if (guarded) {
                text += "#endif\n";
            }
        }
        ExpectIdentical(text);
        if (HasFatalFailure()) {
            return;
        }
    }
}

constexpr const char* kDialogsMenusAccelerators = R"(
1 DIALOG 10, 20, 200, 100
STYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU
CAPTION "About"
FONT 8, "MS Shell Dlg"
LANGUAGE LANG_GERMAN, SUBLANG_GERMAN
CHARACTERISTICS 3
VERSION 4
EXSTYLE WS_EX_TOOLWINDOW
CLASS "MyDialog"
BEGIN
  LTEXT "Hello", 101, 5, 5, 100, 10
  RTEXT "R", 102, 5, 5, 100, 10, SS_NOPREFIX
  CTEXT "C", IDC_STATIC, 5, 5, 100, 10, NOT WS_GROUP, WS_EX_TRANSPARENT
  EDITTEXT 103, 1, 2, 3, 4, ES_AUTOHSCROLL | NOT WS_BORDER
  DEFPUSHBUTTON "OK", IDOK, 1, 2, 3, 4
  PUSHBUTTON "Cancel", IDCANCEL, 1, 2, 3, 4, WS_DISABLED
  CHECKBOX "c", 104, 1, 2, 3, 4
  AUTOCHECKBOX "ac", 105, 1, 2, 3, 4
  STATE3 "s3", 106, 1, 2, 3, 4
  AUTO3STATE "a3", 107, 1, 2, 3, 4
  RADIOBUTTON "r", 108, 1, 2, 3, 4
  AUTORADIOBUTTON "ar", 109, 1, 2, 3, 4
  GROUPBOX "g", 110, 1, 2, 3, 4
  LISTBOX 111, 1, 2, 3, 4, LBS_SORT | WS_VSCROLL
  COMBOBOX 112, 1, 2, 3, 4, CBS_DROPDOWNLIST
  SCROLLBAR 113, 1, 2, 3, 4, SBS_VERT
  ICON "APPICON", 114, 1, 2, 0, 0
  ICON 1, 115, 1, 2, 3, 4
  PUSHBOX "pb", 116, 1, 2, 3, 4
  CONTROL "ctl", 117, "Button", BS_AUTOCHECKBOX | WS_TABSTOP, 1, 2, 3, 4
  CONTROL "", 118, "SysListView32", 1, 1, 2, 3, 4, WS_EX_CLIENTEDGE
  CONTROL 5, 119, "Static", SS_ICON, 1, 2, 3, 4
  CONTROL L"wide", 120, L"Edit", 0, -1, -2, 300, 400
END
2 DIALOGEX 1, 2, 3, 4, 99
CAPTION "Ex"
FONT 9, "Segoe UI", 700, 1, 0
BEGIN
  LTEXT "x", 101, 1, 2, 3, 4, 0, 0, 77
  CONTROL "c", 70000, "Edit", ES_MULTILINE, 1, 2, 3, 4, WS_EX_STATICEDGE, 88
  PUSHBUTTON "p", 102, 1, 2, 3, 4
  EDITTEXT 103, 1, 2, 3, 4, ES_NUMBER, WS_EX_RIGHT, 5
END
3 DIALOG 1, 2, 3, 4
BEGIN
END
4 DIALOGEX 1, 2, 3, 4
STYLE WS_CHILD
FONT 8, "Tahoma"
BEGIN
  GROUPBOX "g", 1, 1, 2, 3, 4
END
5 MENU
BEGIN
  POPUP "&File"
  BEGIN
    MENUITEM "&Open	Ctrl+O", 201
    MENUITEM SEPARATOR
    MENUITEM "E&xit", 202, GRAYED, CHECKED
    POPUP "Sub", GRAYED
    BEGIN
      MENUITEM "x", 203, INACTIVE, MENUBARBREAK, MENUBREAK, HELP
    END
  END
  MENUITEM "&Help", 204
END
6 ACCELERATORS
BEGIN
  "a", 101
  "^B", 102, ASCII
  VK_F1, 103, VIRTKEY, CONTROL, SHIFT, ALT
  65, 104, ASCII, NOINVERT
  "c", 105, VIRTKEY
  VK_DELETE, 106, VIRTKEY
END
)";

TEST_F(PreprocessedIdentity, DialogsMenusAndAccelerators) {
    ExpectIdentical(std::string("#include <windows.h>\n#include <winres.h>\n") + kDialogsMenusAccelerators);
}

// Without a header, the styles written as numbers: the defaults of each control are the compiler's own.
TEST_F(PreprocessedIdentity, DialogWithoutHeaders) {
    ExpectIdentical(
        "1 DIALOGEX 0, 0, 100, 50\nSTYLE 0x10CC0000\nCAPTION \"\"\nBEGIN\n"
        "  LTEXT \"a\", -1, 1, 1, 10, 10\n  EDITTEXT 2, 1, 1, 10, 10, 0x1000\n"
        "  CONTROL \"b\", 3, \"msctls_trackbar32\", 0x15, 1, 1, 10, 10\nEND\n"
        "2 MENU { MENUITEM \"a\", 1 }\n3 ACCELERATORS { 0x70, 1, VIRTKEY }\n");
}

// The font directory, which llvm-rc does not write: the count, then each font's number and directory entry (its
// first 113 bytes, its device and face names), after every other resource.
Bytes FontDirectory(const std::vector<std::pair<std::uint16_t, Bytes>>& fonts,
                    const std::vector<std::pair<std::string, std::string>>& names) {
    Bytes out = {static_cast<std::uint8_t>(fonts.size()), 0};
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        out.push_back(static_cast<std::uint8_t>(fonts[i].first));
        out.push_back(static_cast<std::uint8_t>(fonts[i].first >> 8));
        out.insert(out.end(), fonts[i].second.begin(), fonts[i].second.begin() + 113);
        for (const std::string& name : {names[i].first, names[i].second}) {
            out.insert(out.end(), name.begin(), name.end());
            out.push_back(0);
        }
    }
    return out;
}

// llvm-rc stores these types under their names as text: Windows looks them up by number. Ours against llvm-rc
// given the numbers.
TEST_F(PreprocessedIdentity, TypesLlvmRcStoresAsText) {
    const Bytes font = MakeFontFile("Tiny");
    m_folder.Write("tiny.fnt", font);
    m_folder.Write("fontdir.bin", FontDirectory({{2, font}}, {{"", "Tiny"}}));
    ExpectIdenticalTo(
        "1 MESSAGETABLE page.htm\n2 FONT tiny.fnt\n3 ANICURSOR page.htm\n"
        "4 ANIICON page.htm\n5 PLUGPLAY page.htm\n6 VXD page.htm\n"
        "7 DLGINCLUDE \"resource.h\"\n",
        "1 11 page.htm\n2 8 DISCARDABLE tiny.fnt\n3 21 page.htm\n"
        "4 22 page.htm\n5 19 page.htm\n6 20 page.htm\n"
        "7 17 { \"resource.h\\0\" }\nFONTDIR 7 DISCARDABLE fontdir.bin\n");
}

// Fonts in two languages, one naming its device: one directory, in the first font's language, in script order.
TEST_F(PreprocessedIdentity, FontDirectoryListsEveryFont) {
    const Bytes screen = MakeFontFile("Small Fonts");
    const Bytes printer = MakeFontFile("Courier", "PRINTER");
    m_folder.Write("screen.fnt", screen);
    m_folder.Write("printer.fnt", printer);
    m_folder.Write("fontdir.bin",
                   FontDirectory({{9, printer}, {0x7FFF, screen}}, {{"PRINTER", "Courier"}, {"", "Small Fonts"}}));
    ExpectIdenticalTo(
        "LANGUAGE 7, 1\n9 FONT printer.fnt\nLANGUAGE 9, 1\n"
        "0x7FFF FONT PRELOAD screen.fnt\n1 RCDATA page.htm\n",
        "LANGUAGE 7, 1\n9 8 DISCARDABLE printer.fnt\nLANGUAGE 9, 1\n"
        "0x7FFF 8 DISCARDABLE PRELOAD screen.fnt\n1 RCDATA page.htm\n"
        "LANGUAGE 7, 1\nFONTDIR 7 DISCARDABLE fontdir.bin\n");
}

// llvm-rc has no MENUEX, nor MENU in a dialog: their layout, written out as data for it to copy.
TEST_F(PreprocessedIdentity, MenuExAndDialogMenu) {
    ExpectIdenticalTo(
        "1 MENUEX\nBEGIN\n  POPUP \"&F\", 300, 0, 0, 77\n  BEGIN\n"
        "    MENUITEM \"&Open\", 301, 0, 8\n    MENUITEM SEPARATOR\n  END\n"
        "  MENUITEM \"L\", 302\nEND\n"
        "2 DIALOG 1, 2, 3, 4\nMENU Main\nBEGIN\nEND\n",
        "1 4 DISCARDABLE { 1, 4, 0L,  0L, 0L, 300L, 1, L\"&F\\0\", 77L,"
        "  0L, 8L, 301L, 0, L\"&Open\\0\", 0,  0x800L, 0L, 0L, 0x80, 0,"
        "  0L, 0L, 302L, 0x80, L\"L\\0\" }\n"
        "2 5 DISCARDABLE { 0x80880000L, 0L, 0, 1, 2, 3, 4, L\"MAIN\\0\", 0, 0 }\n");
}

// What llvm-rc lacks, against GNU windres: MENUEX, a dialog's MENU, the data of a DIALOGEX control.
TEST_F(PreprocessedIdentity, WhatLlvmRcLacksAgainstWindres) {
    m_folder.Write("ours.rc", std::string("1 MENUEX\nBEGIN\n  POPUP \"&F\", 300, 0, 0, 77\n  BEGIN\n"
                                          "    MENUITEM \"&Open\", 301, 0, 8\n    MENUITEM \"\", 0, 0x800\n  END\n"
                                          "  MENUITEM \"L\", 302\nEND\n2 DIALOG 1, 2, 3, 4\nMENU Main\nBEGIN\nEND\n"
                                          "3 DIALOGEX 1, 2, 3, 4\nBEGIN\n  PUSHBUTTON \"p\", 102, 1, 2, 3, 4\n"
                                          "  BEGIN 1, 2L, \"ab\" END\n  LTEXT \"t\", 103, 1, 2, 3, 4\nEND\n"));
    ASSERT_EQ(RunBrcc32(m_folder.Path(), "ours.rc").exitCode, 0);
    const RunResult windres = RunIn(m_folder.Path(), "i686-w64-mingw32-windres -O res -i ours.rc -o theirs.res");
    ASSERT_EQ(windres.exitCode, 0) << windres.stderr;
    EXPECT_EQ(m_folder.Read("ours.res"), m_folder.Read("theirs.res"));
}

// Borland's inline hex data gives the resource the same bytes as the file it spells out.
TEST_F(PreprocessedIdentity, HexBlocksEqualTheirFiles) {
    m_folder.Write("pic.bmp", MakeBitmapFile(3, 2, 24));
    m_folder.Write("arrow.cur", MakeIconFile({{MakeDibImage(16, 16, 1), 16, 16, 1, 2, 3}}, true));
    std::string blocks;
    std::string files;
    const std::vector<std::pair<std::string, std::string>> kinds = {{"BITMAP", "pic.bmp"},
                                                                    {"ICON", "app.ico"},
                                                                    {"CURSOR", "arrow.cur"},
                                                                    {"RCDATA", "page.htm"},
                                                                    {"MYTYPE", "page.htm"}};
    int id = 1;
    for (const auto& [type, file] : kinds) {
        const std::vector<std::uint8_t> bytes = m_folder.Read(file);
        blocks += std::to_string(id) + " " + type + "\n{\n";
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            blocks += i % 16 == 0 ? " '" : " ";
            blocks += {kHex[bytes[i] >> 4], kHex[bytes[i] & 15]};
            blocks += i % 16 == 15 || i + 1 == bytes.size() ? "'\n" : "";
        }
        blocks += "}\n";
        files += std::to_string(id++) + " " + type + " " + file + "\n";
    }
    m_folder.Write("blocks.rc", blocks);
    m_folder.Write("files.rc", files);
    ASSERT_EQ(RunBrcc32(m_folder.Path(), "blocks.rc").exitCode, 0);
    ASSERT_EQ(RunBrcc32(m_folder.Path(), "files.rc").exitCode, 0);
    EXPECT_EQ(m_folder.Read("blocks.res"), m_folder.Read("files.res"));
}

// The dialog editor's guides are read and left out: the program never reads them.
TEST_F(PreprocessedIdentity, DesignInfoIsNotStored) {
    m_folder.Write("with.rc", std::string("1 RCDATA { 1 }\nGUIDELINES DESIGNINFO\nBEGIN\n  IDD_ABOUT, DIALOG\n  BEGIN\n"
                                          "    LEFTMARGIN, 7\n  END\nEND\n2 RCDATA { 2 }\n"));
    m_folder.Write("without.rc", std::string("1 RCDATA { 1 }\n2 RCDATA { 2 }\n"));
    ASSERT_EQ(RunBrcc32(m_folder.Path(), "with.rc").exitCode, 0);
    ASSERT_EQ(RunBrcc32(m_folder.Path(), "without.rc").exitCode, 0);
    EXPECT_EQ(m_folder.Read("with.res"), m_folder.Read("without.res"));
}

// llvm-rc drops an unknown escape from L"..." where it keeps it in "...": ours keeps it in both, as written.
TEST_F(PreprocessedIdentity, UnknownEscapeOfAWideStringIsKept) {
    m_folder.Write("ours.rc", std::string("1 RCDATA { L\"a\\qb\", \"a\\qb\" }\n"));
    ASSERT_EQ(RunBrcc32(m_folder.Path(), "ours.rc").exitCode, 0);
    const std::vector<std::uint8_t> res = m_folder.Read("ours.res");
    const std::vector<std::uint8_t> data(res.begin() + 64, res.end());
    EXPECT_EQ(data, std::vector<std::uint8_t>({'a', 0, '\\', 0, 'q', 0, 'b', 0, 'a', '\\', 'q', 'b'}));
}

// Windows' compiler takes a UTF-16 script with its byte-order mark (llvm-rc does not): it gives the UTF-8 twin's bytes.
TEST_F(PreprocessedIdentity, Utf16ScriptEqualsItsUtf8Twin) {
    const std::u16string text =
        u"#pragma code_page(65001)\r\n#include <windows.h>\r\nSTRINGTABLE { 1 \"Été \x263A\" }\r\n"
        u"1 RCDATA { L\"\xE9\", \"ab\" }\r\nIDOK ICON \"app.ico\"\r\n";
    std::string utf8;
    for (const char16_t c : text) {
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else if (c < 0x800) {
            utf8 += static_cast<char>(0xC0 | (c >> 6));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            utf8 += static_cast<char>(0xE0 | (c >> 12));
            utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    ExpectIdentical(utf8, "/C 65001");  // llvm-rc reads the UTF-8 twin: the reference for both
    for (const bool bigEndian : {false, true}) {
        std::string utf16 = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (const char16_t c : text) {
            const char high = static_cast<char>(c >> 8);
            const char low = static_cast<char>(c & 0xFF);
            utf16 += bigEndian ? std::string{high, low} : std::string{low, high};
        }
        m_folder.Write("utf16.rc", utf16);
        const RunResult result = RunBrcc32(m_folder.Path(), "utf16.rc");
        ASSERT_EQ(result.exitCode, 0) << result.stderr;
        EXPECT_EQ(m_folder.Read("utf16.res"), m_folder.Read("ours.res"))
            << (bigEndian ? "big-endian" : "little-endian");
    }
}

}  // namespace
}  // namespace brcc::test
