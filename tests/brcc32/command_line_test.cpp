// The three dialects' command lines as build systems write them, read into what they ask for.
#include "brcc32/cli/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "brcc32/cli/response_file.h"
#include "brcc32/messages.h"
#include "test_folder.h"

namespace brcc::test {
namespace {

using Args = std::vector<std::string>;

std::vector<std::string> Paths(const std::vector<std::filesystem::path>& paths) {
    std::vector<std::string> texts;
    for (const std::filesystem::path& path : paths) {
        texts.push_back(path.string());
    }
    return texts;
}

// What a command line comes to, in a form a table row can state.
struct Expected {
    std::string program;
    Args arguments;
    std::string script;
    std::string output;
    OutputFormat format = OutputFormat::kRes;
    Machine machine = Machine::kX86;
    std::vector<std::string> includes = {};
    std::vector<std::string> defines = {};
    std::vector<std::string> undefines = {};
    std::optional<std::uint16_t> language = std::nullopt;
    std::optional<std::uint32_t> codePage = std::nullopt;
    std::string dependencyFile = "";
};

class CommandLines : public ::testing::Test {
protected:
    void SetUp() override {
        SetUiLanguage(UiLanguage::kEnglish);
        // The INCLUDE variable's folders come last; the rows are written without them.
        if (const char* include = std::getenv("INCLUDE")) {
            m_savedInclude = include;
        }
        unsetenv("INCLUDE");
    }
    void TearDown() override {
        if (m_savedInclude) {
            setenv("INCLUDE", m_savedInclude->c_str(), 1);
        }
    }

    static void Check(const std::vector<Expected>& rows) {
        for (const Expected& row : rows) {
            std::string shown = row.program;
            for (const std::string& argument : row.arguments) {
                shown += " " + argument;
            }
            const CommandLine line = ParseCommandLine(row.program, row.arguments);
            ASSERT_EQ(line.action, CommandLine::Action::kCompile) << shown << ": " << line.error;
            EXPECT_EQ(line.script.string(), row.script) << shown;
            EXPECT_EQ(line.output.string(), row.output) << shown;
            EXPECT_EQ(line.outputFormat, row.format) << shown;
            EXPECT_EQ(line.machine, row.machine) << shown;
            EXPECT_EQ(Paths(line.preprocess.includeFolders), row.includes) << shown;
            EXPECT_EQ(line.preprocess.defines, row.defines) << shown;
            EXPECT_EQ(line.preprocess.undefines, row.undefines) << shown;
            EXPECT_EQ(line.language, row.language) << shown;
            EXPECT_EQ(line.codePage, row.codePage) << shown;
            EXPECT_EQ(line.dependencies.file.string(), row.dependencyFile) << shown;
        }
    }

    std::optional<std::string> m_savedInclude;
};

TEST_F(CommandLines, Borland) {
    Check({
        {"brcc32",
         {"-c65001", "Project1.vrc", "-foProject1.res"},
         "Project1.vrc",
         "Project1.res",
         OutputFormat::kRes,
         Machine::kX86,
         {},
         {},
         {},
         std::nullopt,
         65001},
        {"BRCC32.EXE",
         {"-r", "-i\"inc;shared\"", "-fo", "out.res", "app.rc"},
         "app.rc",
         "out.res",
         OutputFormat::kRes,
         Machine::kX86,
         {"\"inc", "shared\""}},
        {"/opt/bin/brcc32",
         {"-r", "-iinc;shared", "-dA;B=2", "-DC", "-U", "D", "app.rc"},
         "app.rc",
         "app.res",
         OutputFormat::kRes,
         Machine::kX86,
         {"inc", "shared"},
         {"A", "B=2", "C"},
         {"D"}},
        {"brcc32",
         {"-L409", "-32", "-w32", "-m", "-X", "-V", "app.rc", "-l0x40C"},
         "app.rc",
         "app.res",
         OutputFormat::kRes,
         Machine::kX86,
         {},
         {},
         {},
         0x040C},
        {"brcc32",
         {"-fiapp.rc", "-fo", "app.obj", "-machine:arm64"},
         "app.rc",
         "app.obj",
         OutputFormat::kCoff,
         Machine::kArm64},
        {"anything",
         {"app.rc", "-MD", "-machine", "x64", "-fo", "x.o"},
         "app.rc",
         "x.o",
         OutputFormat::kCoff,
         Machine::kX64,
         {},
         {},
         {},
         std::nullopt,
         std::nullopt,
         "x.d"},
    });
}

TEST_F(CommandLines, Microsoft) {
    Check({
        // MSBuild's rc /D UNICODE /l"0x0409" /nologo /fo"x.res" x.rc, its quotes gone as the C runtime reads it.
        {"rc",
         {"/D", "UNICODE", "/l0x0409", "/nologo", "/fox.res", "x.rc"},
         "x.rc",
         "x.res",
         OutputFormat::kRes,
         Machine::kX86,
         {},
         {"UNICODE"},
         {},
         0x0409},
        {"RC.EXE",
         {"-D", "UNICODE", "/l", "0x0409", "/NOLOGO", "/Fo", "x.res", "/I", "inc", "/dX=1", "x.rc"},
         "x.rc",
         "x.res",
         OutputFormat::kRes,
         Machine::kX86,
         {"inc"},
         {"UNICODE", "X=1"},
         {},
         0x0409},
        {"rc",
         {"/r", "/v", "/n", "/w", "/y", "/x", "/c", "1250", "/u", "X", "/machine:x64", "/fo", "x.obj", "x.rc"},
         "x.rc",
         "x.obj",
         OutputFormat::kCoff,
         Machine::kX64,
         {},
         {},
         {"X"},
         std::nullopt,
         1250},
        // CMake passes absolute paths, which begin as options do.
        {"rc", {"/fo", "/tmp/out.res", "/tmp/in.rc"}, "/tmp/in.rc", "/tmp/out.res"},
        // A script out: asked by name, or by the option that takes the script's name from the input's.
        {"rc", {"/fo", "back.rc", "x.res"}, "x.res", "back.rc", OutputFormat::kScript},
        {"brcc32", {"-decompile", "x.res"}, "x.res", "x.rc", OutputFormat::kScript},
        {"windres", {"-i", "x.res", "-O", "rc", "-o", "x.txt"}, "x.res", "x.txt", OutputFormat::kScript},
        {"rc",
         {"/MF", "deps.d", "x.rc"},
         "x.rc",
         "x.res",
         OutputFormat::kRes,
         Machine::kX86,
         {},
         {},
         {},
         std::nullopt,
         std::nullopt,
         "deps.d"},
    });
}

TEST_F(CommandLines, Gnu) {
    Check({
        // CMake's MinGW rule: windres -O coff <DEFINES> <INCLUDES> <FLAGS> <SOURCE> <OBJECT>
        {"/usr/bin/x86_64-w64-mingw32-windres",
         {"-O", "coff", "-DNDEBUG", "-I/src/inc", "app.rc", "app.rc.obj"},
         "app.rc",
         "app.rc.obj",
         OutputFormat::kCoff,
         Machine::kX64,
         {"/src/inc"},
         {"NDEBUG"}},
        // Lazarus: windres --include $INC -O res -D FPC -o $RES $RC
        {"windres",
         {"--include", "inc", "-O", "res", "-D", "FPC", "-o", "p.res", "p.rc"},
         "p.rc",
         "p.res",
         OutputFormat::kRes,
         Machine::kX86,
         {"inc"},
         {"FPC"}},
        {"aarch64-w64-mingw32-windres",
         {"-i", "a.rc", "-o", "a.o"},
         "a.rc",
         "a.o",
         OutputFormat::kCoff,
         Machine::kArm64},
        // An object unless the name ends in .res, as Go's rsrc.syso and names without an extension want.
        {"windres", {"a.rc", "rsrc.syso"}, "a.rc", "rsrc.syso", OutputFormat::kCoff},
        {"windres", {"a.rc", "out/a"}, "a.rc", "out/a", OutputFormat::kCoff},
        {"windres", {"a.rc", "A.RES"}, "a.rc", "A.RES", OutputFormat::kRes},
        {"windres",
         {"--input=a.rc", "--output=a.o", "--target=pe-x86-64", "--output-format=res"},
         "a.rc",
         "a.o",
         OutputFormat::kRes,
         Machine::kX64},
        {"windres",
         {"-F", "pe-i386", "-J", "rc", "-c", "65001", "-l", "40c", "a.rc", "a.o", "-U", "X"},
         "a.rc",
         "a.o",
         OutputFormat::kCoff,
         Machine::kX86,
         {},
         {},
         {"X"},
         0x040C,
         65001},
        {"i686-w64-mingw32-windres",
         {"--preprocessor=gcc", "--preprocessor-arg=-MD", "--preprocessor-arg=-MF", "--preprocessor-arg=a.d",
          "--preprocessor-arg=-DX", "--preprocessor-arg=-Iinc", "--preprocessor-arg=-E", "--use-temp-file", "a.rc",
          "a.o"},
         "a.rc",
         "a.o",
         OutputFormat::kCoff,
         Machine::kX86,
         {"inc"},
         {"X"},
         {},
         std::nullopt,
         std::nullopt,
         "a.d"},
        {"windres",
         {"-MD", "--depfile-format=json", "a.rc", "out/a.res"},
         "a.rc",
         "out/a.res",
         OutputFormat::kRes,
         Machine::kX86,
         {},
         {},
         {},
         std::nullopt,
         std::nullopt,
         "out/a.d"},
        // The name says one dialect, --dialect another.
        {"brcc32", {"--dialect=gnu", "-i", "a.rc", "-o", "a.res"}, "a.rc", "a.res"},
    });
}

TEST_F(CommandLines, RefusalsNameTheFault) {
    struct Row {
        std::string program;
        Args arguments;
        std::string error;
    };
    const std::vector<Row> rows = {
        {"brcc32", {"-16", "a.rc"}, "-16 asks for 16-bit output"},
        {"brcc32", {"-31", "a.rc"}, "-31 asks for 16-bit output"},
        {"brcc32", {"-fe", "a.exe", "a.rc"}, "-fe asks for 16-bit output"},
        {"brcc32", {"-c1234", "a.rc"}, "'1234' is not a code page"},
        {"brcc32", {"-l10000", "a.rc"}, "'10000' is not a language number"},
        {"brcc32", {"-machine:ia64", "a.rc"}, "'ia64' is not a machine"},
        {"brcc32", {"-q", "a.rc"}, "unknown option '-q'"},
        {"brcc32", {"a.rc", "b.rc"}, "only one script"},
        {"rc", {"/fo"}, "/fo needs a value"},
        {"rc", {"/fo", "", "a.rc"}, "/fo names no file"},
        {"windres", {"a.rc", "a.o", "b.o"}, "too many file names: 'b.o'"},
        {"windres", {"-O", "exe", "a.rc", "a.o"}, "'exe' is not a format"},
        {"windres", {"--in", "a.rc", "a.o"}, "unknown option '--in'"},  // --input or --input-format
        {"windres", {"-F", "pe-mips", "a.rc", "a.o"}, "'pe-mips' is not a machine"},
        {"brcc32", {"--dialect=watcom", "a.rc"}, "'watcom' is not a dialect"},
        {"brcc32", {"@no such file.rsp"}, "cannot read the response file 'no such file.rsp'"},
    };
    for (const Row& row : rows) {
        const CommandLine line = ParseCommandLine(row.program, row.arguments);
        EXPECT_EQ(line.action, CommandLine::Action::kUsageError) << row.error;
        EXPECT_NE(line.error.find(row.error), std::string::npos) << line.error;
    }
    // Help, with nothing else to do.
    for (const auto& [program, arguments] : std::vector<std::pair<std::string, Args>>{{"brcc32", {}},
                                                                                      {"brcc32", {"-h"}},
                                                                                      {"brcc32", {"-?"}},
                                                                                      {"rc", {"/?"}},
                                                                                      {"windres", {"--help"}},
                                                                                      {"windres", {"-h"}},
                                                                                      {"rc", {"a.rc", "/h"}}}) {
        EXPECT_EQ(ParseCommandLine(program, arguments).action, CommandLine::Action::kHelp) << program;
    }
    EXPECT_EQ(ParseCommandLine("windres", {"-V"}).action, CommandLine::Action::kVersion);
    EXPECT_EQ(ParseCommandLine("windres", {"--vers"}).action, CommandLine::Action::kVersion);
}

// -D and -U in the order given whatever their prefix, macros with parameters, and -- before names like options.
TEST_F(CommandLines, DefinesActInOrderAndOptionsEndAtDoubleDash) {
    struct Row {
        std::string program;
        Args arguments;
        std::vector<std::string> defines;
        std::vector<std::string> undefines;
        std::string script = "a.rc";
    };
    const std::vector<Row> rows = {
        {"rc", {"-U", "X", "/DX", "a.rc"}, {"X"}, {}},
        {"rc", {"/DX=1", "-UX", "a.rc"}, {}, {"X"}},
        {"brcc32", {"-dX", "-uX", "-dX=2", "a.rc"}, {"X=2"}, {}},
        {"windres", {"-D", "F(a, b)=((a)+(b))", "-DG(x)", "a.rc", "a.o"}, {"F(a, b)=((a)+(b))", "G(x)"}, {}},
        {"brcc32", {"-dX", "--", "-x.rc"}, {"X"}, {}, "-x.rc"},
        {"rc", {"--", "/x.rc"}, {}, {}, "/x.rc"},
        {"windres", {"--", "-x.rc", "-x.o"}, {}, {}, "-x.rc"},
    };
    for (const Row& row : rows) {
        const CommandLine line = ParseCommandLine(row.program, row.arguments);
        ASSERT_EQ(line.action, CommandLine::Action::kCompile) << row.arguments[1] << ": " << line.error;
        EXPECT_EQ(line.preprocess.defines, row.defines) << row.arguments[1];
        EXPECT_EQ(line.preprocess.undefines, row.undefines) << row.arguments[1];
        EXPECT_EQ(line.scriptArgument, row.script);
    }
}

TEST_F(CommandLines, TheProgramNamePicksTheDialectAndMachine) {
    struct Row {
        std::string path;
        Dialect dialect;
        std::optional<Machine> machine;
    };
    for (const Row& row : std::vector<Row>{
             {"brcc32", Dialect::kBorland, std::nullopt},
             {"C:\\Tools\\RC.exe", Dialect::kMicrosoft, std::nullopt},
             {"/usr/bin/windres", Dialect::kGnu, std::nullopt},
             {"x86_64-w64-mingw32-windres", Dialect::kGnu, Machine::kX64},
             {"i686-w64-mingw32-windres.exe", Dialect::kGnu, Machine::kX86},
             {"aarch64-w64-mingw32-windres", Dialect::kGnu, Machine::kArm64},
             {"llvm-rc", Dialect::kBorland, std::nullopt},
         }) {
        const ProgramIdentity identity = IdentifyProgram(row.path);
        EXPECT_EQ(identity.dialect, row.dialect) << row.path;
        EXPECT_EQ(identity.machine, row.machine) << row.path;
    }
}

TEST(ResponseFiles, SplitAsTheirToolDoes) {
    EXPECT_EQ(SplitResponseText("-fo \"out dir\\a.res\"\r\n-i C:\\inc a.rc", ResponseFileQuoting::kWindows),
              (Args{"-fo", "out dir\\a.res", "-i", "C:\\inc", "a.rc"}));
    EXPECT_EQ(SplitResponseText("\"a \\\"b\\\" c\" \"\" x\"\"y", ResponseFileQuoting::kWindows),
              (Args{"a \"b\" c", "", "xy"}));
    EXPECT_EQ(SplitResponseText("-D 'A=\"x y\"' b\\ c \"d\\\\e\"", ResponseFileQuoting::kGnu),
              (Args{"-D", "A=\"x y\"", "b c", "d\\e"}));
    // UTF-16 with its mark, as MSBuild may write it; UTF-8 with one.
    EXPECT_EQ(SplitResponseText(std::string("\xFF\xFE-\0r\0 \0\xE9\0", 10), ResponseFileQuoting::kWindows),
              (Args{"-r", "\xC3\xA9"}));
    EXPECT_EQ(SplitResponseText("\xEF\xBB\xBF-r", ResponseFileQuoting::kWindows), (Args{"-r"}));
}

TEST(ResponseFiles, NestAndStopWhenOneNamesItself) {
    TestFolder folder;
    folder.Write("outer.rsp", std::string("-r @\"inner file.rsp\" -v"));
    folder.Write("inner file.rsp", std::string("-dX a.rc"));
    folder.Write("loop.rsp", std::string("@loop.rsp"));
    const ResponseFileReader reader = [&](const std::filesystem::path& path) -> std::optional<std::string> {
        if (!std::filesystem::exists(folder.Path() / path)) {
            return std::nullopt;
        }
        const std::vector<std::uint8_t> bytes = folder.Read(path.string());
        return std::string(bytes.begin(), bytes.end());
    };
    EXPECT_EQ(ExpandResponseFiles({"-x", "@outer.rsp", "@"}, ResponseFileQuoting::kWindows, reader),
              (Args{"-x", "-r", "-dX", "a.rc", "-v", "@"}));
    EXPECT_THROW(ExpandResponseFiles({"@loop.rsp"}, ResponseFileQuoting::kWindows, reader), ResponseFileError);
    EXPECT_THROW(ExpandResponseFiles({"@absent.rsp"}, ResponseFileQuoting::kWindows, reader), ResponseFileError);
    folder.Write("utf16.rsp", std::string("-\0r\0 \0a\0", 8));  // no byte-order mark
    try {
        ExpandResponseFiles({"@utf16.rsp"}, ResponseFileQuoting::kWindows, reader);
        ADD_FAILURE() << "read as bytes";
    } catch (const ResponseFileError& error) {
        EXPECT_EQ(error.GetKind(), ResponseFileError::Kind::kUtf16WithoutMark);
    }
}

}  // namespace
}  // namespace brcc::test
