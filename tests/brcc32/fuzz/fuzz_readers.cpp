// Fuzz target: arbitrary bytes read as a .res, a COFF object and an executable; what one reader accepts must come
// back the same through a .res written from it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <sstream>
#include <string>

#include "brcc32/input/resource_input.h"
#include "brcc32/output/res_file.h"
#include "brcc32/script_error.h"

namespace {

bool Same(const brcc::ResEntry& a, const brcc::ResEntry& b) {
    return a.type == b.type && a.name == b.name && a.language == b.language && a.memoryFlags == b.memoryFlags &&
           a.version == b.version && a.characteristics == b.characteristics && a.data.size() == b.data.size() &&
           std::equal(a.data.begin(), a.data.end(), b.data.begin());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    for (const brcc::ResourceFileFormat format :
         {brcc::ResourceFileFormat::kRes, brcc::ResourceFileFormat::kCoff, brcc::ResourceFileFormat::kPe}) {
        try {
            const std::vector<brcc::ResEntry> entries = brcc::ReadResources(file, format);
            std::stringbuf out;
            brcc::WriteResFile(entries, out);
            const std::string res = out.str();
            const std::vector<brcc::ResEntry> again =
                brcc::ReadResEntries(std::span(reinterpret_cast<const std::uint8_t*>(res.data()), res.size()));
            if (again.size() != entries.size() || !std::equal(again.begin(), again.end(), entries.begin(), Same)) {
                std::abort();
            }
        } catch (const brcc::LocalizedError&) {
        }
    }
    return 0;
}
