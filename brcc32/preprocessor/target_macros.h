// The macros a C compiler for the target machine predefines, which real SDK and MinGW-w64 headers test.
#pragma once

#include <string>
#include <vector>

namespace brcc {

enum class TargetMachine { kX86, kX64, kArm64 };

// NAME=VALUE definitions, in the form the command line's -D takes.
std::vector<std::string> TargetMacros(TargetMachine machine);

}  // namespace brcc
