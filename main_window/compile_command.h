// File names and the command line that Compile hands to the resource compiler, and what it tells of the result.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace talvorine {

// The part of a full path after its last backslash or colon.
std::wstring BareName(std::wstring_view path);

// "brcc32 " and the bare name; a name that holds a blank is quoted, or it would reach
// the compiler as several arguments, and one that starts like an option ("-", "/") is
// given as ".\name", or the compiler would take it for one.
std::wstring CompileCommandLine(std::wstring_view bareName);

// The status of a compile that did not succeed: its exit code, in hexadecimal when it is
// a crash's status (0xC0000005), or that the result is unknown when the code could not be read.
std::wstring CompileFailureStatus(std::optional<std::uint32_t> exitCode);

// What the error box shows of the compiler's output: its first non-blank lines, at most
// kReportLines, then a line "…" when more follow; empty when it wrote nothing.
inline constexpr size_t kReportLines = 10;
std::wstring CompilerReport(std::wstring_view output);

// True when a line of the output is a warning: "file(12): warning: ..." as brcc32 writes it
// and IDEs read it, "Warning file.rc 12: ..." as older compilers wrote it.
bool ReportsWarning(std::wstring_view output);

}  // namespace talvorine
