// What the compiler refuses: one clear line naming the offending line, exit code 1, and nothing lost on disk.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "test_folder.h"
#include "test_images.h"

namespace brcc::test {
namespace {

struct Refusal {
    std::string script;
    int line;
    std::string message;          // a part of the message that tells the user what is wrong
    std::string file = "bad.rc";  // where the fault is: the script or a file it includes
};

class Refusals : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder.Write("good.ico", MakeIconFile({{MakeDibImage(16, 16, 4), 16, 16, 4}}));
        m_folder.Write("good.cur", MakeIconFile({{MakeDibImage(32, 32, 1), 32, 32, 1, 1, 1}}, true));
        m_folder.Write("good.bmp", MakeBitmapFile(2, 2, 24));
        m_folder.Write("data.bin", std::string("data"));
        m_folder.Write("folder/inside.bin", std::string("x"));
    }

    // Runs each case over an existing bad.res and checks the message, the exit code and the files left.
    void ExpectRefused(const std::vector<Refusal>& cases) {
        const std::vector<std::uint8_t> earlier = {'o', 'l', 'd'};
        for (const Refusal& refusal : cases) {
            SCOPED_TRACE(refusal.script);
            m_folder.Write("bad.res", earlier);
            m_folder.Write("bad.rc", refusal.script);
            std::vector<std::string> before = m_folder.FileNames();
            const RunResult result = RunBrcc32(m_folder.Path(), "bad.rc");
            EXPECT_EQ(result.exitCode, 1);
            const std::string prefix = refusal.file + "(" + std::to_string(refusal.line) + "): error: ";
            EXPECT_TRUE(result.stderr.starts_with(prefix)) << result.stderr;
            EXPECT_NE(result.stderr.find(refusal.message), std::string::npos) << result.stderr;
            EXPECT_EQ(std::count(result.stderr.begin(), result.stderr.end(), '\n'), 1) << result.stderr;
            EXPECT_EQ(m_folder.Read("bad.res"), earlier);
            std::vector<std::string> after = m_folder.FileNames();
            std::sort(before.begin(), before.end());
            std::sort(after.begin(), after.end());
            EXPECT_EQ(before, after) << "a temporary file was left behind";
        }
    }

    TestFolder m_folder;
};

TEST_F(Refusals, MisplacedStatements) {
    ExpectRefused({
        {"1 ICON { 1 }\n", 1, "lines of hex bytes in single quotes"},
        {"1 BITMAP {\n '42 4D 0'\n}\n", 2, "odd number of digits"},
        {"1 BITMAP {\n '42 4G'\n}\n", 2, "'G' is not a hex digit"},
        {"1 BITMAP { '42 4D' }\n", 1, "not a valid bitmap file"},
        {"BEGIN 1 END\n", 1, "must follow a resource's type"},
        {"CHARACTERISTICS 1\n", 1, "CHARACTERISTICS belongs to one resource"},
        {"1 ICON LANGUAGE 7, 1 good.ico\n", 1, "LANGUAGE must be a line of its own"},
    });
}

TEST_F(Refusals, Preprocessor) {
    m_folder.Write("inc/resource.h", std::string("#define IDI_APP 1\nint f(void);\n#if IDI_APP\n"));
    m_folder.Write("inc/deep.h", std::string("#define A 1\n\n#bogus\n"));
    m_folder.Write("self.rc", std::string("#include \"self.rc\"\n"));
    ExpectRefused({
        {"#if 1\n1 RCDATA data.bin\n#else\n", 1, "#if without #endif"},
        {"#include \"inc/resource.h\"\n", 3, "#if without #endif", "inc/resource.h"},
        {"// first\n#include <missing.h>\n", 2, "cannot find the include file 'missing.h'"},
        {"#include \"inc/deep.h\"\n", 3, "unknown preprocessor directive '#bogus'", "inc/deep.h"},
        {"#define A B\n#define B A\n\n1 RCDATA { A }\n", 4, "macro 'A' refers to itself"},
        {"#if 1 +\n#endif\n", 1, "is not valid"},
        {"#if (2\n#endif\n", 1, "'(' without ')'"},
        {"#if 1 / 0\n#endif\n", 1, "division by zero"},
        {"#define F(a, b) a\n\n1 RCDATA { F(1) }\n", 3, "takes 2 arguments, given 1"},
        {"\n#error stop here\n", 2, "#error stop here"},
        {"#endif\n", 1, "#endif without #if"},
        {"#if 0\n#else\n#else\n#endif\n", 3, "#else after #else"},
        {"\n#pragma code_page(1234)\n", 2, "code page 1234 is not supported"},
        {"#pragma code_page(037)\n", 1, "code page 037 is not supported"},
        {"#include \"self.rc\"\n", 1, "includes nest more than 200 deep", "self.rc"},
        {"#define N 5\n1 RCDATA { N \\\n  UNDEFINED }\n", 2, "found 'UNDEFINED'"},
    });
}

TEST_F(Refusals, MalformedBlocks) {
    ExpectRefused({
        {"1 DIALOG 0, 0, 10\nBEGIN\nEND\n", 2, "expected ','"},
        {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  LTEXT \"a\", 1, 2, 3, 4, 5\n  BUTTON \"b\", 2, 1, 1, 1, 1\nEND\n", 4,
         "'BUTTON' is not a dialog control"},
        {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  EDITTEXT 70000, 1, 2, 3, 4\nEND\n", 3, "does not fit the 16 bits"},
        {"1 DIALOG 0, 0, 10, 10\nFONT 8, \"A\", 700\nBEGIN\nEND\n", 2, "belong to DIALOGEX"},
        {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  CONTROL \"a\", 1, 09, 0, 1, 2, 3, 4\nEND\n", 3, "'09' is not a valid number"},
        {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  CONTROL \"a\", 1, 65536, 0, 1, 2, 3, 4\nEND\n", 3, "does not fit 16 bits"},
        {"1 DIALOG 0, 0, 10, 10\nTITLE \"x\"\nBEGIN\nEND\n", 2, "expected a dialog statement"},
        {"1 DIALOGEX 0, 0, 10, 10\nBEGIN\n  CONTROL \"a\", 1, BUTTONS, 0, 1, 2, 3, 4\nEND\n", 3,
         "expected the control's class"},
        {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  LTEXT \"a\", 1, 2, 3, 4, 5\n", 2, "not closed with END"},
        {"1 MENU\nBEGIN\n  MENUITEM \"a\"\nEND\n", 4, "expected ',' before the MENUITEM's id"},
        {"1 MENU\nBEGIN\n  MENUITEM \"a\", 1, BOLD\nEND\n", 3, "expected CHECKED"},
        {"1 MENU\nBEGIN\n  POPUP \"a\"\n  MENUITEM \"b\", 2\nEND\n", 4, "expected BEGIN or '{' to open the POPUP"},
        {"1 MENU\nBEGIN\n  ITEM \"a\", 1\nEND\n", 3, "expected MENUITEM, POPUP or END"},
        {"1 ACCELERATORS { \"ab\", 1 }\n", 1, "one character"},
        {"1 MENU { MENUITEM \"a\", 70000 }\n", 1, "does not fit the 16 bits of a MENU"},
        {"G DESIGNINFO\nBEGIN\n  1, DIALOG\n  BEGIN\n    LEFTMARGIN, 7\nEND\n", 2, "not closed with END"},
        {"1 ACCELERATORS { \"a\", 1, SHIFT }\n", 1, "VIRTKEY accelerators only"},
        {"1 ACCELERATORS { \"^1\", 1 }\n", 1, "no control character"},
        {"1 RCDATA {\n1, 2\n", 1, "not closed with END"},
        {"STRINGTABLE\nBEGIN\n1 \"a\"\n\n1 \"b\"\nEND\n", 5, "duplicate string: id 1"},
        {"STRINGTABLE { 1 \"a\" }\nSTRINGTABLE { 2, L\"b\"\n 1 \"c\" }\n", 3, "already defined on line 1"},
        {"STRINGTABLE { 1 2 }\n", 1, "expected the quoted text of string 1"},
        {"STRINGTABLE 1 \"a\"\n", 1, "expected BEGIN or '{'"},
        {"1 VERSIONINFO FILEVERSION 1,2,3,BETA BEGIN END\n", 1, "expected a number"},
        {"1 VERSIONINFO FILEDATE 1 BEGIN END\n", 1, "not a VERSIONINFO statement"},
        {"1 VERSIONINFO\nBEGIN\n  BLOCK \"S\"\n  BEGIN\n", 4, "not closed with END"},
        {"1 VERSIONINFO\nBEGIN\n VALUE \"A\" 1\nEND\n", 3, "expected ','"},
        {"LANGUAGE (9, 1\n", 1, "expected ')'"},
        {"1 MENUEX\nBEGIN\n  MENUITEM MFT_SEPARATOR\nEND\n", 3, "write MENUITEM \"\", -1, MFT_SEPARATOR"},
        {"VALUE \"a\", \"b\"\n", 1, "VALUE belongs in a BLOCK of a VERSIONINFO"},
        {"STRINGTABLE { 1, \"a\\\\\" , \"b\" }\n", 1, "found ',', and the quoted text before it ends at column 22"},
        {"1 ICON \"res\\\\none.ico\"\n", 1, "cannot read 'res/none.ico' (written res\\\\none.ico)"},
    });
}

TEST_F(Refusals, MalformedStatements) {
    ExpectRefused({
        {"\"\" RCDATA data.bin\n", 1, "at least one character"},
        {"1 \"a\\0b\" data.bin\n", 1, "no zero character"},
        {"1 RCDATA L\"data.bin\"\n", 1, "wide file name"},
        {"1 RCDATA data.bin\n\n2 RCDATA\n", 3, "expected a file name after RCDATA"},
        {"1\n", 1, "expected a resource type"},
        {"1 RCDATA , data.bin\n", 1, "expected a file name"},
        {"09 RCDATA data.bin\n", 1, "'09' is not a valid number"},
        {"1+2 RCDATA data.bin\n", 1, "expected a resource type"},
        {"-1 RCDATA data.bin\n", 1, "expected a resource name"},
        {"1 RCDATA data.bin /* never closed\n\n", 1, "never closed"},
        {"\n1 RCDATA \"data.bin\n", 2, "not closed on its line"},
        {"1 RCDATA \"da\"\"ta.bin\"\n", 1, "cannot contain a quote"},
        {"LANGUAGE 9\n1 RCDATA data.bin\n", 1, "expected ','"},
        {"LANGUAGE 9, LANG_X\n", 1, "expected a number"},
        {"\xC3\xA9t\xC3\xA9 RCDATA data.bin\n", 1, "0xC3"},
    });
}

TEST_F(Refusals, NumbersOutOfRangeAndDuplicates) {
    ExpectRefused({
        {"65536 RCDATA data.bin\n", 1, "resource id 65536 is out of range"},
        {"1 0x10000 data.bin\n", 1, "resource type 0x10000 is out of range"},
        {"4294967296 RCDATA data.bin\n", 1, "not a valid number"},
        {"LANGUAGE 1024, 1\n", 1, "primary language 1024 is out of range (0-1023)"},
        {"LANGUAGE 9, 64\n", 1, "sublanguage 64 is out of range (0-63)"},
        {"1 RCDATA data.bin\n// x\nLANGUAGE 9,1\n1 RCDATA data.bin\n", 4, "already defined on line 1"},
        {"a WAVE data.bin\nA wave data.bin\n", 2, "duplicate resource: WAVE A"},
        {"1 ICON good.ico\n\n1 ICON good.ico\n", 3, "ICON 1"},
        // The icon's image takes id 1 of type 3, which the numbered type then claims again.
        {"1 ICON good.ico\n1 3 data.bin\n", 2, "icon image 1"},
        {"LANGUAGE 7,1\n1 RCDATA data.bin\nLANGUAGE 7,1\n1 RCDATA data.bin\n", 4, "0x0407"},
    });
}

TEST_F(Refusals, MissingAndInvalidFiles) {
    m_folder.Write("cursor.ico", MakeIconFile({{MakeDibImage(16, 16, 4), 16, 16, 4}}, true));
    m_folder.Write("empty.ico", MakeIconFile({}));
    std::vector<std::uint8_t> cut = MakeIconFile({{MakeDibImage(16, 16, 4), 16, 16, 4}});
    cut.resize(cut.size() - 1);
    m_folder.Write("cut.ico", cut);
    m_folder.Write("text.bmp", std::string("not a bitmap at all"));
    std::vector<std::uint8_t> core = MakeBitmapFile(2, 2, 24);
    core[14] = 99;  // an unknown header size
    m_folder.Write("odd-header.bmp", core);
    m_folder.Write("jpeg.ico", MakeIconFile({{std::vector<std::uint8_t>(64, 0xFF), 16, 16, 32}}));
    std::vector<std::uint8_t> font = MakeFontFile("Face");
    font.resize(font.size() - 42);  // its face name cut before its NUL
    m_folder.Write("cut.fnt", font);
    m_folder.Write("good.fnt", MakeFontFile("Face"));
    ExpectRefused({
        {"1 FONT data.bin\n", 1, "'data.bin' is not a valid font file: it is shorter than a font header"},
        {"1 FONT good.cur\n", 1, "not a Windows .fnt font"},
        {"1 FONT cut.fnt\n", 1, "its face name does not end before the end of the file"},
        {"1 FONT good.fnt\nSerif FONT good.fnt\n", 2, "a FONT needs a number as its name"},
        {"1 RCDATA data.bin\n2 RCDATA missing.bin\n", 2, "cannot read 'missing.bin': file not found"},
        {"1 ICON\n  nowhere.ico\n", 2, "file not found"},
        {"1 RCDATA folder\n", 1, "folder"},
        {"1 ICON good.cur\n", 1, "a cursor file, not an icon file"},
        {"1 CURSOR good.ico\n", 1, "an icon file, not a cursor file"},
        {"1 ICON cursor.ico\n", 1, "not a valid icon file"},
        {"1 ICON empty.ico\n", 1, "holds no image"},
        {"1 ICON cut.ico\n", 1, "beyond the end of the file"},
        {"1 ICON data.bin\n", 1, "not a valid icon file"},
        {"1 ICON jpeg.ico\n", 1, "neither a PNG image nor a bitmap"},
        {"1 BITMAP text.bmp\n", 1, "not a valid bitmap file: it does not start with 'BM'"},
        {"1 BITMAP \"odd-header.bmp\"\n", 1, "unknown size"},
        {"1 BITMAP\n odd+header.bmp\n", 2, "must be quoted: write \"odd+header.bmp\""},
        {"1 BITMAP good.ico\n", 1, "not a valid bitmap file"},
    });
}

// Long enough that files are read ahead of the line being compiled: the first error still wins, nothing is left.
TEST_F(Refusals, ErrorsInALongScript) {
    std::string head;
    for (int line = 1; line <= 400; ++line) {
        head += std::to_string(line) + (line % 2 ? " RCDATA data.bin\n" : " ICON good.ico\n");
    }
    ExpectRefused({
        {head + "401 RCDATA missing.bin\n402 RCDATA data.bin\n#define X\n", 401, "file not found"},
        {head + "401 RCDATA data.bin\n#define X ,\n403 ICON X\n404 RCDATA missing.bin\n", 403,
         "expected a file name after ICON"},
        {head + "401 RCDATA folder\n" + head, 401, "folder"},
        {head + "8 ICON missing.ico\n", 401, "already defined on line 8"},
    });
}

TEST_F(Refusals, UnreadableScriptAndCommandLineErrors) {
    // Saved as UTF-16 without its byte-order mark: the first NUL byte is on line 2.
    m_folder.Write("utf16.rc", std::string("\n1\0 \0", 5));
    RunResult result = RunBrcc32(m_folder.Path(), "utf16.rc");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.stderr.starts_with("utf16.rc(2): error: the file holds NUL bytes")) << result.stderr;
    result = RunBrcc32(m_folder.Path(), "absent.rc");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.stderr, "absent.rc: error: cannot read the script: file not found\n");
    EXPECT_FALSE(std::filesystem::exists(m_folder.Path() / "absent.res"));

    for (const std::string arguments :
         {"a.rc b.rc", "-q a.rc", "-fo", "-fo a.res -fo b.res a.rc", "-I", "-D 1X a.rc", "-DA-B a.rc"}) {
        result = RunBrcc32(m_folder.Path(), arguments);
        EXPECT_EQ(result.exitCode, 2) << arguments;
        EXPECT_TRUE(result.stderr.starts_with("brcc32: error: ")) << result.stderr;
        EXPECT_NE(result.stderr.find("--help"), std::string::npos);
    }
    // A bare brcc32 shows its usage, as Borland's does.
    EXPECT_EQ(RunBrcc32(m_folder.Path(), "").exitCode, 0);
    EXPECT_EQ(RunBrcc32(m_folder.Path(), "--help").exitCode, 0);
    EXPECT_EQ(RunBrcc32(m_folder.Path(), "--version").exitCode, 0);
}

TEST_F(Refusals, OutputGoesWhereAsked) {
    m_folder.Write("app.rc", std::string("1 RCDATA data.bin\n"));
    ASSERT_EQ(RunBrcc32(m_folder.Path(), "app.rc").exitCode, 0);
    ASSERT_EQ(RunBrcc32(m_folder.Path(), "-fo other.res app.rc").exitCode, 0);
    ASSERT_EQ(RunBrcc32(m_folder.Path(), "-fothird.res app.rc").exitCode, 0);
    EXPECT_EQ(m_folder.Read("app.res"), m_folder.Read("other.res"));
    EXPECT_EQ(m_folder.Read("app.res"), m_folder.Read("third.res"));
    // Run from elsewhere: the files are found beside the script, and the .res is written there.
    ASSERT_EQ(RunBrcc32(m_folder.Path() / "folder", "-fo ../fourth.res ../app.rc").exitCode, 0);
    EXPECT_EQ(m_folder.Read("app.res"), m_folder.Read("fourth.res"));
}

}  // namespace
}  // namespace brcc::test
