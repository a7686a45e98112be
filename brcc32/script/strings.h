// Quoted text of a script, its escapes applied: "" for a quote, \n \t \r \a \\ \0, \x and octal codes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "brcc32/text/code_page.h"

namespace brcc {

// How the ASCII letters a-z typed in quoted text are read: as typed, or upper-cased as a resource's name or type is.
// A letter written as an escape (\x66) is kept either way.
enum class Letters { kAsTyped, kUpperCased };

// The bytes of "text", in the script's code page. `raw` is the text between the quotes.
std::string DecodeNarrowString(std::string_view raw, std::uint32_t codePage = kCodePageWestern,
                               Letters letters = Letters::kAsTyped);
// The UTF-16 of L"text"; characters other than escapes are read in `codePage`.
std::u16string DecodeWideString(std::string_view raw, std::uint32_t codePage, Letters letters = Letters::kAsTyped);
// The value of a hex digit, or -1; for \x escapes and Borland's hex data lines alike.
int HexDigit(char c);

}  // namespace brcc
