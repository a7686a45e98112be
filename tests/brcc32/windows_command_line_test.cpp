// Splitting by Windows' rules: the program's own command line, a define's quotes kept, and response files.
#include "brcc32/cli/windows_command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brcc::test {
namespace {

struct Split {
    std::string line;
    std::vector<std::string> arguments;
};

TEST(WindowsCommandLine, SplitsAsTheRuntimeButKeepsADefinesQuotes) {
    const std::vector<Split> cases = {
        {"brcc32.exe app.rc", {"app.rc"}},
        {"\"C:\\Program Files\\brcc32.exe\"  -fo \"out dir\\a.res\"\tapp.rc", {"-fo", "out dir\\a.res", "app.rc"}},
        {"brcc32 a\\\\\\\"b c\\\\\"d e\" f\\g", {"a\\\"b", "c\\d e", "f\\g"}},
        {"brcc32 \"say \"\"hi\"\"\"", {"say \"hi\""}},
        {"brcc32 -DNAME=\"x y\" -dOTHER=\"a\\\"b\" app.rc", {"-DNAME=\"x y\"", "-dOTHER=\"a\\\"b\"", "app.rc"}},
        {"brcc32 -D NAME=\"x\" -D \"QUOTED=1\" \"-DWHOLE=2\"", {"-D", "NAME=\"x\"", "-D", "QUOTED=1", "-DWHOLE=2"}},
        {"brcc32 -I\"inc dir\" -fo=\"x\" -DOPEN=\"never closed", {"-Iinc dir", "-fo=x", "-DOPEN=\"never closed"}},
        {"brcc32", {}},
    };
    for (const Split& split : cases) {
        EXPECT_EQ(SplitCommandLine(split.line), split.arguments) << split.line;
    }
}

// The same text read from the two places: a define keeps its quotes in both, only a response file is split at line
// breaks.
TEST(WindowsCommandLine, CommandLineAndResponseFileDifferOnlyWhereTheirToolsDo) {
    struct Case {
        std::string text;
        std::vector<std::string> onCommandLine;
        std::vector<std::string> inResponseFile;
    };
    const std::vector<Case> cases = {
        {"-DNAME=\"x y\" a.rc", {"-DNAME=\"x y\"", "a.rc"}, {"-DNAME=\"x y\"", "a.rc"}},
        {"-D NAME=\"x\"", {"-D", "NAME=\"x\""}, {"-D", "NAME=\"x\""}},
        {"/D NAME=\"x\" /DVAL=\"abc\"", {"/D", "NAME=\"x\"", "/DVAL=\"abc\""}, {"/D", "NAME=\"x\"", "/DVAL=\"abc\""}},
        {"/dNUM=\\\"5\\\"", {"/dNUM=\"5\""}, {"/dNUM=\"5\""}},
        {"-r\r\na.rc", {"-r\r\na.rc"}, {"-r", "a.rc"}},
        {"\"a\nb\"\f c", {"a\nb\f", "c"}, {"a\nb", "c"}},
        {"a\\\\\"b c\" \"say \"\"hi\"\"\"", {"a\\b c", "say \"hi\""}, {"a\\b c", "say \"hi\""}},
        {" \t ", {}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitWindowsArguments(c.text, WindowsArgumentSource::kCommandLine), c.onCommandLine) << c.text;
        EXPECT_EQ(SplitWindowsArguments(c.text, WindowsArgumentSource::kResponseFile), c.inResponseFile) << c.text;
    }
}

}  // namespace
}  // namespace brcc::test
