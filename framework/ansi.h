// The one place where text crosses between the system's ANSI code page and the wide strings of the windows.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace framework {

std::wstring AnsiToWide(std::string_view ansi);
std::wstring Utf8ToWide(std::string_view utf8);
// Every character has its bytes in UTF-8; a lone surrogate becomes U+FFFD.
std::string WideToUtf8(std::wstring_view wide);

// What a console program wrote: UTF-8 when the bytes are valid UTF-8, else ANSI.
std::wstring OutputTextToWide(std::string_view bytes);

// Exact or not at all, for what reaches a file or names one: a character the code page has
// no byte for, even once the text is composed (normalisation form C), raises an Error that
// names it and its line, rather than reaching a file as "?" or a look-alike.
std::string WideToAnsi(std::wstring_view wide);

// For text that is only shown or logged, where a stand-in does no harm: a character the code
// page has no byte for becomes the system's look-alike or "?". Never raises an Error.
std::string WideToAnsiLenient(std::wstring_view wide);

// The same conversion for a caller with another way when there is none: nothing where
// WideToAnsi would raise.
std::optional<std::string> AnsiForm(std::wstring_view wide);

}  // namespace framework
