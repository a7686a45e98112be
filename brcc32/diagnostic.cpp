// The one place diagnostics become text.
#include "brcc32/diagnostic.h"

namespace brcc {

Diagnostic ErrorDiagnostic(const ScriptError& error) {
    return {Severity::kError, error.File(), error.Line(), error.Text()};
}

std::string Render(const Diagnostic& diagnostic, const std::string& script, UiLanguage language, MessageShape shape) {
    const bool gnu = shape == MessageShape::kGnu;
    std::string text = diagnostic.file.empty() ? script : diagnostic.file;
    if (diagnostic.line > 0) {
        text += gnu ? ":" + std::to_string(diagnostic.line) : "(" + std::to_string(diagnostic.line) + ")";
    }
    // The keywords stay as build tools and IDEs parse them; the words after them are the user's language.
    text += diagnostic.severity == Severity::kError ? ": error" : ": warning";
    const std::string& code = diagnostic.text.code;
    if (!gnu && !code.empty()) {
        text += " " + code;
    }
    text += ": ";
    text += diagnostic.text.In(language);
    if (gnu && !code.empty()) {
        text += " [" + code + "]";
    }
    text += '\n';
    return text;
}

std::string Render(const Diagnostic& diagnostic, const std::string& script, MessageShape shape) {
    return Render(diagnostic, script, CurrentUiLanguage(), shape);
}

}  // namespace brcc
