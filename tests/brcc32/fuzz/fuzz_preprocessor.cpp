// Fuzz target: arbitrary script text through the preprocessor, then its output through the statement parser.
// Includes resolve in memory: "a.h" is a small header, anything else is missing or built in.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "brcc32/preprocessor/preprocessor.h"
#include "brcc32/script/parser.h"
#include "brcc32/script_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const brcc::FileReader reader = [](const std::filesystem::path& path) -> std::optional<std::string> {
        if (path.filename() == "a.h") {
            return std::string("#pragma once\n#define A(x) x + 1\n#if defined(B)\nint f(void);\n#endif\n");
        }
        return std::nullopt;
    };
    try {
        brcc::Preprocessor preprocessor(brcc::PreprocessOptions{{}, {"B=2"}, {}}, reader);
        const brcc::PreprocessedScript script = preprocessor.Run(std::string(text), "fuzz.rc", "fuzz.rc");
        brcc::ScriptParser parser(script.text, script.codePages);
        while (parser.Next()) {
        }
    } catch (const brcc::ScriptError& error) {
        if (error.Line() < 1) {
            __builtin_trap();  // every refusal of a script names a line
        }
    }
    return 0;
}
