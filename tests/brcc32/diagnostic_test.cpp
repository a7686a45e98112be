// Diagnostics rendered as the compiler prints them: file, line where there is one, severity, text.
#include "brcc32/diagnostic.h"

#include <gtest/gtest.h>

#include <string>

namespace brcc {
namespace {

TEST(Diagnostic, RendersEachSeverityWithItsPlace) {
    const struct {
        Diagnostic diagnostic;
        std::string text;
    } kCases[] = {
        {{Severity::kError, "inc/a.h", 3, "unknown preprocessor directive '#bogus'"},
         "inc/a.h(3): error: unknown preprocessor directive '#bogus'\n"},
        {{Severity::kWarning, "inc/a.h", 3, "a note"}, "inc/a.h(3): warning: a note\n"},
        {{Severity::kError, "", 0, "cannot read the script"}, "main.rc: error: cannot read the script\n"},
        {{Severity::kWarning, "", 0, "a note"}, "main.rc: warning: a note\n"},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(Render(c.diagnostic, "main.rc"), c.text);
    }
}

TEST(Diagnostic, AnErrorKeepsTheFileAndLineOfItsScriptError) {
    const Diagnostic diagnostic = ErrorDiagnostic(ScriptError("b.rc", 7, "no"));
    EXPECT_EQ(Render(diagnostic, "main.rc"), "b.rc(7): error: no\n");
}

}  // namespace
}  // namespace brcc
