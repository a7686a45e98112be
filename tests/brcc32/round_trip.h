// The decompiler's promise, checked on any .res our compiler wrote: written back as a script and compiled again, it
// gives the same bytes.
#pragma once

#include <string>

#include "test_folder.h"

namespace brcc::test {

// Decompiles `resName` in `folder` to back.rc and compiles that to back.res; a difference names the resource and
// its first differing byte. Returns the script's text, for checks of its form. `shown` is what a failure shows.
std::string ExpectRoundTrip(const TestFolder& folder, const std::string& resName, const std::string& shown);

}  // namespace brcc::test
