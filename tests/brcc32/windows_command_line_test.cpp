// The Windows program's own splitting of its command line: the runtime's rules, and a define's quotes kept.
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

}  // namespace
}  // namespace brcc::test
