// The main window end to end: Save As, what it writes and what it refuses.
#include "tests/e2e/main_window_fixture.h"

namespace talvorine::e2e {
namespace {

// --- Save As ---

TEST_F(MainWindowTest, SaveAsWritesTheMemoAndEmptiesItKeepingCompileEnabled) {
    Type(L"A RCDATA \"a.bin\"\r\nB RCDATA \"é.bin\"");
    ASSERT_TRUE(WaitUntil([&] { return CompileEnabled(); }));
    MoveFocusToEdit1();
    const fs::path target = m_workFolder / L"test.rc";
    SaveAs(target);

    // ANSI on disk: "é" is one byte.
    EXPECT_EQ(ReadBytes(target), "A RCDATA \"a.bin\"\r\nB RCDATA \"\xE9.bin\"");
    EXPECT_EQ(ReadText(m_memo), L"");
    EXPECT_EQ(ReadText(m_groupBox1), kStartCaption);
    EXPECT_EQ(ReadText(m_edit1), L"test.rc");
    EXPECT_TRUE(WaitForForegroundColour(m_label2, kTeal)) << Narrow(ColourName(ForegroundColour(m_label2)));
    EXPECT_TRUE(FocusInMemo());
    EXPECT_TRUE(CompileEnabled());
    EXPECT_EQ(FileNamesIn(m_workFolder), std::vector<std::wstring>{L"test.rc"});
}

TEST_F(MainWindowTest, SaveAsAfterCompileLeavesCompileDisabled) {
    const fs::path script = m_workFolder / L"a.rc";
    OpenNewFile(script, "A RCDATA \"a.bin\"");
    ASSERT_NO_FATAL_FAILURE(CompileToSuccess());

    const fs::path copy = m_workFolder / L"b.rc";
    SaveAs(copy);
    EXPECT_EQ(ReadBytes(copy), "A RCDATA \"a.bin\"");
    EXPECT_EQ(ReadText(m_memo), L"");
    EXPECT_FALSE(WaitUntil([&] { return CompileEnabled(); }, kSettleMs));
}

TEST_F(MainWindowTest, SaveAsReplacesAnExistingFileWithoutAsking) {
    const fs::path target = m_workFolder / L"old.rc";
    WriteBytes(target, "an older and longer content than the new one");
    Type(L"new");
    SaveAs(target);
    EXPECT_EQ(ReadBytes(target), "new");
    EXPECT_EQ(FileNamesIn(m_workFolder), std::vector<std::wstring>{L"old.rc"});
}

// Every save empties the memo and the dialog then proposes the saved name: a second Save As must not
// replace the script with nothing, there or anywhere, and leaves everything as it was.
TEST_F(MainWindowTest, SaveAsNeverReplacesAFileThatHoldsBytesWithAnEmptyText) {
    Type(L"A RCDATA \"a.bin\"");
    const fs::path saved = m_workFolder / L"projet.rc";
    SaveAs(saved);
    const fs::path elsewhere = m_otherFolder / L"autre.rc";
    WriteBytes(elsewhere, "B RCDATA \"b.bin\"");
    for (const fs::path& target : {saved, elsewhere}) {
        SCOPED_TRACE(Narrow(target.wstring()));
        ASSERT_TRUE(WaitForDialog(kCmdEnregistrer, kSaveTitle).ChooseFile(target.wstring()));
        auto box = WaitForBox(kApplicationTitle);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->Text(), L"Impossible de créer le fichier \"" + target.wstring() +
                                   L"\". Le texte à enregistrer est vide ; le fichier existant est conservé.");
        EXPECT_TRUE(box->HasErrorIcon());
        Dismiss(*box);
        EXPECT_EQ(ReadText(m_memo), L"");
        EXPECT_EQ(ReadText(m_edit1), L"projet.rc");
        EXPECT_EQ(ReadText(m_groupBox1), kStartCaption);
        EXPECT_EQ(ReadText(m_label2), kSavedStatus);
        EXPECT_TRUE(CompileEnabled());
    }
    EXPECT_EQ(ReadBytes(saved), "A RCDATA \"a.bin\"");
    EXPECT_EQ(ReadBytes(elsewhere), "B RCDATA \"b.bin\"");
    Command(kCmdCompiler);
    ASSERT_TRUE(WaitForBrcc32Starts(1));
    EXPECT_EQ(Brcc32Starts()[0].commandLine, L"brcc32 projet.rc");
    EXPECT_EQ(fs::path(Brcc32Starts()[0].folder), m_workFolder);

    // An empty text still goes over an empty file, and to a new one.
    const fs::path empty = m_otherFolder / L"vide.rc";
    WriteBytes(empty, "");
    SaveAs(empty);
    SaveAs(m_otherFolder / L"nouveau.rc");
    EXPECT_EQ(FileNamesIn(m_otherFolder), (std::vector<std::wstring>{L"autre.rc", L"nouveau.rc", L"vide.rc"}));
    EXPECT_EQ(ReadBytes(m_otherFolder / L"nouveau.rc"), "");
}

TEST_F(MainWindowTest, SaveAsAddsTheRcExtension) {
    Type(L"x");
    ASSERT_TRUE(WaitForDialog(kCmdEnregistrer, kSaveTitle).ChooseFile((m_workFolder / L"noext").wstring()));
    ASSERT_TRUE(WaitForText(m_label2, kSavedStatus));
    EXPECT_EQ(ReadText(m_edit1), L"noext.rc");
    EXPECT_EQ(ReadBytes(m_workFolder / L"noext.rc"), "x");
}

TEST_F(MainWindowTest, SaveAsOverAReadOnlyFileFailsAndKeepsEverything) {
    const fs::path target = m_workFolder / L"locked.rc";
    WriteBytes(target, "old content");
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY);
    Type(L"new content");

    ASSERT_TRUE(WaitForDialog(kCmdEnregistrer, kSaveTitle).ChooseFile(target.wstring()));
    auto box = WaitForBox(kApplicationTitle);
    ASSERT_TRUE(box);
    const std::wstring prefix = L"Impossible de créer le fichier \"" + target.wstring() + L"\". ";
    const std::wstring text = box->Text();
    EXPECT_TRUE(text.starts_with(prefix)) << Narrow(text);
    EXPECT_GT(text.size(), prefix.size() + 1) << "the system's reason is missing";
    EXPECT_FALSE(text.ends_with(L"..")) << Narrow(text);
    EXPECT_TRUE(box->HasErrorIcon());
    Dismiss(*box);

    EXPECT_EQ(ReadText(m_memo), L"new content");
    EXPECT_EQ(ReadText(m_edit1), L"");
    EXPECT_EQ(ReadText(m_label2), kStartStatus);
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadBytes(target), "old content");
    EXPECT_EQ(FileNamesIn(m_workFolder), std::vector<std::wstring>{L"locked.rc"}) << "a temporary file was left";
}

TEST_F(MainWindowTest, SaveAsRefusesACharacterTheCodePageLacksAndKeepsEverything) {
    const fs::path target = m_workFolder / L"appli.rc";
    WriteBytes(target, "old");
    Type(L"A ICON a.ico\r\nB ICON \u0141.ico");
    ASSERT_TRUE(WaitForDialog(kCmdEnregistrer, kSaveTitle).ChooseFile(target.wstring()));
    auto box = WaitForBox(kApplicationTitle);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->Text(),
              L"Le texte contient « \u0141 » (ligne 2), un caractère que la page de code du système ne "
              L"peut pas enregistrer.");
    EXPECT_TRUE(box->HasErrorIcon());
    Dismiss(*box);
    EXPECT_EQ(ReadText(m_memo), L"A ICON a.ico\r\nB ICON \u0141.ico");
    EXPECT_EQ(ReadText(m_label2), kStartStatus);
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_EQ(FileNamesIn(m_workFolder), std::vector<std::wstring>{L"appli.rc"});
}

TEST_F(MainWindowTest, SaveAsIntoAMissingFolderFailsAndKeepsTheMemo) {
    const fs::path target = m_workFolder / L"nowhere" / L"lost.rc";
    Type(L"still here");
    FileDialog dialog = WaitForDialog(kCmdEnregistrer, kSaveTitle);
    dialog.SetFileName(target.wstring());
    dialog.Confirm();
    // Either the dialog refuses the folder itself or the program reports that it cannot create the file.
    std::optional<MessageBoxWindow> box;
    ASSERT_TRUE(WaitUntil([&] {
        for (HWND window : TopLevelWindows(m_process.Id(), L"#32770")) {
            if (IsWindowVisible(window) && window != dialog.Window()) {
                box = MessageBoxWindow::WaitFor(m_process.Id(), ReadText(window), 0);
                return box.has_value();
            }
        }
        return false;
    }));
    const bool fromProgram = box->Caption() == kApplicationTitle;
    if (fromProgram) {
        EXPECT_TRUE(box->Text().starts_with(L"Impossible de créer le fichier \"" + target.wstring() + L"\". "))
            << Narrow(box->Text());
    }
    Dismiss(*box);
    if (!fromProgram) {
        dialog.Cancel();
    }
    ASSERT_TRUE(dialog.WaitClosed());
    EXPECT_EQ(ReadText(m_memo), L"still here");
    EXPECT_EQ(ReadText(m_edit1), L"");
    EXPECT_FALSE(fs::exists(target.parent_path()));
    EXPECT_TRUE(FileNamesIn(m_workFolder).empty());
}

}  // namespace
}  // namespace talvorine::e2e
