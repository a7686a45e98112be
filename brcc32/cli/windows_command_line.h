// Windows' rules for splitting arguments, for the program's own command line and for response files; where the C
// runtime's reading of a command line would lose what Windows' resource compiler keeps, the program's own keeps it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brcc {

// Where a text to split comes from. Both are split as the C runtime splits a command line (blanks outside quotes;
// backslashes count only before a quote; "" inside quotes is a quote), but a quoted part that starts the value of a
// define (-d, -D, /d or /D) keeps its quotes, so -DNAME="x" defines NAME as the string "x", not as the name x, in
// both places and with either prefix. They differ in what separates arguments:
// - kCommandLine: only spaces and tabs;
// - kResponseFile: any white space, line breaks included.
enum class WindowsArgumentSource { kCommandLine, kResponseFile };

// Splits `text`, which holds arguments only (no program name).
std::vector<std::string> SplitWindowsArguments(std::string_view text, WindowsArgumentSource source);

// The arguments after the program's name in a command line as Windows gives it, split as kCommandLine says.
std::vector<std::string> SplitCommandLine(std::string_view line);

}  // namespace brcc
