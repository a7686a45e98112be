// The macros a script sees before its first line, by target machine, as the C preprocessors of Windows' and GNU's
// resource compilers define them for that target.
#pragma once

#include <string_view>
#include <vector>

#include "brcc32/machine.h"

namespace brcc {

// NAME or NAME=VALUE, as on a command line. _WIN32 always; a 64-bit target adds _WIN64 and its machine's macros.
std::vector<std::string_view> PredefinedMacros(Machine machine);

}  // namespace brcc
