// A CMake + MinGW + Ninja project built with our compiler as its windres: the executable's resources are those of
// the same project built with GNU windres.
#include <gtest/gtest.h>

#include <string>

#include "resource_lines.h"
#include "test_folder.h"
#include "test_images.h"

namespace brcc::test {
namespace {

TEST(CMakeProject, OurWindresBuildsWhatGnuWindresBuilds) {
    TestFolder folder;
    folder.Write("src/CMakeLists.txt", std::string("cmake_minimum_required(VERSION 3.20)\n"
                                                   "project(app C RC)\n"
                                                   "add_executable(app WIN32 main.c app.rc)\n"
                                                   "target_compile_definitions(app PRIVATE WITH_TITLE)\n"
                                                   "target_include_directories(app PRIVATE include)\n"));
    folder.Write("src/main.c", std::string("#include <windows.h>\nint WINAPI WinMain(HINSTANCE a, HINSTANCE b, "
                                           "LPSTR c, int d) { return 0; }\n"));
    folder.Write("src/include/ids.h",
                 std::string("#define IDI_APP 101\n#define IDS_TITLE 1\n#define APP_TITLE \"Demo\"\n"));
    folder.Write("src/app.ico",
                 MakeIconFile({{MakeDibImage(32, 32, 8), 32, 32, 8}, {MakePngImage(64, 64), 64, 64, 32}}));
    folder.Write("src/app.rc",
                 std::string("#include <windows.h>\n#include \"ids.h\"\n"
                             "IDI_APP ICON \"app.ico\"\n"
                             "#ifdef WITH_TITLE\nSTRINGTABLE\n{\n IDS_TITLE, APP_TITLE\n}\n#endif\n"
                             "1 VERSIONINFO FILEVERSION 1,2,3,4 FILEOS VOS_NT_WINDOWS32 {\n"
                             " BLOCK \"StringFileInfo\" { BLOCK \"040904B0\" {\n"
                             "  VALUE \"ProductName\", \"Demo\\0\" } }\n"
                             " BLOCK \"VarFileInfo\" { VALUE \"Translation\", 0x409, 1200 } }\n"
                             "1 DIALOGEX 0, 0, 100, 50 STYLE DS_MODALFRAME | WS_POPUP CAPTION \"Hi\" "
                             "FONT 8, \"MS Shell Dlg\" { DEFPUSHBUTTON \"OK\", IDOK, 25, 30, 50, 14 }\n"));
    std::filesystem::create_directories(folder.Path() / "bin");
    std::filesystem::create_symlink(std::filesystem::absolute(BRCC32_PATH),
                                    folder.Path() / "bin" / "i686-w64-mingw32-windres");

    ResourceLines built[2];
    const std::string compilers[2] = {(folder.Path() / "bin" / "i686-w64-mingw32-windres").string(),
                                      "/usr/bin/i686-w64-mingw32-windres"};
    for (int i = 0; i < 2; ++i) {
        const std::string tree = "build" + std::to_string(i);
        const RunResult configured =
            RunIn(folder.Path(), "LC_ALL=C cmake -S src -B " + tree +
                                     " -G Ninja -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_C_COMPILER=i686-w64-mingw32-gcc "
                                     "-DCMAKE_RC_COMPILER=" +
                                     compilers[i] + " -DCMAKE_BUILD_TYPE=Release");
        ASSERT_EQ(configured.exitCode, 0) << configured.stderr;
        const RunResult compiled = RunIn(folder.Path(), "LC_ALL=C cmake --build " + tree);
        ASSERT_EQ(compiled.exitCode, 0) << compiled.stderr;
        built[i] = ReadBackResources(folder.Path(), tree + "/app.exe");
    }
    EXPECT_EQ(built[0].size(), 6u);  // two icon images and their group, strings, version, dialog
    EXPECT_EQ(built[0], built[1]);
}

}  // namespace
}  // namespace brcc::test
