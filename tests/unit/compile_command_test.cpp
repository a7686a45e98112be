// Bare names, the compiler's command line and what the window tells of its result.
#include "main_window/compile_command.h"

#include <gtest/gtest.h>

using talvorine::BareName;
using talvorine::CompileCommandLine;
using talvorine::CompileFailureStatus;
using talvorine::CompilerReport;

TEST(CompileCommand, BareNameIsWhatFollowsTheLastBackslashOrColon) {
    EXPECT_EQ(BareName(L"C:\\projets\\mon appli\\app.rc"), L"app.rc");
    EXPECT_EQ(BareName(L"C:app.rc"), L"app.rc");
    EXPECT_EQ(BareName(L"\\\\serveur\\part\\x.rc"), L"x.rc");
    EXPECT_EQ(BareName(L"app.rc"), L"app.rc");
    EXPECT_EQ(BareName(L"C:\\dossier\\"), L"");
    EXPECT_EQ(BareName(L"C:/a/b.rc"), L"/a/b.rc");  // only backslash and colon separate
}

TEST(CompileCommand, NameIsQuotedOnlyWhenItHoldsABlank) {
    EXPECT_EQ(CompileCommandLine(L"app.rc"), L"brcc32 app.rc");
    EXPECT_EQ(CompileCommandLine(L"mon appli.rc"), L"brcc32 \"mon appli.rc\"");
    EXPECT_EQ(CompileCommandLine(L"été-1.rc"), L"brcc32 été-1.rc");
}

TEST(CompileCommand, ANameThatLooksLikeAnOptionIsGivenWithItsFolder) {
    EXPECT_EQ(CompileCommandLine(L"-fo.rc"), L"brcc32 .\\-fo.rc");
    EXPECT_EQ(CompileCommandLine(L"/x.rc"), L"brcc32 .\\/x.rc");
    EXPECT_EQ(CompileCommandLine(L"-mon appli.rc"), L"brcc32 \".\\-mon appli.rc\"");
    EXPECT_EQ(CompileCommandLine(L"a-b.rc"), L"brcc32 a-b.rc");
}

TEST(CompileCommand, FailureStatusNamesTheCodeOrSaysItIsUnknown) {
    EXPECT_EQ(CompileFailureStatus(1u), L"Échec de la compilation (code 1) !");
    EXPECT_EQ(CompileFailureStatus(0x7FFFFFFFu), L"Échec de la compilation (code 2147483647) !");
    EXPECT_EQ(CompileFailureStatus(0xC0000005u), L"Échec de la compilation (code 0xC0000005) !");
    EXPECT_EQ(CompileFailureStatus(0x80000003u), L"Échec de la compilation (code 0x80000003) !");
    EXPECT_EQ(CompileFailureStatus(std::nullopt), L"Résultat de la compilation inconnu !");
}

TEST(CompileCommand, ReportKeepsTheFirstNonBlankLines) {
    EXPECT_EQ(CompilerReport(L""), L"");
    EXPECT_EQ(CompilerReport(L"\r\n  \r\n\t\n"), L"");
    EXPECT_EQ(CompilerReport(L"a.rc(2): error: x  \r\n\r\nb.h(7): error: y"), L"a.rc(2): error: x\nb.h(7): error: y");
    std::wstring eleven;
    std::wstring ten;
    for (int i = 1; i <= 11; ++i) {
        eleven += L"l" + std::to_wstring(i) + L"\n";
        if (i <= 10) {
            ten += (i > 1 ? L"\nl" : L"l") + std::to_wstring(i);
        }
    }
    EXPECT_EQ(CompilerReport(eleven), ten + L"\n…");
    EXPECT_EQ(CompilerReport(eleven.substr(0, eleven.find(L"l11"))), ten);
}

TEST(CompileCommand, AWarningIsTheWordInAnyLetterCase) {
    const struct {
        const wchar_t* output;
        bool warns;
    } cases[] = {
        {L"", false},
        {L"a.rc(3): warning: ce texte est de l'UTF-8 valide\r\n", true},
        {L"a.rc:3: warning: x", true},
        {L"a.rc(3): warning RC4005: x", true},
        {L"Borland Resource Compiler\r\nWarning a.rc 3: x", true},
        {L"a.rc(3): error: x", false},
        {L"1 warnings", false},
        {L"nowarning.rc built", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(talvorine::ReportsWarning(c.output), c.warns) << testing::PrintToString(std::wstring(c.output));
    }
}
