// Fuzz target: arbitrary bytes read as an icon, a cursor, a bitmap and a font, then written as resources.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <sstream>

#include "brcc32/files/bitmap_file.h"
#include "brcc32/files/font_file.h"
#include "brcc32/files/icon_file.h"
#include "brcc32/output/res_writer.h"
#include "brcc32/script_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    for (const brcc::IconFileKind kind : {brcc::IconFileKind::kIcon, brcc::IconFileKind::kCursor}) {
        try {
            std::stringbuf out;
            brcc::ResWriter writer(out);
            for (const brcc::IconImage& image : brcc::ReadIconFile(file, kind)) {
                writer.WriteResource(brcc::ResourceId::Ordinal(3), brcc::ResourceId::Ordinal(1), 0, 0, image.data);
            }
        } catch (const brcc::FileFormatError&) {
        }
    }
    try {
        brcc::CheckBitmapFile(file.first(std::min(size, brcc::kBitmapProbeSize)), size);
    } catch (const brcc::FileFormatError&) {
    }
    try {
        brcc::ReadFontDirEntry(file);
    } catch (const brcc::FileFormatError&) {
    }
    return 0;
}
