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
        std::string french;  // only the words after the keyword change
    } kCases[] = {
        {{Severity::kError, "inc/a.h", 3, {"unknown preprocessor directive '#bogus'", "directive inconnue"}},
         "inc/a.h(3): error: unknown preprocessor directive '#bogus'\n",
         "inc/a.h(3): error: directive inconnue\n"},
        {{Severity::kWarning, "inc/a.h", 3, {"a note", "une note"}},
         "inc/a.h(3): warning: a note\n",
         "inc/a.h(3): warning: une note\n"},
        {{Severity::kError, "", 0, LocalText::Verbatim("cannot read the script")},
         "main.rc: error: cannot read the script\n",
         "main.rc: error: cannot read the script\n"},
        {{Severity::kWarning, "", 0, {"a note", "une note"}},
         "main.rc: warning: a note\n",
         "main.rc: warning: une note\n"},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(Render(c.diagnostic, "main.rc"), c.text);
        EXPECT_EQ(Render(c.diagnostic, "main.rc", UiLanguage::kEnglish), c.text);
        EXPECT_EQ(Render(c.diagnostic, "main.rc", UiLanguage::kFrench), c.french);
    }
}

TEST(Diagnostic, AnErrorKeepsTheFileAndLineOfItsScriptError) {
    const Diagnostic diagnostic = ErrorDiagnostic(ScriptError("b.rc", 7, {"no", "non"}));
    EXPECT_EQ(Render(diagnostic, "main.rc"), "b.rc(7): error: no\n");
    EXPECT_EQ(Render(diagnostic, "main.rc", UiLanguage::kFrench), "b.rc(7): error: non\n");
}

}  // namespace
}  // namespace brcc
