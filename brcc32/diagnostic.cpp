// The one place diagnostics become text.
#include "brcc32/diagnostic.h"

namespace brcc {

Diagnostic ErrorDiagnostic(const ScriptError& error) {
    return {Severity::kError, error.File(), error.Line(), error.what()};
}

std::string Render(const Diagnostic& diagnostic, const std::string& script) {
    std::string text = diagnostic.file.empty() ? script : diagnostic.file;
    if (diagnostic.line > 0) {
        text += "(" + std::to_string(diagnostic.line) + ")";
    }
    text += diagnostic.severity == Severity::kError ? ": error: " : ": warning: ";
    text += diagnostic.text;
    text += '\n';
    return text;
}

}  // namespace brcc
