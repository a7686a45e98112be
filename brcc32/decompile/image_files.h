// The files a script names for icons, cursors, bitmaps and fonts, rebuilt from what the compiler took from them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "brcc32/output/res_file.h"

namespace brcc {

// The .ico or .cur file of a group and its images, in the group's order, when the compiler, numbering the images
// from `firstId`, gives back the same group and images from it; they must share one language and their flags.
std::optional<std::vector<std::uint8_t>> IconFileOf(const ResEntry& group, std::span<const ResEntry* const> images,
                                                    std::uint32_t firstId);

// The ids of the images a group lists, in its order; empty optional when it is no group.
std::optional<std::vector<std::uint16_t>> GroupImageIds(const ResEntry& group);

// The .bmp file: the 14-byte file header before the stored bitmap, when the compiler accepts it back.
std::optional<std::vector<std::uint8_t>> BitmapFileOf(const ResEntry& bitmap);

// Adds the font's entry to the FONTDIR data the compiler writes, as it does in the script's order; false when it is
// no font the compiler reads.
bool AddToFontDirectory(std::vector<std::uint8_t>& directory, const ResEntry& font);

// The flags the compiler gives a group whose images have `imageFlags`.
std::uint16_t GroupFlagsFor(std::uint16_t imageFlags);

}  // namespace brcc
