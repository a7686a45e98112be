// The macros a C compiler for the target machine predefines, which real SDK and MinGW-w64 headers test.
#pragma once

#include <string>
#include <vector>

#include "brcc32/machine.h"

namespace brcc {

// NAME=VALUE definitions, in the form the command line's -D takes.
std::vector<std::string> TargetMacros(Machine machine);

}  // namespace brcc
