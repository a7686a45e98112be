// brcc32 with a given number of reader threads, for the benchmark to weigh them against the default.
// Usage: with_readers COUNT -fo OUTPUT SCRIPT
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "brcc32/resource_compiler.h"

int main(int argc, char** argv) {
    if (argc != 5 || std::string(argv[2]) != "-fo") {
        std::fprintf(stderr, "usage: with_readers COUNT -fo OUTPUT SCRIPT\n");
        return 2;
    }
    try {
        brcc::CompileScriptFile(argv[4], argv[3], {}, argv[4], std::strtoul(argv[1], nullptr, 10));
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: error: %s\n", argv[4], error.what());
        return 1;
    }
}
