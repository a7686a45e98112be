// The one place where text crosses between the system's ANSI code page and the wide strings of the windows.
#pragma once

#include <string>
#include <string_view>

namespace framework {

std::wstring AnsiToWide(std::string_view ansi);

// Exact or not at all: a character the code page has no byte for raises an Error that
// names it and its line, rather than reaching a file as "?" or a look-alike.
std::string WideToAnsi(std::wstring_view wide);

}  // namespace framework
