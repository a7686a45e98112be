// Files that resources name: where they are looked for, and animated cursors and icons kept whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "res_bytes.h"
#include "test_folder.h"

namespace brcc::test {
namespace {

struct Search {
    std::string script;
    std::string options;  // -I folders
    std::string include;  // the INCLUDE variable
};

// The same search as llvm-rc, which follows Windows' compiler: the script's folder, -I folders, then INCLUDE.
TEST(ResourceFiles, AreLookedForBesideTheScriptThenInIncludeFolders) {
    TestFolder folder;
    for (const char* where : {"", "i1/", "i2/", "env/"}) {
        // Each copy says where it lies, so a wrong pick shows in the bytes.
        folder.Write(std::string(where) + "everywhere.bin", "everywhere in " + std::string(where));
    }
    folder.Write("i2/second.bin", std::string("second -I"));
    folder.Write("i1/both.bin", std::string("first -I"));
    folder.Write("env/both.bin", std::string("INCLUDE"));
    folder.Write("env/deep/in env.bin", std::string("INCLUDE, a folder down"));
    const std::vector<Search> cases = {
        {"1 RCDATA everywhere.bin\n", "-I i1 -I i2", "env"},
        {"1 RCDATA second.bin\n2 RCDATA everywhere.bin\n", "-I i1 -I i2", ""},
        {"1 RCDATA both.bin\n", "-I i2 -I i1", "env"},
        {"1 RCDATA both.bin\n2 RCDATA \"deep/in env.bin\"\n", "", "i2;env"},
    };
    for (const Search& search : cases) {
        SCOPED_TRACE(search.script + search.options + " INCLUDE=" + search.include);
        folder.Write("ours.rc", search.script);
        const std::string environment = "INCLUDE='" + search.include + "' ";
        const RunResult ours =
            RunIn(folder.Path(), environment + "'" + BRCC32_PATH + "' " + search.options + " -fo ours.res ours.rc");
        ASSERT_EQ(ours.exitCode, 0) << ours.stderr;
        // llvm-rc on Linux splits INCLUDE at ':', Windows at ';'.
        std::string theirInclude = search.include;
        std::replace(theirInclude.begin(), theirInclude.end(), ';', ':');
        const RunResult theirs =
            RunIn(folder.Path(), "INCLUDE='" + theirInclude + "' " + LLVM_RC_PATH + " /no-preprocess " +
                                     search.options + " /fo theirs.res ours.rc");
        ASSERT_EQ(theirs.exitCode, 0) << theirs.stderr;
        EXPECT_EQ(folder.Read("ours.res"), folder.Read("theirs.res"));
    }
    folder.Write("ours.rc", std::string("1 RCDATA absent.bin\n"));
    const RunResult missing = RunIn(folder.Path(), std::string("INCLUDE=env '") + BRCC32_PATH + "' -I i1 ours.rc");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.stderr, "ours.rc(1): error BRC5302: cannot read 'absent.bin': file not found\n");
}

// Neither reference takes these; Windows loads them whole from types 21 and 22, so the bytes are pinned here.
TEST(ResourceFiles, AnimatedCursorsAndIconsAreStoredWhole) {
    TestFolder folder;
    const std::string riff = std::string("RIFF\x18\0\0\0ACONanih\x04\0\0\0", 20) + "abcdLIST";
    folder.Write("spin.ani", riff);
    folder.Write("ours.rc", std::string("1 CURSOR spin.ani\n2 ICON spin.ani\n3 ICON PRELOAD spin.ani\n"));
    const RunResult ours = RunBrcc32(folder.Path(), "ours.rc");
    ASSERT_EQ(ours.exitCode, 0) << ours.stderr;
    const std::vector<std::uint8_t> data(riff.begin(), riff.end());
    EXPECT_EQ(folder.Read("ours.res"),
              ResFile({ResEntry(21, 1, 0x1010, data), ResEntry(22, 2, 0x1010, data), ResEntry(22, 3, 0x1050, data)}));

    // Once more under the same name: the animation's own type is the one claimed.
    folder.Write("ours.rc", std::string("1 CURSOR spin.ani\n1 ANICURSOR spin.ani\n"));
    const RunResult twice = RunBrcc32(folder.Path(), "ours.rc");
    EXPECT_EQ(twice.exitCode, 1);
    EXPECT_NE(twice.stderr.find("ours.rc(2): error: duplicate resource: ANICURSOR 1"), std::string::npos)
        << twice.stderr;
}

}  // namespace
}  // namespace brcc::test
