// Where the output goes: devices, FIFOs and the standard streams are written in place, files replaced whole, and an
// interrupted compiler leaves nothing behind.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "test_folder.h"

namespace brcc::test {
namespace {

const std::string kBrcc32 = std::string("'") + BRCC32_PATH + "'";

std::vector<std::string> TemporaryFiles(const TestFolder& folder) {
    std::vector<std::string> names;
    for (const std::string& name : folder.FileNames()) {
        if (name.ends_with(".tmp")) {
            names.push_back(name);
        }
    }
    return names;
}

TEST(OutputTargets, DevicesFifosAndStandardStreamsAreWrittenInPlace) {
    TestFolder folder;
    folder.Write("a.rc", std::string("1 RCDATA { 1, 2 }\n"));
    ASSERT_EQ(RunBrcc32(folder.Path(), "-fo reference.res a.rc").exitCode, 0);
    ASSERT_EQ(RunBrcc32(folder.Path(), "--dialect=gnu -o reference.o a.rc").exitCode, 0);
    // A device of our own (the null device's numbers): the system's /dev is left alone.
    ASSERT_EQ(RunIn(folder.Path(), "mknod null c 1 3 && mkfifo fifo").exitCode, 0);
    const std::string longName = std::string(250, 'n') + ".res";  // the longest a name can be, with .res
    struct Case {
        std::string command;
        std::string result;  // a file that must hold the reference's bytes
        std::string reference = "reference.res";
    };
    const std::vector<Case> cases = {
        {kBrcc32 + " -fo null a.rc", ""},
        {"(cat fifo > from-fifo &) && " + kBrcc32 + " -fo fifo a.rc && sleep 0.2", "from-fifo"},
        {kBrcc32 + " --dialect=gnu -o - a.rc > to-stdout", "to-stdout"},
        {kBrcc32 + " --dialect=gnu a.rc > no-output-name", "no-output-name"},
        {kBrcc32 + " --dialect=gnu < a.rc > from-stdin", "from-stdin"},
        // Resources from the standard input, as -J says.
        {kBrcc32 + " --dialect=gnu -J res -O coff < reference.res > res-from-stdin", "res-from-stdin", "reference.o"},
        {kBrcc32 + " --dialect=gnu -J coff -O res < reference.o > coff-from-stdin", "coff-from-stdin"},
        {kBrcc32 + " --dialect=gnu -J res -O res - res-through < reference.res", "res-through"},
        {kBrcc32 + " -fo " + longName + " a.rc", longName},
        {kBrcc32 + " --dialect=gnu -O coff a.rc | cat > coff-through-a-pipe", "coff-through-a-pipe", "reference.o"},
    };
    for (const Case& c : cases) {
        const RunResult run = RunIn(folder.Path(), "(" + c.command + ")");
        EXPECT_EQ(run.exitCode, 0) << c.command << "\n" << run.stderr;
        if (!c.result.empty()) {
            EXPECT_EQ(folder.Read(c.result), folder.Read(c.reference)) << c.command;
        }
    }
    EXPECT_TRUE(std::filesystem::is_character_file(folder.Path() / "null"));
    EXPECT_TRUE(std::filesystem::is_fifo(folder.Path() / "fifo"));
    EXPECT_EQ(TemporaryFiles(folder), std::vector<std::string>());
}

TEST(OutputTargets, ARegularFileIsReplacedWholeOrNotAtAll) {
    TestFolder folder;
    folder.Write("a.rc", std::string("1 RCDATA { 1 }\n"));
    const std::filesystem::path old = folder.Write("a.res", std::string("old"));
    struct stat before {};
    ASSERT_EQ(stat(old.c_str(), &before), 0);
    ASSERT_EQ(RunBrcc32(folder.Path(), "-fo a.res a.rc").exitCode, 0);
    struct stat after {};
    ASSERT_EQ(stat(old.c_str(), &after), 0);
    EXPECT_NE(before.st_ino, after.st_ino) << "a new file renamed over the old, not the old one rewritten";

    const RunResult noFolder = RunBrcc32(folder.Path(), "-fo absent/a.res a.rc");
    EXPECT_NE(noFolder.stderr.find("the folder 'absent' does not exist"), std::string::npos) << noFolder.stderr;

    // Stopped (TERM, handled as Ctrl-C's INT is) while it waits for its script: the temporary file it opened first is
    // gone too.
    RunIn(folder.Path(), "(sleep 2 | " + kBrcc32 + " --dialect=gnu -o b.res & " +
                             "for i in $(seq 100); do ls *.tmp >/dev/null 2>&1 && break; sleep 0.05; done; " +
                             "ls *.tmp >/dev/null 2>&1 && kill -TERM $!; wait)");
    EXPECT_EQ(TemporaryFiles(folder), std::vector<std::string>());
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "b.res"));
}

}  // namespace
}  // namespace brcc::test
