// The main window end to end: the paths of the programs under test, from the command line.
#include <string>

#include "tests/support/test_main.h"

namespace talvorine::e2e {

// Paths of the programs under test, from the command line.
std::wstring g_talvorineExe;
std::wstring g_fakeBrcc32Exe;
std::wstring g_realBrcc32Exe;

}  // namespace talvorine::e2e

int main(int argc, char** argv) {
    using namespace talvorine::e2e;
    return RunTestsWithPaths(argc, argv, {"Talvorine.exe", "fake_brcc32.exe", "brcc32.exe"}, [](const auto& paths) {
        g_talvorineExe = paths[0];
        g_fakeBrcc32Exe = paths[1];
        g_realBrcc32Exe = paths[2];
    });
}
