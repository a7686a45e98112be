// GNU's dialect under a cross toolchain's name: the target's system headers found where the toolchain keeps them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "resource_lines.h"
#include "test_folder.h"

namespace brcc::test {
namespace {

constexpr const char* kWindres = "x86_64-w64-mingw32-windres";

class SystemHeaders : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::is_directory("/usr/share/mingw-w64/include")) {
            GTEST_SKIP() << "no MinGW-w64 headers on this machine";
        }
        std::filesystem::create_symlink(BRCC32_PATH, m_folder.Path() / kWindres);
    }

    TestFolder m_folder;
};

// zlib's win32/zlib1.rc: its zconf.h includes the C library's headers, which only the target's folders hold.
TEST_F(SystemHeaders, ZlibsScriptCompilesAsGnuWindresCompilesIt) {
    m_folder.Write("zconf.h",
                   "#include <sys/types.h>\n#include <stdarg.h>\n#include <stddef.h>\n#include <unistd.h>\n"
                   "#include <limits.h>\ntypedef unsigned char Byte;\n");
    m_folder.Write("zlib.h",
                   "#include \"zconf.h\"\n#define ZLIB_VERSION \"1.3.1\"\n#define ZLIB_VER_MAJOR 1\n"
                   "extern const char *zlibVersion(void);\n");
    std::filesystem::create_directory(m_folder.Path() / "win32");
    m_folder.Write("win32/zlib1.rc",
                   "#include <winver.h>\n#include <windows.h>\n#include <winsock2.h>\n#include <shellapi.h>\n"
                   "#include <ole2.h>\n#include <_mingw.h>\n#include <io.h>\n#include \"../zlib.h\"\n"
                   "#ifdef GCC_WINDRES\nVS_VERSION_INFO VERSIONINFO\n#else\nVS_VERSION_INFO VERSIONINFO MOVEABLE\n"
                   "#endif\n FILEVERSION ZLIB_VER_MAJOR,2,3,0\n FILEOS VOS__WINDOWS32\n FILETYPE VFT_DLL\nBEGIN\n"
                   " BLOCK \"StringFileInfo\"\n BEGIN\n  BLOCK \"040904E4\"\n  BEGIN\n"
                   "   VALUE \"FileVersion\", ZLIB_VERSION \"\\0\"\n  END\n END\nEND\n"
                   "2 RCDATA { WSAEWOULDBLOCK, SEE_MASK_NOASYNC, INT_MAX, _A_SUBDIR, __MINGW64_VERSION_MAJOR }\n");
    const std::string arguments = " -DGCC_WINDRES -O res -i win32/zlib1.rc -o ";
    const RunResult ours = RunIn(m_folder.Path(), std::string("./") + kWindres + arguments + "ours.res");
    ASSERT_EQ(ours.exitCode, 0) << ours.stderr;
    const RunResult theirs = RunIn(m_folder.Path(), std::string("/usr/bin/") + kWindres + arguments + "theirs.res");
    ASSERT_EQ(theirs.exitCode, 0) << theirs.stderr;
    // The resources alike byte for byte; the two compilers give RCDATA different memory flags.
    EXPECT_EQ(LinesOfRes(m_folder.Read("ours.res")), LinesOfRes(m_folder.Read("theirs.res")));
}

TEST_F(SystemHeaders, OptionsFoldersAndIncludeComeFirst) {
    std::filesystem::create_directories(m_folder.Path() / "mine");
    std::filesystem::create_directories(m_folder.Path() / "env");
    m_folder.Write("mine/io.h", "#define WHO 1\n");
    m_folder.Write("env/io.h", "#define WHO 2\n");
    m_folder.Write("x.rc", "#include <io.h>\n#ifndef WHO\n#define WHO _A_SUBDIR\n#endif\n1 RCDATA { WHO }\n");
    const struct {
        const char* command;
        const char* data;
    } kCases[] = {
        {"INCLUDE=env ./x86_64-w64-mingw32-windres -I mine x.rc x.res", "0100"},
        {"INCLUDE=env ./x86_64-w64-mingw32-windres x.rc x.res", "0200"},
        {"INCLUDE= ./x86_64-w64-mingw32-windres x.rc x.res", "1000"},  // the real io.h: _A_SUBDIR is 0x10
    };
    for (const auto& c : kCases) {
        const RunResult result = RunIn(m_folder.Path(), c.command);
        ASSERT_EQ(result.exitCode, 0) << c.command << "\n" << result.stderr;
        const ResourceLines lines = LinesOfRes(m_folder.Read("x.res"));
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_TRUE(lines[0].ends_with(c.data)) << c.command << ": " << lines[0];
    }
}

}  // namespace
}  // namespace brcc::test
