// The code pages a script's narrow text can be in, and its conversion to the UTF-16 that resources store.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace brcc {

inline constexpr std::uint32_t kCodePageUtf8 = 65001;
inline constexpr std::uint32_t kCodePageWestern = 1252;
inline constexpr std::uint32_t kCodePageCentralEuropean = 1250;

// Code pages by the line of the preprocessed text they apply from, in line order; none means Windows-1252.
using CodePageChanges = std::vector<std::pair<int, std::uint32_t>>;

struct CodePageTable;

// Whether a script may name the code page: UTF-8, or one the generated tables hold.
bool IsSupportedCodePage(std::uint32_t codePage);
// The table of a page other than UTF-8; null when there is none of that number.
const CodePageTable* FindCodePageTable(std::uint32_t codePage);
// Whether the page reads some bytes as the first of a pair whose second byte may be '\\' or a letter: text in it
// must be scanned a character at a time.
bool HasDoubleByteCharacters(std::uint32_t codePage);
// The bytes the character at text[i] takes in the page: 2 for a lead byte and its trail byte, else 1.
std::size_t CharacterSize(const CodePageTable* table, std::string_view text, std::size_t i);
// One code point from `text` at `i`, moving `i` past it; nothing for a malformed sequence, which is then one byte.
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& i);
// Whether the bytes are UTF-8 that converts to UTF-16 whole: no overlong forms, no surrogates, nothing past U+10FFFF.
bool IsValidUtf8(std::string_view text);

// Bytes of the given code page as UTF-16. A byte or pair the page does not define, or a byte sequence that is no
// UTF-8, becomes U+FFFD, as Windows does; a lead byte without its trail byte is read alone.
std::u16string ToUtf16(std::string_view text, std::uint32_t codePage);
void AppendUtf8(std::string& out, char32_t code);
// UTF-16 as UTF-8, for showing: a surrogate without its pair becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);
// Windows-1252 bytes as UTF-8, as Windows editors save file names that a script then writes.
std::string Windows1252ToUtf8(std::string_view text);

// A UTF-16 file (with its byte-order mark) as UTF-8, or nothing when the bytes are not a UTF-16 text.
std::optional<std::string> Utf16FileToUtf8(std::string_view bytes);

}  // namespace brcc
