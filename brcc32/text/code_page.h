// The code pages a script's narrow text can be in, and its conversion to the UTF-16 that resources store.
#pragma once

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

bool IsSupportedCodePage(std::uint32_t codePage);
// Whether the bytes are UTF-8 that converts to UTF-16 whole: no overlong forms, no surrogates, nothing past U+10FFFF.
bool IsValidUtf8(std::string_view text);

// Bytes of the given code page as UTF-16; a byte sequence that is no UTF-8 becomes U+FFFD, as Windows does.
std::u16string ToUtf16(std::string_view text, std::uint32_t codePage);
void AppendUtf8(std::string& out, char32_t code);
// Windows-1252 bytes as UTF-8, as Windows editors save file names that a script then writes.
std::string Windows1252ToUtf8(std::string_view text);

// A UTF-16 file (with its byte-order mark) as UTF-8, or nothing when the bytes are not a UTF-16 text.
std::optional<std::string> Utf16FileToUtf8(std::string_view bytes);

}  // namespace brcc
