// A meson project built with our compiler as its windres: meson must recognise it, and its dependency files must make
// the second build a no-op and a changed header or icon a rebuild.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "test_folder.h"
#include "test_images.h"

namespace brcc::test {
namespace {

std::string Output(const TestFolder& folder, const std::string& command) {
    const RunResult run = RunIn(folder.Path(), "{ { " + command + "; } > out.txt; }");
    EXPECT_EQ(run.exitCode, 0) << command << "\n" << run.stderr;
    const std::vector<std::uint8_t> bytes = folder.Read("out.txt");
    return std::string(bytes.begin(), bytes.end());
}

// What meson looks for in a resource compiler's banner, in both languages.
TEST(MesonProject, BannersNameTheCompilerEachDialectIsCompatibleWith) {
    TestFolder folder;
    const struct {
        const char* program;
        const char* argument;
        const char* pattern;
    } kCases[] = {
        {"rc", "/?", "^.*Microsoft.*Resource Compiler.*$"},
        {"x86_64-w64-mingw32-windres", "--version", "^.*GNU windres.*$"},
        {"windres", "--version", "^.*GNU windres.*$"},
        {"brcc32", "-h", "^.*Borland Resource Compiler.*$"},
    };
    for (const auto& c : kCases) {
        std::filesystem::create_symlink(BRCC32_PATH, folder.Path() / c.program);
        for (const char* language : {"C", "fr_FR.UTF-8"}) {
            const std::string banner =
                Output(folder, std::string("LC_ALL=") + language + " ./" + c.program + " '" + c.argument + "'");
            EXPECT_TRUE(std::regex_search(banner, std::regex(c.pattern, std::regex::multiline))) << banner;
        }
    }
}

TEST(MesonProject, BuildsAndRebuildsWhatChanged) {
    TestFolder folder;
    folder.Write("meson.build", std::string("project('demo', 'c')\n"
                                            "res = import('windows').compile_resources('app.rc')\n"
                                            "executable('app', 'main.c', res)\n"));
    folder.Write("main.c", std::string("int main(void) { return 0; }\n"));
    folder.Write("app.h", std::string("#define APP_ICON 1\n"));
    folder.Write("app.ico", MakeIconFile({{MakeDibImage(16, 16, 8), 16, 16, 8}}));
    folder.Write("app.rc", std::string("#include <windows.h>\n#include \"app.h\"\nAPP_ICON ICON \"app.ico\"\n"));
    std::filesystem::create_directories(folder.Path() / "bin");
    std::filesystem::create_symlink(BRCC32_PATH, folder.Path() / "bin" / "x86_64-w64-mingw32-windres");
    folder.Write("cross.ini", "[binaries]\nc = 'x86_64-w64-mingw32-gcc'\nwindres = '" +
                                  (folder.Path() / "bin" / "x86_64-w64-mingw32-windres").string() +
                                  "'\n[host_machine]\nsystem = 'windows'\ncpu_family = 'x86_64'\ncpu = 'x86_64'\n"
                                  "endian = 'little'\n");
    EXPECT_NE(Output(folder, "LC_ALL=C meson setup --cross-file cross.ini build").find("compatible with GNU windres"),
              std::string::npos);
    EXPECT_NE(Output(folder, "ninja -C build").find("Linking target app.exe"), std::string::npos);
    EXPECT_NE(Output(folder, "ninja -C build").find("no work to do"), std::string::npos);
    for (const char* changed : {"app.h", "app.ico"}) {
        EXPECT_NE(Output(folder, std::string("sleep 1 && touch ") + changed + " && ninja -C build").find("app.rc"),
                  std::string::npos)
            << changed;
    }
}

}  // namespace
}  // namespace brcc::test
