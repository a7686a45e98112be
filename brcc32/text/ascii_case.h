// Case folding for option names, machine names and file extensions, where a name is matched in any case.
#pragma once

#include <string>
#include <string_view>

namespace brcc {

std::string LowerAscii(std::string_view text);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);

}  // namespace brcc
