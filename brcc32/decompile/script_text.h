// How the decompiler writes the pieces of a script: quoted text, names, numbers, memory flags and data lines.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "brcc32/output/res_file.h"
#include "brcc32/script/strings.h"

namespace brcc {

// Text as the script quotes it: "..." with "" for a quote and \x escapes for control characters, or L"..." where a
// lone surrogate needs a 16-bit escape. Sets `nonAscii` when the text holds characters the script writes in UTF-8.
// For text whose letters the parser upper-cases (a name), a-z are written as escapes too, so that they stay.
std::string QuoteText(std::u16string_view text, bool& nonAscii, Letters letters = Letters::kAsTyped);

// A resource name or a type of the script's own: a number, an identifier where the parser reads one back as the same
// name, else quoted text (which sets `nonAscii` as QuoteText does).
std::string NameText(const ResName& name, bool& nonAscii);

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
