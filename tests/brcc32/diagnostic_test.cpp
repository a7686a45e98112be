// Diagnostics rendered as the compiler prints them: file, line where there is one, severity, text.
#include "brcc32/diagnostic.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "brcc32/message_catalogue.h"

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

// The lines as VS Code's $msCompile and $gcc problem matchers read them: file, line, severity, code and text.
TEST(Diagnostic, EachShapeIsReadByTheMatcherOfItsToolchain) {
    const std::regex msCompile(
        R"(^(?:\s*\d+>)?(\S.*)\((\d+|\d+,\d+|\d+,\d+,\d+,\d+)\)\s*:\s+(error|warning|info)\s+(\w+\d+)\s*:\s*(.*)$)");
    const std::regex gcc(R"(^(.*?):(\d+):(\d*):?\s+(?:fatal\s+)?(warning|error):\s+(.*)$)");
    const struct {
        MessageShape shape;
        Diagnostic diagnostic;
        std::string text;
        std::vector<std::string> read;  // file, line, severity, code, text as the matcher takes them
    } kCases[] = {
        {MessageShape::kMsBuild,
         {Severity::kError, "inc\\a b.h", 3, Compose(msg::kIncludeNotFound, {"x.h"})},
         "inc\\a b.h(3): error BRC2021: cannot find the include file 'x.h'\n",
         {"inc\\a b.h", "3", "error", "BRC2021", "cannot find the include file 'x.h'"}},
        {MessageShape::kMsBuild,
         {Severity::kWarning, "", 12, Compose(msg::kUtf8WithoutCodePage)},
         "",
         {"main.rc", "12", "warning", "BRC4003", msg::kUtf8WithoutCodePage.english}},
        {MessageShape::kGnu,
         {Severity::kError, "inc/a.h", 3, Compose(msg::kIncludeNotFound, {"x.h"})},
         "inc/a.h:3: error: cannot find the include file 'x.h' [BRC2021]\n",
         {"inc/a.h", "3", "error", "", "cannot find the include file 'x.h' [BRC2021]"}},
        {MessageShape::kGnu,
         {Severity::kWarning, "", 12, Compose(msg::kUtf8WithoutCodePage)},
         "",
         {"main.rc", "12", "warning", "", std::string(msg::kUtf8WithoutCodePage.english) + " [BRC4003]"}},
    };
    for (const auto& c : kCases) {
        std::string line = Render(c.diagnostic, "main.rc", UiLanguage::kEnglish, c.shape);
        if (!c.text.empty()) {
            EXPECT_EQ(line, c.text);
        }
        line.pop_back();
        std::smatch read;
        if (c.shape == MessageShape::kMsBuild) {
            ASSERT_TRUE(std::regex_match(line, read, msCompile)) << line;
            EXPECT_EQ((std::vector<std::string>{read[1], read[2], read[3], read[4], read[5]}), c.read);
        } else {
            ASSERT_TRUE(std::regex_match(line, read, gcc)) << line;
            EXPECT_EQ((std::vector<std::string>{read[1], read[2], read[4], "", read[5]}), c.read);
        }
    }
}

TEST(Diagnostic, AnErrorKeepsTheFileAndLineOfItsScriptError) {
    const Diagnostic diagnostic = ErrorDiagnostic(ScriptError("b.rc", 7, {"no", "non"}));
    EXPECT_EQ(Render(diagnostic, "main.rc"), "b.rc(7): error: no\n");
    EXPECT_EQ(Render(diagnostic, "main.rc", UiLanguage::kFrench), "b.rc(7): error: non\n");
}

}  // namespace
}  // namespace brcc
