// Dependency files: what they list, how make reads their names, and a Makefile that rebuilds when an icon changes.
#include "brcc32/output/dependency_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "brcc32/text/code_page.h"
#include "test_folder.h"
#include "test_images.h"

namespace brcc::test {
namespace {

std::string ReadText(const TestFolder& folder, const std::string& name) {
    const std::vector<std::uint8_t> bytes = folder.Read(name);
    return std::string(bytes.begin(), bytes.end());
}

TEST(DependencyText, EscapesForMakeAndJson) {
    EXPECT_EQ(MakeDependencyText({"out dir/a.res"}, {"a.rc", "my icons/a#1.ico", "cost$.bin", "C:\\x\\ y.h"}),
              "out\\ dir/a.res: a.rc my\\ icons/a\\#1.ico cost$$.bin C:\\x\\\\\\ y.h\n"
              "\nmy\\ icons/a\\#1.ico:\n"
              "\ncost$$.bin:\n"
              "\nC:\\x\\\\\\ y.h:\n");
    EXPECT_EQ(JsonDependencyText({"a.res"}, {"a.rc", "dir\\\"q\".ico"}),
              "{\n  \"targets\": [\n    \"a.res\"\n  ],\n  \"dependencies\": [\n    \"a.rc\",\n"
              "    \"dir\\\\\\\"q\\\".ico\"\n  ]\n}\n");
    // Long lists are continued, as make reads a backslash at the end of a line.
    const std::string text = MakeDependencyText({"a.res"}, std::vector<std::string>(30, "some/header.h"));
    EXPECT_NE(text.find(" \\\n "), std::string::npos);
}

class DependencyFiles : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder.Write("icons/app.ico", MakeIconFile({{MakeDibImage(16, 16, 4), 16, 16, 4}}));
        m_folder.Write("data file.bin", std::string("data"));
        m_folder.Write("manifest.xml", std::string("<assembly/>"));
        m_folder.Write("inc/ids.h", std::string("#define IDI_APP 1\n#include \"more.h\"\n"));
        m_folder.Write("inc/more.h", std::string("#define IDR_DATA 2\n"));
        m_folder.Write("app.rc", std::string("#include <windows.h>\n#include \"ids.h\"\n#include \"ids.h\"\n"
                                             "IDI_APP ICON \"icons/app.ico\"\n"
                                             "IDR_DATA RCDATA \"data file.bin\"\n"
                                             "1 24 manifest.xml\n"
                                             "3 RCDATA { 1 }\n"));
    }
    TestFolder m_folder;
};

TEST_F(DependencyFiles, ListTheScriptItsHeadersAndEveryFileItNames) {
    ASSERT_EQ(RunBrcc32(m_folder.Path(), "-i inc -MD -fo app.res app.rc").exitCode, 0);
    // windows.h is built in: no file to list.
    EXPECT_EQ(ReadText(m_folder, "app.d"),
              "app.res: app.rc inc/ids.h inc/more.h icons/app.ico data\\ file.bin manifest.xml\n"
              "\ninc/ids.h:\n\ninc/more.h:\n\nicons/app.ico:\n\ndata\\ file.bin:\n\nmanifest.xml:\n");
    ASSERT_EQ(
        RunBrcc32(m_folder.Path(), "-i inc -MF deps.json --depfile-format=json -MT x.res -fo app.res app.rc").exitCode,
        0);
    EXPECT_NE(ReadText(m_folder, "deps.json").find("\"icons/app.ico\""), std::string::npos);
    EXPECT_NE(ReadText(m_folder, "deps.json").find("\"targets\": [\n    \"x.res\""), std::string::npos);
    // A failed compilation writes neither file.
    m_folder.Write("bad.rc", std::string("1 ICON icons/app.ico\n2 RCDATA missing.bin\n"));
    EXPECT_EQ(RunBrcc32(m_folder.Path(), "-MD -fo bad.res bad.rc").exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(m_folder.Path() / "bad.d"));
    EXPECT_FALSE(std::filesystem::exists(m_folder.Path() / "bad.res"));
}

// A file named on many lines, in any spelling, is one dependency and is said to be read once.
TEST_F(DependencyFiles, NameEachFileOnceHoweverOftenTheScriptNamesIt) {
    m_folder.Write("many.rc", std::string("1 ICON icons/app.ico\n2 ICON \"icons\\app.ico\"\n"
                                          "3 RCDATA \"data file.bin\"\n4 ICON icons/app.ico\n"
                                          "5 RCDATA \"data file.bin\"\n6 RCDATA manifest.xml\n"));
    const std::string brcc32 = std::string("LC_ALL=C '") + BRCC32_PATH + "'";
    ASSERT_EQ(RunIn(m_folder.Path(), "(" + brcc32 + " -v -MD -fo many.res many.rc >verbose.txt)").exitCode, 0);
    EXPECT_EQ(ReadText(m_folder, "many.d"),
              "many.res: many.rc icons/app.ico data\\ file.bin manifest.xml\n"
              "\nicons/app.ico:\n\ndata\\ file.bin:\n\nmanifest.xml:\n");
    EXPECT_EQ(ReadText(m_folder, "verbose.txt"),
              "reading many.rc\nreading icons/app.ico\nreading data file.bin\nreading manifest.xml\n"
              "writing many.res\nwriting the dependencies to many.d\n");
}

// Each file where the compiler found it (through -i, with a backslash), so that make finds it too: up to date after
// a build, out of date once the icon changes. JSON stays UTF-8 whatever bytes a folder's name holds.
TEST_F(DependencyFiles, NameEachFileWhereItWasFound) {
    m_folder.Write("sub/pic.bin", std::string("pic"));
    m_folder.Write("caf\xE9/h.h", std::string("#define ID 1\n"));
    m_folder.Write("found.rc", std::string("#include \"h.h\"\nID ICON \"app.ico\"\n2 RCDATA \"sub\\\\pic.bin\"\n"));
    const std::string make = "make --no-print-directory -f found.mk";
    m_folder.Write("found.mk", "found.res: found.rc\n\t'" + std::string(BRCC32_PATH) +
                                   "' -i icons -i 'caf\xE9' -MD -fo found.res found.rc\n-include found.d\n");
    ASSERT_EQ(RunIn(m_folder.Path(), make).exitCode, 0);
    EXPECT_EQ(ReadText(m_folder, "found.d").substr(0, ReadText(m_folder, "found.d").find('\n')),
              "found.res: found.rc caf\xE9/h.h icons/app.ico sub/pic.bin");
    EXPECT_EQ(RunIn(m_folder.Path(), make + " -q").exitCode, 0) << "up to date after a build";
    const auto built = std::filesystem::last_write_time(m_folder.Path() / "found.res");
    std::filesystem::last_write_time(m_folder.Path() / "icons/app.ico", built + std::chrono::seconds(10));
    EXPECT_EQ(RunIn(m_folder.Path(), make + " -q").exitCode, 1) << "the icon changed";

    ASSERT_EQ(RunBrcc32(m_folder.Path(), "-i icons -i 'caf\xE9' -MF d.json --depfile-format=json found.rc").exitCode,
              0);
    EXPECT_TRUE(IsValidUtf8(ReadText(m_folder, "d.json")));
}

TEST_F(DependencyFiles, MakeRebuildsAfterAnIconIsTouchedAndNotOtherwise) {
    const std::string make = "make --no-print-directory -f build.mk";
    m_folder.Write("build.mk", "app.res: app.rc\n\t'" + std::string(BRCC32_PATH) +
                                   "' -i inc -MD -fo app.res app.rc\n-include app.d\n");
    ASSERT_EQ(RunIn(m_folder.Path(), make).exitCode, 0);
    ASSERT_TRUE(std::filesystem::exists(m_folder.Path() / "app.d"));
    EXPECT_EQ(RunIn(m_folder.Path(), make + " -q").exitCode, 0) << "up to date after a build";

    // The icon touched: its time after the output's, whatever the file system's resolution, and not in the future.
    const std::filesystem::path output = m_folder.Path() / "app.res";
    const auto now = std::filesystem::last_write_time(output);
    for (const char* name :
         {"app.res", "app.d", "app.rc", "inc/ids.h", "inc/more.h", "data file.bin", "manifest.xml"}) {
        std::filesystem::last_write_time(m_folder.Path() / name, now - std::chrono::seconds(20));
    }
    std::filesystem::last_write_time(m_folder.Path() / "icons/app.ico", now - std::chrono::seconds(10));
    EXPECT_EQ(RunIn(m_folder.Path(), make + " -q").exitCode, 1) << "the icon changed";
    std::filesystem::last_write_time(m_folder.Path() / "icons/app.ico", now - std::chrono::seconds(30));
    EXPECT_EQ(RunIn(m_folder.Path(), make + " -q").exitCode, 0) << "nothing changed";
    std::filesystem::last_write_time(m_folder.Path() / "icons/app.ico", now - std::chrono::seconds(10));
    ASSERT_EQ(RunIn(m_folder.Path(), make).exitCode, 0);
    EXPECT_EQ(RunIn(m_folder.Path(), make + " -q").exitCode, 0);

    // A header removed together with its #include: the old list still names it, and make goes on.
    m_folder.Write("inc/ids.h", std::string("#define IDI_APP 1\n#define IDR_DATA 2\n"));
    std::filesystem::remove(m_folder.Path() / "inc/more.h");
    const RunResult rebuilt = RunIn(m_folder.Path(), make);
    EXPECT_EQ(rebuilt.exitCode, 0) << rebuilt.stderr;
    EXPECT_EQ(ReadText(m_folder, "app.d").find("more.h"), std::string::npos);
}

}  // namespace
}  // namespace brcc::test
