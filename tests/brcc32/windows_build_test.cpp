// The Windows brcc32.exe, run under Wine: CR LF, backslashes, a non-ASCII name, replacing an old .res.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>

#include "brcc32/resource_compiler.h"
#include "script_folder_check.h"
#include "test_images.h"

namespace brcc::test {
namespace {

class WindowsBuild : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        m_folder = std::filesystem::temp_directory_path() / ("brcc32-wine-" + std::to_string(random()));
        std::filesystem::create_directories(m_folder / "icons");
        Write("icons/app.ico",
              MakeIconFile({{MakeDibImage(16, 16, 4), 16, 16, 4}, {MakePngImage(48, 48), 48, 48, 32}}));
        Write("arrow.cur", MakeIconFile({{MakeDibImage(32, 32, 1), 32, 32, 1, 4, 6}}, true));
        Write("data.bin", Bytes{1, 2, 3, 0x0D, 0x0A, 0x1A, 0});  // bytes a text-mode copy would change
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    void Write(const std::filesystem::path& name, const Bytes& bytes) {
        std::ofstream out(m_folder / name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    void Write(const std::filesystem::path& name, const std::string& text) {
        Write(name, Bytes(text.begin(), text.end()));
    }
    Bytes Read(const std::filesystem::path& name) {
        std::ifstream in(m_folder / name, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // Runs brcc32.exe from the script's folder, as Talvorine does; returns its exit code.
    int RunExe(const std::wstring& arguments) {
        std::filesystem::path exe = std::filesystem::absolute(BRCC32_EXE_PATH);
        exe.make_preferred();
        const std::wstring command =
            L"cd /d \"" + m_folder.wstring() + L"\" && \"" + exe.wstring() + L"\" " + arguments + L" 2>errors.txt";
        return _wsystem(command.c_str());
    }

    // What the last run wrote to its standard error.
    std::string Errors() {
        const Bytes errors = Read("errors.txt");
        return std::string(errors.begin(), errors.end());
    }

    // The bytes the library, in-process, compiles `script` to: those the program must write.
    Bytes CompiledInProcess(const std::string& script) {
        Write("expected.rc", script);
        CompileScriptFile(m_folder / "expected.rc", m_folder / "expected.res");
        return Read("expected.res");
    }

    std::filesystem::path m_folder;
};

TEST(WindowsFileNames, AFolderBuildsTheSamePathsAsScriptFilePath) { ExpectScriptFolderAgreesWithScriptFilePath(); }

TEST_F(WindowsBuild, CompilesLikeTheLibraryAndReplacesTheOldFile) {
    const std::string script = "1 ICON icons\\app.ico\r\nArrow CURSOR \"arrow.cur\"\r\n3 RCDATA .\\data.bin\r\n";
    const std::filesystem::path scriptName = std::filesystem::path(L"caf\u00E9.rc");
    Write(scriptName, script);
    Write(std::filesystem::path(L"caf\u00E9.res"), std::string("an older file"));
    ASSERT_EQ(RunExe(L"caf\u00E9.rc"), 0) << Errors();

    // The same resources, compiled in-process from the LF and slash form of the script.
    const Bytes expected = CompiledInProcess("1 ICON icons/app.ico\nArrow CURSOR \"arrow.cur\"\n3 RCDATA ./data.bin\n");
    ASSERT_GT(expected.size(), 32u + 7u);
    EXPECT_EQ(Read(std::filesystem::path(L"caf\u00E9.res")), expected);
}

TEST_F(WindowsBuild, FailureKeepsTheOldFileAndSaysWhere) {
    Write("bad.rc", std::string("1 RCDATA data.bin\r\n2 RCDATA missing.bin\r\n"));
    Write("bad.res", std::string("keep me"));
    EXPECT_EQ(RunExe(L"bad.rc"), 1);
    EXPECT_EQ(Errors(),
              "bad.rc(2): error BRC5302: cannot read 'missing.bin': file not found\r\n");  // stderr is a text stream
    const Bytes kept = Read("bad.res");
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "keep me");
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(m_folder)) {
        ++files;
    }
    EXPECT_EQ(files, 6u) << "a temporary file was left behind";
}

// Includes named with backslashes, a header with C declarations, the built-in Windows headers; an error in an
// included file names that file.
TEST_F(WindowsBuild, IncludesAndTheirErrors) {
    std::filesystem::create_directories(m_folder / "inc");
    Write("inc/res.h", std::string("#define IDI_APP 7\r\nint Compute(const char* s);\r\n"));
    Write("inc/bad.h", std::string("#define A 1\r\n#if A\r\n"));
    Write("main.rc", std::string("#include \"inc\\res.h\"\r\n#include <windows.h>\r\nIDI_APP ICON icons\\app.ico\r\n"
                                 "LANGUAGE LANG_FRENCH, SUBLANG_FRENCH\r\n1 RCDATA { WS_VISIBLE, \"x\" }\r\n"));
    ASSERT_EQ(RunExe(L"main.rc"), 0) << Errors();
    EXPECT_EQ(Read("main.res"),
              CompiledInProcess("7 ICON icons/app.ico\nLANGUAGE 12, 1\n1 RCDATA { 0x10000000L, \"x\" }\n"));

    Write("broken.rc", std::string("#include \"inc\\bad.h\"\r\n"));
    EXPECT_EQ(RunExe(L"broken.rc"), 1);
    EXPECT_EQ(Errors(), "inc\\bad.h(2): error BRC2008: #if without #endif: the file ends inside it\r\n");
}

// Long enough for the files to be read ahead on threads: the same bytes as one thread, and the first error wins.
TEST_F(WindowsBuild, LongScriptsReadAheadOnThreads) {
    std::string script;
    for (int line = 1; line <= 300; ++line) {
        script += std::to_string(line) + (line % 3 ? " RCDATA data.bin\r\n" : " ICON icons\\app.ico\r\n");
    }
    Write("long.rc", script);
    ASSERT_EQ(RunExe(L"long.rc"), 0);
    std::stringbuf expected;
    ResourceCompiler compiler(m_folder, expected, 0);
    compiler.Compile(script);
    const Bytes written = Read("long.res");
    EXPECT_TRUE(std::string(written.begin(), written.end()) == expected.str());

    Write("long.rc", script + "301 RCDATA missing.bin\r\n" + script + "#define X\r\n");
    EXPECT_EQ(RunExe(L"long.rc"), 1);
    EXPECT_EQ(Errors(), "long.rc(301): error BRC5302: cannot read 'missing.bin': file not found\r\n");
    EXPECT_EQ(Read("long.res"), written);
}

// Typed at a command prompt, -DNAME="x" keeps its quotes: NAME is a string, as Windows' resource compiler reads it.
TEST_F(WindowsBuild, ADefinesQuotesAreKept) {
    Write("define.rc", std::string("STRINGTABLE { 1, NAME }\r\n"));
    ASSERT_EQ(RunExe(L"-DNAME=\"x y\" -fo \"out put.res\" define.rc"), 0) << Errors();
    EXPECT_EQ(Read("out put.res"), CompiledInProcess("STRINGTABLE { 1, \"x y\" }\n"));
}

}  // namespace
}  // namespace brcc::test
