// Windows' rules for splitting arguments, for the program's own command line and for response files; where the C
// runtime's reading of a command line would lose what Windows' resource compiler keeps, the program's own keeps it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brcc {

// Where a text to split comes from. Both are split as the C runtime splits a command line (blanks outside quotes;
// backslashes count only before a quote; "" inside quotes is a quote), with these differences:
// - kCommandLine: only spaces and tabs separate, and a quoted part that starts the value of a -d or -D define keeps
//   its quotes, so -DNAME="x" defines NAME as the string "x", not as the name x;
// - kResponseFile: any white space separates, line breaks included, and every quote is taken away.
enum class WindowsArgumentSource { kCommandLine, kResponseFile };

// Splits `text`, which holds arguments only (no program name).
std::vector<std::string> SplitWindowsArguments(std::string_view text, WindowsArgumentSource source);

// The arguments after the program's name in a command line as Windows gives it, split as kCommandLine says.
std::vector<std::string> SplitCommandLine(std::string_view line);

}  // namespace brcc
