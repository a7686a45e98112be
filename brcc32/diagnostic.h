// Diagnostics as data: what a stage reports, with its severity and its place, rendered to text in one place.
#pragma once

#include <string>
#include <vector>

#include "brcc32/messages.h"
#include "brcc32/script_error.h"

namespace brcc {

enum class Severity {
    kError,    // the compile stops, and fails
    kWarning,  // the compile goes on, and its exit code does not change
};

struct Diagnostic {
    Severity severity = Severity::kError;
    // The file as messages name it. Empty with line 0: the script the command line names; empty with a line: a
    // line of the preprocessed text, which the driver places in its file.
    std::string file;
    int line = 0;  // 0 where the diagnostic concerns a file as a whole
    LocalText text;
};

// Where the stages leave their warnings; errors stop the compile and travel as ScriptError.
class DiagnosticSink {
public:
    void Warn(std::string file, int line, LocalText text) {
        m_diagnostics.push_back({Severity::kWarning, std::move(file), line, std::move(text)});
    }
    void Add(Diagnostic diagnostic) { m_diagnostics.push_back(std::move(diagnostic)); }
    std::vector<Diagnostic>& Diagnostics() { return m_diagnostics; }
    const std::vector<Diagnostic>& Diagnostics() const { return m_diagnostics; }

private:
    std::vector<Diagnostic> m_diagnostics;
};

Diagnostic ErrorDiagnostic(const ScriptError& error);

// FILE(LINE): error: TEXT, or warning:, with its line break; `script` names the file where the diagnostic names none.
// TEXT is in `language`, the keywords never are.
std::string Render(const Diagnostic& diagnostic, const std::string& script, UiLanguage language);
std::string Render(const Diagnostic& diagnostic, const std::string& script);

}  // namespace brcc
