// The one place where text crosses between the system's ANSI code page and the wide strings of the windows.
#pragma once

#include <string>
#include <string_view>

namespace framework {

std::wstring AnsiToWide(std::string_view ansi);
std::string WideToAnsi(std::wstring_view wide);

}  // namespace framework
