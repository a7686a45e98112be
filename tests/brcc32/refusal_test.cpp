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
    std::string m_script;
    int m_line;
    std::string m_message;  // a part of the message that tells the user what is wrong
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
            SCOPED_TRACE(refusal.m_script);
            m_folder.Write("bad.res", earlier);
            m_folder.Write("bad.rc", refusal.m_script);
            std::vector<std::string> before = m_folder.FileNames();
            const RunResult result = RunBrcc32(m_folder.Path(), "bad.rc");
            EXPECT_EQ(result.m_exitCode, 1);
            const std::string prefix = "bad.rc(" + std::to_string(refusal.m_line) + "): error: ";
            EXPECT_TRUE(result.m_stderr.starts_with(prefix)) << result.m_stderr;
            EXPECT_NE(result.m_stderr.find(refusal.m_message), std::string::npos) << result.m_stderr;
            EXPECT_EQ(std::count(result.m_stderr.begin(), result.m_stderr.end(), '\n'), 1) << result.m_stderr;
            EXPECT_EQ(m_folder.Read("bad.res"), earlier);
            std::vector<std::string> after = m_folder.FileNames();
            std::sort(before.begin(), before.end());
            std::sort(after.begin(), after.end());
            EXPECT_EQ(before, after) << "a temporary file was left behind";
        }
    }

    TestFolder m_folder;
};

TEST_F(Refusals, OtherStatementsOfTheResourceLanguage) {
    ExpectRefused({
        {"1 RCDATA data.bin\n#include \"x.h\"\n", 2, "preprocessor"},
        {"#define X 1\n", 1, "preprocessor"},
        {"\n\nSTRINGTABLE\nBEGIN\n1 \"a\"\nEND\n", 3, "STRINGTABLE"},
        {"1 DIALOG 0, 0, 10, 10\n", 1, "DIALOG resources are not supported"},
        {"1 DIALOGEX 0, 0, 10, 10\n", 1, "DIALOGEX"},
        {"1 RCDATA data.bin\n2 menu\n", 2, "MENU"},
        {"1 VERSIONINFO\n", 1, "VERSIONINFO"},
        {"1 ACCELERATORS\n", 1, "ACCELERATORS"},
        {"1 FONT data.bin\n", 1, "FONT"},
        {"1 MESSAGETABLE data.bin\n", 1, "MESSAGETABLE"},
        {"1 HTML data.bin\n", 1, "HTML"},
        {"1 RCDATA\nBEGIN\n1, 2\nEND\n", 2, "blocks"},
        {"1 RCDATA { 1, 2 }\n", 1, "blocks"},
        {"CHARACTERISTICS 1\n", 1, "CHARACTERISTICS"},
        {"1 ICON LANGUAGE 7, 1 good.ico\n", 1, "LANGUAGE must be a line of its own"},
    });
}

TEST_F(Refusals, MalformedStatements) {
    ExpectRefused({
        {"\"quoted\" RCDATA data.bin\n", 1, "quoted resource name"},
        {"1 \"TYPE\" data.bin\n", 1, "quoted resource type"},
        {"1 RCDATA L\"data.bin\"\n", 1, "wide file name"},
        {"1 RCDATA data.bin\n\n2 RCDATA\n", 3, "expected a file name after RCDATA"},
        {"1\n", 1, "expected a resource type"},
        {"1 RCDATA , data.bin\n", 1, "expected a file name"},
        {"1abc RCDATA data.bin\n", 1, "'1abc' is not a valid number"},
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
    ExpectRefused({
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
        {"1 BITMAP\n odd-header.bmp\n", 2, "must be quoted: write \"odd-header.bmp\""},
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
        {head + "401 RCDATA data.bin\n#define X\n403 RCDATA missing.bin\n", 402, "preprocessor"},
        {head + "401 RCDATA folder\n" + head, 401, "folder"},
        {head + "8 ICON missing.ico\n", 401, "already defined on line 8"},
    });
}

TEST_F(Refusals, UnreadableScriptAndCommandLineErrors) {
    m_folder.Write("utf16.rc", std::string("\xFF\xFE"
                                           "1\0 \0",
                                           6));
    RunResult result = RunBrcc32(m_folder.Path(), "utf16.rc");
    EXPECT_EQ(result.m_exitCode, 1);
    EXPECT_EQ(result.m_stderr, "utf16.rc: error: the script is saved as UTF-16; save it as UTF-8 or ANSI text\n");
    result = RunBrcc32(m_folder.Path(), "absent.rc");
    EXPECT_EQ(result.m_exitCode, 1);
    EXPECT_EQ(result.m_stderr, "absent.rc: error: cannot read the script: file not found\n");
    EXPECT_FALSE(std::filesystem::exists(m_folder.Path() / "absent.res"));

    for (const std::string arguments : {"", "a.rc b.rc", "-x a.rc", "-fo", "-fo a.res -fo b.res a.rc"}) {
        result = RunBrcc32(m_folder.Path(), arguments);
        EXPECT_EQ(result.m_exitCode, 2) << arguments;
        EXPECT_TRUE(result.m_stderr.starts_with("brcc32: error: ")) << result.m_stderr;
        EXPECT_NE(result.m_stderr.find("--help"), std::string::npos);
    }
    EXPECT_EQ(RunBrcc32(m_folder.Path(), "--help").m_exitCode, 0);
    EXPECT_EQ(RunBrcc32(m_folder.Path(), "--version").m_exitCode, 0);
}

TEST_F(Refusals, OutputGoesWhereAsked) {
    m_folder.Write("app.rc", std::string("1 RCDATA data.bin\n"));
    ASSERT_EQ(RunBrcc32(m_folder.Path(), "app.rc").m_exitCode, 0);
    ASSERT_EQ(RunBrcc32(m_folder.Path(), "-fo other.res app.rc").m_exitCode, 0);
    ASSERT_EQ(RunBrcc32(m_folder.Path(), "-fothird.res app.rc").m_exitCode, 0);
    EXPECT_EQ(m_folder.Read("app.res"), m_folder.Read("other.res"));
    EXPECT_EQ(m_folder.Read("app.res"), m_folder.Read("third.res"));
    // Run from elsewhere: the files are found beside the script, and the .res is written there.
    ASSERT_EQ(RunBrcc32(m_folder.Path() / "folder", "-fo ../fourth.res ../app.rc").m_exitCode, 0);
    EXPECT_EQ(m_folder.Read("app.res"), m_folder.Read("fourth.res"));
}

}  // namespace
}  // namespace brcc::test
