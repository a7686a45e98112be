// The one place diagnostics become text.
#include "brcc32/diagnostic.h"

namespace brcc {

Diagnostic ErrorDiagnostic(const ScriptError& error) {
    return {Severity::kError, error.File(), error.Line(), error.Text()};
}

std::string Render(const Diagnostic& diagnostic, const std::string& script, UiLanguage language) {
    std::string text = diagnostic.file.empty() ? script : diagnostic.file;
    if (diagnostic.line > 0) {
        text += "(" + std::to_string(diagnostic.line) + ")";
    }
    // The keywords stay as build tools and IDEs parse them; the words after them are the user's language.
    text += diagnostic.severity == Severity::kError ? ": error: " : ": warning: ";
    text += diagnostic.text.In(language);
    text += '\n';
    return text;
}

std::string Render(const Diagnostic& diagnostic, const std::string& script) {
    return Render(diagnostic, script, CurrentUiLanguage());
}

}  // namespace brcc
