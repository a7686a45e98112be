// brcc32 without its reader threads, for the benchmark to compare against on a machine with no free core.
// Usage: one_thread -fo OUTPUT SCRIPT
#include <cstdio>
#include <exception>
#include <string>

#include "brcc32/resource_compiler.h"

int main(int argc, char** argv) {
    if (argc != 4 || std::string(argv[1]) != "-fo") {
        std::fprintf(stderr, "usage: one_thread -fo OUTPUT SCRIPT\n");
        return 2;
    }
    try {
        brcc::CompileScriptFile(argv[3], argv[2], {}, argv[3], 0);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: error: %s\n", argv[3], error.what());
        return 1;
    }
}
