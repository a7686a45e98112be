// The main of a Windows test program that is given paths: GoogleTest's flags first, then the program's own
// arguments, each a Linux or a Windows path.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "tests/support/window_driver.h"

namespace talvorine::e2e {

// Hands the paths to `store` in Windows' form and runs the tests; 2, after a usage line that lists `names`, when
// there are not as many paths as names.
inline int RunTestsWithPaths(int argc, char** argv, std::initializer_list<const char*> names,
                             const std::function<void(const std::vector<std::wstring>&)>& store) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != static_cast<int>(names.size()) + 1) {
        std::string usage;
        for (const char* name : names) {
            usage += std::string(" <") + name + ">";
        }
        std::fprintf(stderr, "usage: %s%s (Linux or Windows paths)\n", argv[0], usage.c_str());
        return 2;
    }
    std::vector<std::wstring> paths;
    for (int i = 1; i < argc; ++i) {
        paths.push_back(LinuxPathToWindows(argv[i]));
    }
    store(paths);
    return RUN_ALL_TESTS();
}

}  // namespace talvorine::e2e
