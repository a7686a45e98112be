// The C preprocessor that runs before a script is parsed: includes, macros, conditionals, code pages.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "brcc32/diagnostic.h"
#include "brcc32/preprocessor/target_macros.h"
#include "brcc32/text/code_page.h"

namespace brcc {

struct PreprocessOptions {
    // Searched after the including file's folder, in this order, before the built-in Windows headers.
    std::vector<std::filesystem::path> includeFolders;
    // The target's system headers, searched after includeFolders; unlike those, never for the files a script names.
    std::vector<std::filesystem::path> systemFolders;
    // NAME or NAME=VALUE, then names to undefine, applied in that order after RC_INVOKED is defined.
    std::vector<std::string> defines;
    std::vector<std::string> undefines;
    // The script's code page until a #pragma code_page changes it, and what code_page(DEFAULT) returns to.
    std::uint32_t codePage = kCodePageWestern;
    // Whether codePage was given on the command line, which the messages about the page in force then name.
    bool codePageGiven = false;
    // Picks the predefined macros: _WIN64 and the machine's for a 64-bit one.
    Machine machine = Machine::kX86;
};

// Where the code page in force from an output line on was set, for the messages that name it: empty where it is the
// command line's.
struct CodePageOrigin {
    int outputLine;
    LocalText where;
};

// The text the resource parser reads, and for each of its lines the file and line it came from.
struct PreprocessedScript {
    std::string text;
    std::vector<std::string> files;                    // as messages name them; the script first
    std::vector<std::filesystem::path> includedPaths;  // each header read, where it was found, once each
    CodePageChanges codePages;
    std::vector<CodePageOrigin> codePageOrigins;
    std::vector<Diagnostic> warnings;  // placed in their files

    struct Segment {
        int outputLine;
        int file;
        int line;
    };
    std::vector<Segment> segments;  // by output line

    struct Place {
        const std::string* file;
        int line;
    };
    Place Locate(int outputLine) const;
};

// Reads a file the way includes are read; tests and the fuzz target give their own.
using FileReader = std::function<std::optional<std::string>(const std::filesystem::path&)>;

class Preprocessor {
public:
    explicit Preprocessor(PreprocessOptions options, FileReader reader = {});
    ~Preprocessor();

    // `text` is the script's bytes; `path` where its includes are taken from; `name` what messages call it.
    // Throws ScriptError with the file and line of the fault. The text is taken, and becomes the result's where
    // it can: a long script is held once, not twice.
    PreprocessedScript Run(std::string text, const std::filesystem::path& path, const std::string& name);

private:
    class Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace brcc
