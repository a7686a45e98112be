// The program's own reading of a Windows command line, where the C runtime's would lose what Windows' resource
// compiler keeps.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brcc {

// The arguments after the program's name, split as the C runtime splits them (spaces outside quotes; backslashes
// count only before a quote; "" inside quotes is a quote), with one difference: a quoted part that starts the value
// of a -d or -D define keeps its quotes, so -DNAME="x" defines NAME as the string "x", not as the name x.
std::vector<std::string> SplitCommandLine(std::string_view line);

}  // namespace brcc
