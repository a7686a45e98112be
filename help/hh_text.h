// The help units' small text rules: trailing characters, the debug switch, and the lines of the diagnostic log.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace hh_funcs {

// Tells whether a byte opens a double-byte character in the system's ANSI code page.
using LeadBytePredicate = bool (*)(unsigned char);

// Removes every trailing occurrence of `c`. The last character is taken whole: a trailing
// double-byte character never equals `c`, even when its second byte does.
void StripTrailingChar(std::string& text, char c, LeadBytePredicate isLeadByte = nullptr);

// Empty for a count of 0 or less.
std::string RepeatChar(char c, int count);

std::string BoolToYesNo(bool value);

// Whether one of the parameters (the program's name excluded) is "/debug" or "-debug" as a
// whole, letters A to Z in any case.
bool HasDebugSwitch(std::span<const std::string> parameters);

// The parameters in order, " | " between two of them.
std::string JoinParameters(std::span<const std::string> parameters);

// "%s" and "%d" each take the next argument, "%%" is one "%"; anything else is written as it
// stands. An argument is never read as a format, whatever it holds.
std::string FormatLogText(std::string_view format, std::span<const std::string> arguments);

// A line of the log without its line break. "-" and "=" become rules of 79 characters; a text
// that starts with "!", "-" or "=" loses that character and has no time; any other text follows
// the time of day and three blanks. `longTimeNow` is only asked when the line needs it.
std::string LogLine(std::string text, const std::function<std::string()>& longTimeNow);

}  // namespace hh_funcs
