// Where a MinGW-w64 cross toolchain keeps a target's system headers, which GNU's dialect searches as its gcc would.
#pragma once

#include <filesystem>
#include <vector>

#include "brcc32/machine.h"

namespace brcc {

// The target's gcc's own folders (the newest version's), then the C library's and Windows' headers, as far as they
// are on this machine; none on Windows, where no cross toolchain keeps them in known places.
std::vector<std::filesystem::path> SystemIncludeFolders(Machine machine);

}  // namespace brcc
