// Fuzz target: arbitrary bytes read as a .res, a COFF object and an executable; what one reader accepts must come
// back the same through a .res written from it, and the file read in pages, as the decompiler reads it, must give the
// same resources or the same refusal.
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

// The resources as read in pages, their data fetched where the reader located it; or the refusal's text.
std::string ReadInPages(std::span<const std::uint8_t> file, brcc::ResourceFileFormat format,
                        std::vector<brcc::ResEntry>& entries, std::vector<std::vector<std::uint8_t>>& data) {
    brcc::MemoryByteSource memory(file);
    brcc::PagedByteSource pages(memory);
    try {
        brcc::LocatedResources located = brcc::LocateResources(pages, format);
        for (std::size_t i = 0; i < located.entries.size(); ++i) {
            data.push_back(brcc::ReadVector(memory, located.data[i].offset, located.data[i].size));
        }
        for (std::size_t i = 0; i < located.entries.size(); ++i) {
            located.entries[i].data = data[i];
        }
        entries = std::move(located.entries);
        return {};
    } catch (const brcc::LocalizedError& error) {
        return error.what();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    for (const brcc::ResourceFileFormat format :
         {brcc::ResourceFileFormat::kRes, brcc::ResourceFileFormat::kCoff, brcc::ResourceFileFormat::kPe}) {
        std::vector<brcc::ResEntry> paged;
        std::vector<std::vector<std::uint8_t>> pagedData;
        const std::string pagedRefusal = ReadInPages(file, format, paged, pagedData);
        std::vector<brcc::ResEntry> entries;
        try {
            entries = brcc::ReadResources(file, format);
        } catch (const brcc::LocalizedError& error) {
            if (pagedRefusal != error.what()) {
                std::abort();
            }
            continue;
        }
        if (!pagedRefusal.empty() || paged.size() != entries.size() ||
            !std::equal(paged.begin(), paged.end(), entries.begin(), Same)) {
            std::abort();
        }
        try {
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
