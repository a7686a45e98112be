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

// The shape of a message line: MSBuild's and Visual Studio's "FILE(LINE): error CODE: TEXT", which Borland's and
// Microsoft's tools print, or GCC's "FILE:LINE: error: TEXT [CODE]", which GNU's tools print and their users' editors
// read.
enum class MessageShape { kMsBuild, kGnu };

// One message line with its line break; `script` names the file where the diagnostic names none. TEXT is in
// `language`, the keywords never are.
std::string Render(const Diagnostic& diagnostic, const std::string& script, UiLanguage language,
                   MessageShape shape = MessageShape::kMsBuild);
std::string Render(const Diagnostic& diagnostic, const std::string& script,
                   MessageShape shape = MessageShape::kMsBuild);

}  // namespace brcc
