// Turns resources back into a script, with the files it names beside it, that the compiler builds into the same
// resources: text where the script language has a statement for the bytes, files for images and fonts, data blocks
// for the rest.
#pragma once

#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "brcc32/diagnostic.h"
#include "brcc32/input/resource_source.h"

namespace brcc {

struct DecompileSummary {
    std::size_t asText = 0;                    // statements of their kind
    std::size_t asFiles = 0;                   // icons, cursors, bitmaps, fonts, animations and large data
    std::size_t asData = 0;                    // data blocks
    std::size_t leftOut = 0;                   // names the script language cannot write
    std::vector<std::filesystem::path> files;  // beside the script, in the order written
};

// Where the decompiler puts what it writes: the script's text as it goes, and each file it names.
class DecompileTarget {
public:
    virtual ~DecompileTarget() = default;
    virtual void Text(std::string_view text) = 0;
    virtual void File(const std::string& name, std::span<const std::uint8_t> bytes) = 0;
};

// The script's first line: the code page pragma where its text is not all ASCII, a comment as long otherwise, so that
// it can be put in place once the text is known without holding the text.
inline constexpr std::string_view kUtf8Line = "#pragma code_page(65001)\n";
inline constexpr std::string_view kAsciiLine = "// its text is all ASCII\n";
static_assert(kUtf8Line.size() == kAsciiLine.size());

// Returns whether the text needs kUtf8Line in place of the kAsciiLine it starts with. `stem` starts the files' names.
// Warnings about what cannot be written go to `diagnostics`, under `shownName`.
bool DecompileEntries(ResourceSource& source, const std::string& stem, DecompileTarget& target,
                      DecompileSummary& summary, DiagnosticSink* diagnostics = nullptr,
                      const std::string& shownName = "");

// Writes the script at `script` and its files in its folder, each whole or not at all. Throws std::runtime_error
// with a message a user can act on.
DecompileSummary WriteDecompiledScript(ResourceSource& source, const std::filesystem::path& script,
                                       DiagnosticSink* diagnostics = nullptr, const std::string& shownName = "");

}  // namespace brcc
