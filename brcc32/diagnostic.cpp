// The one place diagnostics become text.
#include "brcc32/diagnostic.h"

#include "brcc32/messages.h"

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
    // The keywords stay as build tools and IDEs parse them; the words after them are the user's language.
    text += TranslateMessage(diagnostic.text, CurrentUiLanguage());
    text += '\n';
    return text;
}

}  // namespace brcc
