// The main window end to end: Open, what it reads and what it refuses, and cancelled dialogs.
#include "tests/e2e/main_window_fixture.h"

namespace talvorine::e2e {
namespace {

// --- Open ---

TEST_F(MainWindowTest, OpenDialogShowsRcFilesFromTheProgramsFolder) {
    FileDialog dialog = WaitForDialog(kCmdOuvrir, kOpenTitle);
    EXPECT_EQ(dialog.FileTypes(), std::vector<std::wstring>{L"Fichier .rc"});
    // A bare name is looked for in the dialog's first folder: the program's, not the one it was started from.
    WriteBytes(m_appFolder / L"beside.rc", "beside the program");
    WriteBytes(m_otherFolder / L"beside.rc", "where it was started");
    ASSERT_TRUE(dialog.ChooseFile(L"beside.rc"));
    EXPECT_TRUE(WaitForText(m_memo, L"beside the program"));
    EXPECT_EQ(ReadText(m_groupBox1), L"Fichier beside.rc");

    // Without an extension the dialog adds ".rc".
    WriteBytes(m_appFolder / L"other.rc", "other");
    ASSERT_TRUE(WaitForDialog(kCmdOuvrir, kOpenTitle).ChooseFile(L"other"));
    EXPECT_TRUE(WaitForText(m_memo, L"other"));
    EXPECT_EQ(ReadText(m_edit1), L"other.rc");
}

TEST_F(MainWindowTest, OpenShowsTheFileAndItsNameInTeal) {
    const fs::path script = m_workFolder / L"icones.rc";
    WriteBytes(script, "MAINICON ICON \"app.ico\"\r\nLOGO BITMAP \"logo.bmp\"");
    MoveFocusToEdit1();
    OpenFile(script);
    EXPECT_EQ(ReadText(m_memo), L"MAINICON ICON \"app.ico\"\r\nLOGO BITMAP \"logo.bmp\"");
    EXPECT_EQ(ReadText(m_groupBox1), L"Fichier icones.rc");
    EXPECT_EQ(ReadText(m_edit1), L"icones.rc");
    EXPECT_TRUE(WaitForForegroundColour(m_label2, kTeal)) << Narrow(ColourName(ForegroundColour(m_label2)));
    EXPECT_TRUE(CompileEnabled());
    EXPECT_TRUE(FocusInMemo());
}

TEST_F(MainWindowTest, OpenNormalisesEveryLineBreakAndStopsAtNul) {
    const fs::path mixed = m_workFolder / L"mixed.rc";
    OpenNewFile(mixed, std::string("a\nb\rc\r\nd\n\re"));
    EXPECT_EQ(ReadText(m_memo), L"a\r\nb\r\nc\r\nd\r\n\r\ne");

    // Not "nul.rc": that name is the null device's.
    const fs::path withZero = m_workFolder / L"zero.rc";
    OpenNewFile(withZero, std::string("before\nNUL\0after\n", 18));
    EXPECT_EQ(ReadText(m_memo), L"before\r\nNUL");
}

// Saved again, an LF file has CR LF between its lines. The file holds exactly what the memo
// holds: a text that ends with a break shows an empty last line, and keeps that break.
TEST_F(MainWindowTest, AnLfFileSavedAgainHasCrLfAndKeepsItsEnd) {
    const struct {
        const char* file;
        const char* saved;
    } cases[] = {
        {"A RCDATA \"a.bin\"\nB RCDATA \"b.bin\"\n\nC RCDATA \"c.bin\"",
         "A RCDATA \"a.bin\"\r\nB RCDATA \"b.bin\"\r\n\r\nC RCDATA \"c.bin\""},
        {"A RCDATA \"a.bin\"\nB RCDATA \"b.bin\"\n", "A RCDATA \"a.bin\"\r\nB RCDATA \"b.bin\"\r\n"},
    };
    for (const auto& c : cases) {
        const fs::path lf = m_workFolder / L"unix.rc";
        OpenNewFile(lf, c.file);
        EXPECT_EQ(ReadText(m_memo), Widen(c.saved));
        const fs::path saved = m_workFolder / L"windows.rc";
        SaveAs(saved);
        EXPECT_EQ(ReadBytes(saved), c.saved);
    }
}

TEST_F(MainWindowTest, OpenOfTheSameTextLeavesCompileAsItWas) {
    const fs::path script = m_workFolder / L"same.rc";
    OpenNewFile(script, "same text");
    Command(kCmdCompiler);
    ASSERT_TRUE(WaitForBrcc32Starts(1));
    ASSERT_TRUE(WaitForText(m_label2, kSuccessStatus));
    ASSERT_FALSE(CompileEnabled());

    OpenFile(script);
    EXPECT_FALSE(CompileEnabled());

    const fs::path other = m_workFolder / L"other.rc";

    OpenNewFile(other, "other text");
    EXPECT_TRUE(CompileEnabled());
}

TEST_F(MainWindowTest, OpenOfAMissingFileShowsTheErrorAndChangesNothing) {
    Type(L"typed text");
    ASSERT_TRUE(WaitUntil([&] { return CompileEnabled(); }));
    const fs::path missing = m_workFolder / L"absent.rc";

    ASSERT_TRUE(WaitForDialog(kCmdOuvrir, kOpenTitle).ChooseFile(missing.wstring()));
    auto box = WaitForBox(kApplicationTitle);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->Text(), L"Impossible d'ouvrir le fichier \"" + missing.wstring() + L"\". " +
                               QuotedSystemReason(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(box->HasErrorIcon());
    EXPECT_EQ(box->ButtonTexts(), std::vector<std::wstring>{L"OK"});
    Dismiss(*box);

    EXPECT_EQ(ReadText(m_memo), L"typed text");
    EXPECT_EQ(ReadText(m_groupBox1), kStartCaption);
    EXPECT_EQ(ReadText(m_edit1), L"");
    EXPECT_EQ(ReadText(m_label2), kStartStatus);
    EXPECT_TRUE(CompileEnabled());
}

// Compile runs in the current folder on the name the file-name box shows: a failed Open or
// Save As elsewhere must not move the folder away from that file.
TEST_F(MainWindowTest, AFailedOpenOrSaveAsLeavesCompileOnTheShownFile) {
    const fs::path script = m_workFolder / L"a.rc";
    OpenNewFile(script, "A RCDATA \"a.bin\"");
    const fs::path locked = m_otherFolder / L"a.rc";
    WriteBytes(locked, "held");
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY);
    for (auto [id, title, path] : {std::tuple{kCmdOuvrir, kOpenTitle, m_otherFolder / L"absent.rc"},
                                   std::tuple{kCmdEnregistrer, kSaveTitle, locked}}) {
        ASSERT_TRUE(WaitForDialog(id, title).ChooseFile(path.wstring()));
        auto box = WaitForBox(kApplicationTitle);
        ASSERT_TRUE(box);
        Dismiss(*box);
    }
    ASSERT_EQ(ReadText(m_edit1), L"a.rc");
    Command(kCmdCompiler);
    ASSERT_TRUE(WaitForBrcc32Starts(1));
    EXPECT_EQ(fs::path(Brcc32Starts()[0].folder), m_workFolder);
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Files written by other editors in Unicode, with a byte-order mark: the same text as an ANSI file,
// saved again in their own encoding with their mark, their lines ending in CR LF.
TEST_F(MainWindowTest, OpenDecodesUnicodeFilesByTheirByteOrderMark) {
    const auto encodings = [](std::wstring_view text) {
        return std::vector<std::string>{"\xFF\xFE" + Utf16Bytes(text, false), "\xFE\xFF" + Utf16Bytes(text, true),
                                        "\xEF\xBB\xBF" + Narrow(text)};
    };
    const auto read = encodings(L"A RCDATA \"\u00e9t\u00e9.bin\"\nB ICON b.ico");
    const auto saved = encodings(L"A RCDATA \"\u00e9t\u00e9.bin\"\r\nB ICON b.ico");
    for (size_t i = 0; i < read.size(); ++i) {
        const fs::path script = m_workFolder / L"unicode.rc";
        OpenNewFile(script, read[i]);
        EXPECT_EQ(ReadText(m_memo), L"A RCDATA \"\u00e9t\u00e9.bin\"\r\nB ICON b.ico");
        SaveAs(script);
        EXPECT_EQ(ReadBytes(script), saved[i]) << i;
    }
    // New starts an ANSI script again.
    Command(kCmdNouveau);
    ASSERT_TRUE(WaitForText(m_label2, kStartStatus));
    Type(L"C RCDATA \"\u00e9.bin\"");
    SaveAs(m_workFolder / L"new.rc");
    EXPECT_EQ(ReadBytes(m_workFolder / L"new.rc"), "C RCDATA \"\xE9.bin\"");
}

// What a label or group box shows of its text: "&&" is one "&", a lone "&" only marks the next letter.
std::wstring DisplayedCaption(std::wstring_view text) {
    std::wstring shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && ++i == text.size()) {
            break;
        }
        shown += text[i];
    }
    return shown;
}

TEST_F(MainWindowTest, AnAmpersandInTheFileNameShowsAsItIs) {
    const fs::path script = m_workFolder / L"R&D.rc";
    OpenNewFile(script, "x");
    EXPECT_EQ(DisplayedCaption(ReadText(m_groupBox1)), L"Fichier R&D.rc");
    EXPECT_EQ(ReadText(m_edit1), L"R&D.rc");
}

// A long Open keeps the window from answering: the wait cursor says it is working.
TEST_F(MainWindowTest, ALongOpenShowsTheWaitCursor) {
    const fs::path script = m_workFolder / L"long.rc";
    std::string bytes;
    for (int i = 0; bytes.size() < (3 << 20); ++i) {
        bytes += "R" + std::to_string(i) + " RCDATA \"donnees.bin\"\r\n";
    }
    WriteBytes(script, bytes);
    FileDialog dialog = WaitForDialog(kCmdOuvrir, kOpenTitle);
    // Sharing the window's input state, this thread sees the cursor that window sets. The system
    // cursors are each process's own handles: the wait cursor is known as the one that differs.
    const DWORD windowThread = GetWindowThreadProcessId(m_main, nullptr);
    ASSERT_TRUE(AttachThreadInput(GetCurrentThreadId(), windowThread, TRUE));
    // The mouse away from the program's windows: what lies under it when the dialog closes
    // (the memo's text cursor, say) must not pass for a wait cursor left behind.
    SetCursorPos(0, 0);
    Sleep(100);
    const HCURSOR former = GetCursor();
    ASSERT_TRUE(dialog.ChooseFile(script.wstring()));
    // Only the cursor is watched meanwhile: a message to the busy window would wait for it.
    EXPECT_TRUE(WaitUntil([&] { return GetCursor() != former; }, 30000, 1)) << "no wait cursor";
    EXPECT_TRUE(WaitForText(m_label2, kOpenedStatus, 60000));
    EXPECT_EQ(GetCursor(), former) << "the wait cursor stayed";
    AttachThreadInput(GetCurrentThreadId(), windowThread, FALSE);
}

// Wine's dialogs overflow on a path longer than MAX_PATH, which ended the program and lost the memo.
TEST_F(MainWindowTest, AnOverlongPathTypedInEitherDialogIsRefusedAndLosesNothing) {
    Type(L"kept");
    std::wstring path = m_workFolder.wstring();
    while (path.size() < 300) {
        path += L"\\dossier-aux-noms-longs";
    }
    path += L"\\script.rc";
    for (auto [id, title] : {std::pair{kCmdOuvrir, kOpenTitle}, std::pair{kCmdEnregistrer, kSaveTitle}}) {
        FileDialog dialog = WaitForDialog(id, title);
        dialog.SetFileName(path);
        ASSERT_TRUE(WaitForText(dialog.FileNameField(), path, 3000));
        dialog.Confirm();
        auto box = WaitForBox(kApplicationTitle);
        ASSERT_TRUE(box) << "the program " << (m_process.IsRunning() ? "is still running" : "has ended");
        EXPECT_EQ(box->Text(), L"Le chemin du fichier est trop long : " + std::to_wstring(path.size()) +
                                   L" caractères, 259 au plus.");
        Dismiss(*box);
        dialog.Cancel();
        ASSERT_TRUE(dialog.WaitClosed());
    }
    EXPECT_EQ(ReadText(m_memo), L"kept");
    EXPECT_EQ(ReadText(m_edit1), L"");
}

TEST_F(MainWindowTest, CancelOfEitherDialogChangesNothing) {
    Type(L"kept");
    ASSERT_TRUE(WaitUntil([&] { return CompileEnabled(); }));
    for (auto [id, title] : {std::pair{kCmdOuvrir, kOpenTitle}, std::pair{kCmdEnregistrer, kSaveTitle}}) {
        FileDialog dialog = WaitForDialog(id, title);
        dialog.Cancel();
        ASSERT_TRUE(dialog.WaitClosed());
        ExpectNoTopLevelBox();
        EXPECT_EQ(ReadText(m_memo), L"kept");
        EXPECT_EQ(ReadText(m_groupBox1), kStartCaption);
        EXPECT_EQ(ReadText(m_edit1), L"");
        EXPECT_EQ(ReadText(m_label2), kStartStatus);
        EXPECT_TRUE(CompileEnabled());
    }
    EXPECT_TRUE(FileNamesIn(m_workFolder).empty());
    // A cancelled compile target: Edit1 still empty, so Compile asks for a file.
    Command(kCmdCompiler);
    auto box = WaitForBox(L" Erreur... ");
    ASSERT_TRUE(box);
    Dismiss(*box);
}

}  // namespace
}  // namespace talvorine::e2e
