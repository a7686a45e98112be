// Reads what the font directory needs from a Windows .fnt font: Windows finds a module's FONT resources only
// through the FONTDIR resource that lists them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace brcc {

// The fixed part of a directory entry: the font file's first bytes, dfVersion to dfFace and one DWORD after them.
inline constexpr std::size_t kFontDirEntryFixedSize = 113;

// The font's directory entry: its fixed part as in the file, then its device and face names, each ending in NUL.
// Throws FileFormatError when the file is no .fnt font or its names lie outside it.
std::vector<std::uint8_t> ReadFontDirEntry(std::span<const std::uint8_t> file);

}  // namespace brcc
