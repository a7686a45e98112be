// The main window end to end: Compile with a stand-in brcc32 (one that fails, is slow or is missing) and with the
// real one.
#include "tests/e2e/main_window_fixture.h"

namespace talvorine::e2e {
namespace {

// --- Compile ---

TEST_F(MainWindowTest, CompileStartsBrcc32OnTheSavedFileInItsFolder) {
    Type(L"A RCDATA \"a.bin\"");
    const fs::path target = m_workFolder / L"test.rc";
    SaveAs(target);
    ASSERT_TRUE(CompileEnabled());

    Command(kCmdCompiler);
    ASSERT_TRUE(WaitForBrcc32Starts(1));
    const auto starts = Brcc32Starts();
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].commandLine, L"brcc32 test.rc");
    EXPECT_EQ(starts[0].shown, L"hidden");
    EXPECT_EQ(fs::path(starts[0].folder), m_workFolder);
    EXPECT_TRUE(WaitUntil([&] { return !CompileEnabled(); }));
    EXPECT_TRUE(WaitForText(m_label2, kSuccessStatus));
    EXPECT_TRUE(WaitForForegroundColour(m_label2, kGreen)) << Narrow(ColourName(ForegroundColour(m_label2)));
    EXPECT_TRUE(FocusInMemo());
}

TEST_F(MainWindowTest, CompileRunsInTheFolderOfTheLastFileChosen) {
    const fs::path first = m_workFolder / L"first.rc";
    OpenNewFile(first, "1");
    const fs::path otherFolder = m_root / L"second";
    fs::create_directories(otherFolder);
    SaveAndCompile(L"2", otherFolder / L"second.rc");
    ASSERT_TRUE(WaitForBrcc32Starts(1));
    EXPECT_EQ(Brcc32Starts()[0].commandLine, L"brcc32 second.rc");
    EXPECT_EQ(fs::path(Brcc32Starts()[0].folder), otherFolder);
}

TEST_F(MainWindowTest, ANameWithABlankIsQuoted) {
    SaveAndCompile(L"x", m_workFolder / L"mon script.rc");
    ASSERT_TRUE(WaitForBrcc32Starts(1));
    EXPECT_EQ(Brcc32Starts()[0].commandLine, L"brcc32 \"mon script.rc\"");
    EXPECT_TRUE(WaitForText(m_label2, kSuccessStatus));
}

class FailingBrcc32Test : public MainWindowTest {
protected:
    StartOptions Options() const override { return {.brcc32ExitCode = 3}; }
};

TEST_F(FailingBrcc32Test, AFailedCompileShowsItsCodeInRed) {
    SaveAndCompile(L"bad", m_workFolder / L"bad.rc");
    EXPECT_TRUE(WaitForText(m_label2, L"Échec de la compilation (code 3) !")) << Narrow(ReadText(m_label2));
    EXPECT_TRUE(WaitForForegroundColour(m_label2, kRed)) << Narrow(ColourName(ForegroundColour(m_label2)));
    EXPECT_FALSE(CompileEnabled());
    ExpectNoTopLevelBox();
}

class SlowBrcc32Test : public MainWindowTest {
protected:
    StartOptions Options() const override { return {.brcc32SleepMs = 4000}; }
};

TEST_F(SlowBrcc32Test, TheWindowAnswersWhileBrcc32Runs) {
    SaveAndCompile(L"slow", m_workFolder / L"slow.rc");
    ASSERT_TRUE(WaitForBrcc32Starts(1));
    EXPECT_TRUE(WaitForText(m_label2, kCompilingStatus));
    EXPECT_TRUE(WaitForForegroundColour(m_label2, kBlack)) << Narrow(ColourName(ForegroundColour(m_label2)));
    EXPECT_TRUE(IsResponsive(m_main, 1000));
    EXPECT_FALSE(CompileEnabled());
    // Typing goes on while brcc32 works, and re-enables Compile.
    Type(L"more");
    EXPECT_EQ(ReadText(m_memo), L"more");
    EXPECT_TRUE(CompileEnabled());
    EXPECT_EQ(ReadText(m_label2), kCompilingStatus) << "reported before brcc32 ended";

    EXPECT_TRUE(WaitForText(m_label2, kSuccessStatus, 20000));
}

TEST_F(SlowBrcc32Test, AReportThatEndsAfterNewLeavesItsStatus) {
    SaveAndCompile(L"slow", m_workFolder / L"slow.rc");
    ASSERT_TRUE(WaitForBrcc32Starts(1));
    Command(kCmdNouveau);
    ASSERT_TRUE(WaitForText(m_label2, kStartStatus));
    ASSERT_TRUE(WaitForBrcc32Ends(1));
    EXPECT_FALSE(WaitUntil([&] { return ReadText(m_label2) != kStartStatus; }, 2 * kSettleMs))
        << Narrow(ReadText(m_label2));
    EXPECT_TRUE(WaitForForegroundColour(m_label2, kBlack)) << Narrow(ColourName(ForegroundColour(m_label2)));
}

class TalkativeFailingBrcc32Test : public MainWindowTest {
protected:
    StartOptions Options() const override { return {.brcc32ExitCode = 1, .brcc32ErrorLines = 12}; }
};

// Without a console the user would never see why the script failed.
TEST_F(TalkativeFailingBrcc32Test, AFailedCompileShowsTheCompilersFirstLines) {
    SaveAndCompile(L"bad", m_workFolder / L"bad.rc");
    auto box = WaitForBox(kApplicationTitle);
    ASSERT_TRUE(box);
    std::wstring expected;
    for (int i = 1; i <= 10; ++i) {
        expected += L"fake.rc(" + std::to_wstring(i) + L"): error: ligne " + std::to_wstring(i) + L"\n";
    }
    expected += L"\u2026.";
    EXPECT_EQ(box->Text(), expected);
    EXPECT_TRUE(box->HasErrorIcon());
    EXPECT_EQ(ReadText(m_label2), L"Échec de la compilation (code 1) !");
    // The box, tall with the compiler's lines, may cover the label: its colour is read once it has gone.
    Dismiss(*box);
    EXPECT_TRUE(WaitForForegroundColour(m_label2, kRed)) << Narrow(ColourName(ForegroundColour(m_label2)));
    EXPECT_TRUE(FileNamesIn(m_tempFolder).empty()) << "the captured output was left behind";
}

class MissingBrcc32Test : public MainWindowTest {
protected:
    StartOptions Options() const override { return {.withBrcc32 = false}; }
};

TEST_F(MissingBrcc32Test, ACompilerThatCannotStartIsReported) {
    SaveAndCompile(L"x", m_workFolder / L"x.rc");
    auto box = WaitForBox(kApplicationTitle);
    ASSERT_TRUE(box);
    const std::wstring text = box->Text();
    const std::wstring prefix = L"Impossible de lancer brcc32 : ";
    EXPECT_TRUE(text.starts_with(prefix)) << Narrow(text);
    EXPECT_GT(text.size(), prefix.size() + 1) << "the system's reason is missing";
    EXPECT_TRUE(box->HasErrorIcon());
    Dismiss(*box);
    EXPECT_TRUE(WaitUntil([&] { return !CompileEnabled(); }));
    EXPECT_FALSE(WaitUntil(
        [&] {
            const auto status = ReadText(m_label2);
            return status == kSuccessStatus || status.starts_with(L"Échec");
        },
        kSettleMs));
    EXPECT_TRUE(IsResponsive(m_main));
}

class RealBrcc32Test : public MainWindowTest {
protected:
    StartOptions Options() const override { return {.realBrcc32 = true}; }
};

TEST_F(RealBrcc32Test, AValidScriptCompilesToAResFileInGreen) {
    WriteBytes(m_workFolder / L"donnees.bin", "0123456789");
    SaveAndCompile(L"DONNEES RCDATA \"donnees.bin\"\r\n7 RCDATA donnees.bin", m_workFolder / L"appli.rc");
    EXPECT_TRUE(WaitForText(m_label2, kSuccessStatus, 20000)) << Narrow(ReadText(m_label2));
    EXPECT_TRUE(WaitForForegroundColour(m_label2, kGreen)) << Narrow(ColourName(ForegroundColour(m_label2)));
    const std::string res = ReadBytes(m_workFolder / L"appli.res");
    // The empty leading entry, then two resources of 10 bytes each, with their headers.
    EXPECT_GT(res.size(), 32u + 2 * 10u);
    EXPECT_NE(res.find("0123456789"), std::string::npos);
    EXPECT_EQ(FileNamesIn(m_workFolder), (std::vector<std::wstring>{L"appli.rc", L"appli.res", L"donnees.bin"}));
    ExpectNoTopLevelBox();
}

TEST_F(RealBrcc32Test, AnInvalidScriptFailsInRedAndKeepsTheOldResFile) {
    WriteBytes(m_workFolder / L"appli.res", "old output");
    SaveAndCompile(L"1 RCDATA \"absent.bin\"", m_workFolder / L"appli.rc");
    EXPECT_TRUE(WaitForText(m_label2, L"Échec de la compilation (code 1) !", 20000)) << Narrow(ReadText(m_label2));
    EXPECT_TRUE(WaitForForegroundColour(m_label2, kRed)) << Narrow(ColourName(ForegroundColour(m_label2)));
    auto box = WaitForBox(kApplicationTitle);
    ASSERT_TRUE(box);
    EXPECT_TRUE(box->Text().starts_with(L"appli.rc(1): error BRC5302: ")) << Narrow(box->Text());
    EXPECT_EQ(std::ranges::count(box->Text(), L'\n'), 0) << Narrow(box->Text());
    Dismiss(*box);
    EXPECT_EQ(ReadBytes(m_workFolder / L"appli.res"), "old output");
    EXPECT_EQ(FileNamesIn(m_workFolder), (std::vector<std::wstring>{L"appli.rc", L"appli.res"}));
}

// The .res is built but its accents are wrong: the compiler's warning is shown beside the green status.
TEST_F(RealBrcc32Test, AWarningOfASuccessfulCompileIsShown) {
    OpenNewFile(m_workFolder / L"appli.rc",
                "STRINGTABLE\r\nBEGIN\r\n  1, \"Fran\xC3\xA7"
                "ais\"\r\nEND\r\n");
    Command(kCmdCompiler);
    auto box = WaitForBox(kApplicationTitle, 20000);
    ASSERT_TRUE(box);
    // The compiler's line as it wrote it: no full stop added.
    EXPECT_TRUE(box->Text().starts_with(L"appli.rc(")) << Narrow(box->Text());
    EXPECT_NE(box->Text().find(L": warning BRC4003: "), std::wstring::npos) << Narrow(box->Text());
    EXPECT_NE(box->Text().find(L"65001"), std::wstring::npos) << Narrow(box->Text());
    EXPECT_TRUE(box->HasWarningIcon());
    wintest::SaveScreenshot(box->Window(), L"compile-warning");
    EXPECT_EQ(ReadText(m_label2), kSuccessStatus);
    Dismiss(*box);
    EXPECT_TRUE(WaitForForegroundColour(m_label2, kGreen)) << Narrow(ColourName(ForegroundColour(m_label2)));
    EXPECT_TRUE(fs::exists(m_workFolder / L"appli.res"));
}

// Opened and saved again, a Unicode script is the same file, and compiles to the same .res, accents and
// letters the ANSI code page lacks included.
TEST_F(RealBrcc32Test, AUnicodeScriptSavedAgainIsTheSameFileAndCompilesTheSame) {
    const std::wstring text = L"STRINGTABLE\r\nBEGIN\r\n  1, \"Fran\u00e7ais \u0141\u00f3d\u017a\"\r\nEND\r\n";
    const struct {
        const char* name;
        std::string bytes;
    } scripts[] = {
        {"UTF-8", "\xEF\xBB\xBF#pragma code_page(65001)\r\n" + Narrow(text)},
        {"UTF-16 LE", "\xFF\xFE" + Utf16Bytes(text, false)},
        {"UTF-16 BE", "\xFE\xFF" + Utf16Bytes(text, true)},
    };
    const std::string stored = Utf16Bytes(L"Fran\u00e7ais \u0141\u00f3d\u017a", false);  // as a .res holds it
    for (const auto& [name, bytes] : scripts) {
        SCOPED_TRACE(name);
        // The same text in another encoding would not count as a change: from an empty memo, it does.
        Command(kCmdNouveau);
        ASSERT_TRUE(WaitForText(m_label2, kStartStatus));
        const fs::path original = m_workFolder / L"original.rc";
        const fs::path copy = m_workFolder / L"copie.rc";
        OpenNewFile(original, bytes);
        SaveAs(copy);
        EXPECT_EQ(ReadBytes(copy), bytes);
        Command(kCmdCompiler);
        ASSERT_TRUE(WaitForText(m_label2, kSuccessStatus, 20000)) << Narrow(ReadText(m_label2));
        OpenFile(original);
        Command(kCmdCompiler);
        ASSERT_TRUE(WaitForText(m_label2, kSuccessStatus, 20000)) << Narrow(ReadText(m_label2));
        const std::string res = ReadBytes(m_workFolder / L"original.res");
        EXPECT_EQ(ReadBytes(m_workFolder / L"copie.res"), res);
        EXPECT_NE(res.find(stored), std::string::npos);
        ExpectNoTopLevelBox();
    }
}

// A French user's error box reads French after the keyword that IDEs parse. Under Wine the user's interface language
// follows the locale the test program was started in (LANG, LC_ALL), not a child's own environment block, so this
// suite runs on its own under fr_FR; on Windows it follows the account's display language instead.
using FrenchUser = RealBrcc32Test;

TEST_F(FrenchUser, TheErrorBoxShowsTheCompilersFrenchLine) {
    Type(L"1 RCDATA \"absent.bin\"");
    SaveAs(m_workFolder / L"appli.rc");
    Command(kCmdCompiler);
    EXPECT_TRUE(WaitForText(m_label2, L"Échec de la compilation (code 1) !", 20000)) << Narrow(ReadText(m_label2));
    auto box = WaitForBox(kApplicationTitle);
    ASSERT_TRUE(box);
    // The box ends the compiler's line with its own full stop.
    EXPECT_EQ(box->Text(), L"appli.rc(1): error BRC5302: impossible de lire « absent.bin » : fichier introuvable.")
        << Narrow(box->Text());
    Dismiss(*box);
}

}  // namespace
}  // namespace talvorine::e2e
