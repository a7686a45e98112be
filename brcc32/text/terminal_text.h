// Text for the terminal: the compiler's UTF-8 messages in the character set the terminal or the log reads.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace brcc {

// The text with every byte that is no part of valid UTF-8 read as Windows-1252: a file name that a script in that
// page wrote, inside a message that is otherwise UTF-8.
std::string ReadableUtf8(std::string_view text);

// The Windows code page of a character set as nl_langinfo(CODESET) names it (UTF-8, ISO-8859-15, CP1252, KOI8-R...);
// 0 for one this compiler has no table of.
std::uint32_t CodePageOfCharset(std::string_view name);

// UTF-8 in the code page, '?' for a character the page lacks; UTF-8 itself, or a page without a table, keeps the
// bytes as they are.
std::string Utf8ToCodePage(std::string_view utf8, std::uint32_t codePage);

// Writes a UTF-8 text where `stream` leads: a Windows console gets its characters whole, a file or pipe on Windows the
// ANSI page, a terminal elsewhere the character set of the user's locale.
void WriteTerminalText(std::FILE* stream, std::string_view utf8);

}  // namespace brcc
