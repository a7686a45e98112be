// How the decompiler writes the pieces of a script: quoted text, names, numbers, memory flags and data lines.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "brcc32/output/res_file.h"

namespace brcc {

// Text as the script quotes it: "..." with "" for a quote and \x escapes for control characters, or L"..." where a
// lone surrogate needs a 16-bit escape. Sets `nonAscii` when the text holds characters the script writes in UTF-8.
std::string QuoteText(std::u16string_view text, bool& nonAscii);

// A resource name or a type of the script's own: a number, or the identifier the parser upper-cases back to it.
std::string NameText(const ResName& name);

// Signed 16-bit places (positions, sizes) as the script writes them.
std::string Signed16(std::uint16_t value);
std::string Hex(std::uint32_t value);

// The words that take a statement's default memory flags to `flags`, each after a space; nothing when they are the
// default. Empty optional when no sequence of them reaches `flags`.
std::optional<std::string> MemoryFlagWords(std::uint16_t defaults, std::uint16_t flags);

// Bytes as Borland's quoted hex lines, each indented by `indent` and ended by a line break.
void AppendHexLines(std::string& out, std::span<const std::uint8_t> bytes, std::string_view indent);

// LANGUAGE primary, sub.
std::string LanguageLine(std::uint16_t language);

}  // namespace brcc
