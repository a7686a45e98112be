// The main window end to end: how it starts, typing, New and the ways it ends.
#include "tests/e2e/main_window_fixture.h"

namespace talvorine::e2e {
namespace {

// --- start, layout and typing ---

TEST_F(MainWindowTest, StartsWithItsTextsCompileDisabledAndFocusInMemo) {
    EXPECT_EQ(ReadText(m_main), kForm1Caption);
    ExpectStartState();
    // The memo and its hint sit inside GroupBox1, Edit1 in GroupBox2, the status label in GroupBox3.
    EXPECT_EQ(GetParent(m_memo), m_groupBox1);
    EXPECT_EQ(GetParent(Control(kIdLabel1)), m_groupBox1);
    EXPECT_EQ(GetParent(m_edit1), Control(kIdGroupBox2));
    EXPECT_EQ(GetParent(m_label2), Control(kIdGroupBox3));
    EXPECT_EQ(GetParent(m_toolBar), Control(kIdControlBar1));
    EXPECT_EQ(ClassNameOf(Control(kIdControlBar1)), L"TControlBar");
    EXPECT_TRUE(GetWindowLongW(m_edit1, GWL_STYLE) & ES_READONLY);
    EXPECT_TRUE(GetWindowLongW(m_memo, GWL_STYLE) & ES_MULTILINE);
}

TEST_F(MainWindowTest, KeyboardTypingFillsTheMemoAndEnablesCompile) {
    ASSERT_TRUE(TypeByKeyboard(m_main, L"MAINICON ICON \"app.ico\""));
    EXPECT_TRUE(WaitForText(m_memo, L"MAINICON ICON \"app.ico\""));
    EXPECT_TRUE(WaitUntil([&] { return CompileEnabled(); }));
}

TEST_F(MainWindowTest, DeletingTextAlsoCountsAsAChange) {
    const fs::path script = m_workFolder / L"script.rc";
    OpenNewFile(script, "abc");
    Command(kCmdCompiler);
    ASSERT_TRUE(WaitForBrcc32Starts(1));
    ASSERT_TRUE(WaitUntil([&] { return !CompileEnabled(); }));

    SendMessageW(m_memo, EM_SETSEL, 0, 1);
    SendMessageW(m_memo, WM_CHAR, VK_BACK, 1);
    EXPECT_EQ(ReadText(m_memo), L"bc");
    EXPECT_TRUE(WaitUntil([&] { return CompileEnabled(); }));
}

TEST_F(MainWindowTest, ADisabledCompileIgnoresItsCommand) {
    ASSERT_FALSE(CompileEnabled());
    Command(kCmdCompiler);
    ExpectNoTopLevelBox();
    EXPECT_TRUE(Brcc32Starts().empty());
    EXPECT_EQ(ReadText(m_label2), kStartStatus);
}

// --- New ---

TEST_F(MainWindowTest, NewEmptiesTheFormButKeepsCompileState) {
    const fs::path script = m_workFolder / L"a.rc";
    OpenNewFile(script, "A RCDATA \"a.bin\"");
    ASSERT_TRUE(CompileEnabled());
    MoveFocusToEdit1();

    Command(kCmdNouveau);
    EXPECT_TRUE(WaitForText(m_memo, L""));
    EXPECT_EQ(ReadText(m_edit1), L"");
    EXPECT_TRUE(WaitForText(m_groupBox1, kNewCaption));
    EXPECT_EQ(ReadText(m_label2), kStartStatus);
    EXPECT_TRUE(WaitForForegroundColour(m_label2, kBlack)) << Narrow(ColourName(ForegroundColour(m_label2)));
    EXPECT_TRUE(CompileEnabled());
    EXPECT_TRUE(FocusInMemo());
}

TEST_F(MainWindowTest, NewAtStartLeavesCompileDisabled) {
    Command(kCmdNouveau);
    ASSERT_TRUE(WaitForText(m_groupBox1, kNewCaption));
    EXPECT_FALSE(CompileEnabled());
}

// Emptying a memo that holds text is no edit of the user's: a disabled Compile stays disabled.
TEST_F(MainWindowTest, NewOfAFullMemoAfterCompileLeavesCompileDisabled) {
    const fs::path script = m_workFolder / L"a.rc";
    OpenNewFile(script, "A RCDATA \"a.bin\"");
    ASSERT_NO_FATAL_FAILURE(CompileToSuccess());

    Command(kCmdNouveau);
    ASSERT_TRUE(WaitForText(m_memo, L""));
    ASSERT_TRUE(WaitForText(m_groupBox1, kNewCaption));
    EXPECT_FALSE(WaitUntil([&] { return CompileEnabled(); }, kSettleMs));
}

TEST_F(MainWindowTest, CompileAfterNewAsksForAFileAndDisablesCompile) {
    const fs::path script = m_workFolder / L"a.rc";
    OpenNewFile(script, "x");
    Command(kCmdNouveau);
    ASSERT_TRUE(WaitForText(m_edit1, L""));
    ASSERT_TRUE(CompileEnabled());

    Command(kCmdCompiler);
    auto box = WaitForBox(L" Erreur... ");
    ASSERT_TRUE(box);
    EXPECT_EQ(box->Text(), L"Ouvrez ou enregistrez le fichier .rc à compiler ! ");
    EXPECT_TRUE(box->HasErrorIcon());
    EXPECT_EQ(box->ButtonTexts(), std::vector<std::wstring>{L"OK"});
    Dismiss(*box);
    EXPECT_EQ(ReadText(m_label2), kStartStatus);
    EXPECT_TRUE(WaitUntil([&] { return !CompileEnabled(); }));
    EXPECT_TRUE(Brcc32Starts().empty());
}

// --- Quit ---

TEST_F(MainWindowTest, QuitFromTheMenuEndsWithCodeZero) {
    Type(L"unsaved text is no reason to ask");
    Command(kCmdQuitter);
    ASSERT_TRUE(m_process.WaitForExit());
    EXPECT_EQ(m_process.ExitCode(), 0u);
}

TEST_F(MainWindowTest, TheCloseBoxEndsWithCodeZero) {
    Type(L"unsaved");
    PostMessageW(m_main, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(m_process.WaitForExit());
    EXPECT_EQ(m_process.ExitCode(), 0u);
}

TEST_F(MainWindowTest, WmCloseEndsWithCodeZero) {
    PostMessageW(m_main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(m_process.WaitForExit());
    EXPECT_EQ(m_process.ExitCode(), 0u);
}

}  // namespace
}  // namespace talvorine::e2e
