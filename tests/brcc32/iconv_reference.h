// glibc's iconv, the reference the code page tests read bytes with.
#pragma once

#include <optional>
#include <string>

namespace brcc::test {

// The one UTF-16 unit iconv reads `bytes` as in `page`, or nothing when it refuses them or makes more than one unit.
// A page iconv does not know is a test failure.
std::optional<char16_t> IconvUnit(const char* page, const std::string& bytes);

// `bytes` of a code page as UTF-8; bytes iconv refuses are a test failure.
std::string IconvToUtf8(const char* page, const std::string& bytes);

}  // namespace brcc::test
