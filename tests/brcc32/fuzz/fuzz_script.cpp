// Fuzz target: arbitrary script text through the lexer, the parser and the encoders, statement by statement to the
// end or an error, with the warnings of what Windows' compiler takes.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "brcc32/encode/encode.h"
#include "brcc32/script/parser.h"
#include "brcc32/script_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    brcc::ScriptParser parser(text);
    brcc::DiagnosticSink diagnostics;
    parser.SetDiagnostics(&diagnostics);
    try {
        while (const std::optional<brcc::ResourceStatement> statement = parser.Next()) {
            brcc::EncodeBody(statement->body);
        }
    } catch (const brcc::ScriptError& error) {
        if (error.Line() < 1) {
            __builtin_trap();  // every refusal of a script names a line
        }
    }
    for (const brcc::Diagnostic& warning : diagnostics.Diagnostics()) {
        if (warning.line < 1 || warning.text.english.empty() || warning.text.french.empty()) {
            __builtin_trap();  // and so does every warning
        }
    }
    return 0;
}
