// Quoted text of a script, its escapes applied: "" for a quote, \n \t \r \a \\ \0, \x and octal codes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace brcc {

// The bytes of "text", in the script's code page. `raw` is the text between the quotes.
std::string DecodeNarrowString(std::string_view raw);
// The UTF-16 of L"text"; characters other than escapes are read in `codePage`.
std::u16string DecodeWideString(std::string_view raw, std::uint32_t codePage);
// The value of a hex digit, or -1; for \x escapes and Borland's hex data lines alike.
int HexDigit(char c);

}  // namespace brcc
