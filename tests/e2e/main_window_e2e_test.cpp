// End-to-end test of the main window: a real Talvorine process driven from outside through its windows.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "main_window/form1_ids.h"
#include "tests/support/screenshot.h"
#include "tests/support/test_main.h"
#include "tests/support/window_driver.h"

namespace talvorine::e2e {
namespace {

namespace fs = std::filesystem;

constexpr COLORREF kBlack = 0x00000000;
constexpr COLORREF kTeal = 0x00808000;
constexpr COLORREF kGreen = 0x00008000;
constexpr COLORREF kRed = 0x000000FF;

constexpr wchar_t kStartCaption[] = L"Création de Fichier .rc : ";
constexpr wchar_t kNewCaption[] = L"Création de Fichier rc : ";
constexpr wchar_t kStartStatus[] = L"Créez ou ouvrez un fichier .rc !";
constexpr wchar_t kOpenedStatus[] = L"Fichier .rc ouvert !";
constexpr wchar_t kSavedStatus[] = L"Fichier .rc enregistré !";
constexpr wchar_t kCompilingStatus[] = L"Compilation en cours...";
constexpr wchar_t kSuccessStatus[] = L"Compilation executée avec succès !";
constexpr wchar_t kOpenTitle[] = L"Ouvrir fichier...";
constexpr wchar_t kSaveTitle[] = L"Enregistrer sous...";

// How long a negative check waits for something that must not happen.
constexpr DWORD kSettleMs = 700;

// Paths of the programs under test, from the command line.
std::wstring g_talvorineExe;
std::wstring g_fakeBrcc32Exe;
std::wstring g_realBrcc32Exe;

// The system's own wording for an error code, in French where it has it, as the program must quote it
// after the file name.
std::wstring QuotedSystemReason(DWORD code) {
    std::wstring reason;
    for (const LANGID language : {LANGID{MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH)}, LANGID{0}}) {
        wchar_t* buffer = nullptr;
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, language, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
        reason = buffer != nullptr ? buffer : L"";
        LocalFree(buffer);
        if (!reason.empty()) {
            break;
        }
    }
    while (!reason.empty() && (reason.back() <= L' ' || reason.back() == L'.')) {
        reason.pop_back();
    }
    if (!reason.empty() && reason.back() > L'.') {
        reason += L'.';
    }
    return reason;
}

struct Brcc32Start {
    std::wstring commandLine;
    std::wstring shown;  // "hidden", "console" (a visible console window) or "default"
    std::wstring folder;
};

struct StartOptions {
    bool withBrcc32 = true;
    bool realBrcc32 = false;  // the brcc32.exe that dist/ ships, instead of the stand-in
    int brcc32ExitCode = 0;
    int brcc32SleepMs = 0;
    int brcc32ErrorLines = 0;  // lines "fake.rc(N): error: ligne N" the stand-in writes
};

class MainWindowTest : public ::testing::Test {
protected:
    virtual StartOptions Options() const { return {}; }

    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_root = NewScratchFolder(L"talvorine-e2e-" + Widen(info->name()));
        m_appFolder = m_root / L"app";
        m_workFolder = m_root / L"work";
        m_otherFolder = m_root / L"other";
        m_tempFolder = m_root / L"temp";
        for (const auto& folder : {m_appFolder, m_workFolder, m_otherFolder, m_tempFolder}) {
            fs::create_directories(folder);
        }
        m_log = m_root / L"brcc32.log";
        fs::copy_file(g_talvorineExe, m_appFolder / L"Talvorine.exe");
        const StartOptions options = Options();
        if (options.withBrcc32) {
            fs::copy_file(options.realBrcc32 ? g_realBrcc32Exe : g_fakeBrcc32Exe, m_appFolder / L"brcc32.exe");
        }
        // Started from a folder of its own: the dialogs and brcc32 must not depend on where it was started.
        m_process = Process::Start((m_appFolder / L"Talvorine.exe").wstring(), L"", m_otherFolder.wstring(),
                                   {{L"TALVORINE_FAKE_BRCC32_LOG", m_log.wstring()},
                                    {L"TALVORINE_FAKE_BRCC32_EXIT", std::to_wstring(options.brcc32ExitCode)},
                                    {L"TALVORINE_FAKE_BRCC32_SLEEP_MS", std::to_wstring(options.brcc32SleepMs)},
                                    {L"TALVORINE_FAKE_BRCC32_ERROR_LINES", std::to_wstring(options.brcc32ErrorLines)},
                                    {L"TEMP", m_tempFolder.wstring()},
                                    {L"TMP", m_tempFolder.wstring()}});
        m_main = WaitForTopLevelWindow(m_process.Id(), kForm1ClassName);
        ASSERT_NE(m_main, nullptr) << "the main window did not show";
        m_groupBox1 = Control(kIdGroupBox1);
        m_memo = Control(kIdMemo1);
        m_edit1 = Control(kIdEdit1);
        m_label2 = Control(kIdLabel2);
        m_toolBar = Control(kIdToolBar1);
        ASSERT_TRUE(m_groupBox1 && m_memo && m_edit1 && m_label2 && m_toolBar);
        // The window is ready for commands once it has painted its status line.
        ASSERT_TRUE(WaitUntil([&] { return ForegroundColour(m_label2).has_value(); }));
    }

    void TearDown() override {
        m_process.Kill();
        std::error_code ignored;
        fs::remove_all(m_root, ignored);
    }

    HWND Control(int id) const { return FindDescendantById(m_main, id); }

    void Command(CommandId id) const { PostMessageW(m_main, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    bool CompileEnabled() const {
        return (SendMessageW(m_toolBar, TB_GETSTATE, kCmdCompiler, 0) & TBSTATE_ENABLED) != 0;
    }

    FileDialog WaitForDialog(CommandId id, const wchar_t* title) const {
        Command(id);
        auto dialog = FileDialog::WaitFor(m_process.Id(), title);
        if (!dialog) {
            ADD_FAILURE() << "no dialog \"" << Narrow(title) << "\"";
            throw std::runtime_error("no dialog");
        }
        return *dialog;
    }

    // Chooses the file in the dialog and waits until the program has reported the outcome in its status line.
    void OpenFile(const fs::path& path) const {
        ASSERT_TRUE(WaitForDialog(kCmdOuvrir, kOpenTitle).ChooseFile(path.wstring()));
        ASSERT_TRUE(WaitForText(m_label2, kOpenedStatus)) << Narrow(ReadText(m_label2));
        ASSERT_TRUE(WaitForText(m_edit1, path.filename().wstring()));
    }

    // A file with `bytes` in it, opened.
    void OpenNewFile(const fs::path& path, std::string_view bytes) const {
        WriteBytes(path, bytes);
        OpenFile(path);
    }

    void SaveAs(const fs::path& path) const {
        ASSERT_TRUE(WaitForDialog(kCmdEnregistrer, kSaveTitle).ChooseFile(path.wstring()));
        ASSERT_TRUE(WaitForText(m_label2, kSavedStatus)) << Narrow(ReadText(m_label2));
        ASSERT_TRUE(WaitForText(m_edit1, path.filename().wstring()));
    }

    void Type(std::wstring_view text) const { TypeByMessages(m_memo, text); }

    // Compile, and its success reported: Compile is disabled again.
    void CompileToSuccess() const {
        Command(kCmdCompiler);
        ASSERT_TRUE(WaitForText(m_label2, kSuccessStatus));
        ASSERT_FALSE(CompileEnabled());
    }

    // `text` typed, saved as `path`, and compiled.
    void SaveAndCompile(std::wstring_view text, const fs::path& path) const {
        Type(text);
        SaveAs(path);
        Command(kCmdCompiler);
    }

    std::vector<Brcc32Start> Brcc32Starts() const {
        std::vector<Brcc32Start> starts;
        std::istringstream lines(ReadBytes(m_log));
        std::string line;
        while (std::getline(lines, line)) {
            if (line.starts_with("cmd=")) {
                starts.push_back({Widen(line.substr(4)), {}, {}});
            } else if (line.starts_with("shown=") && !starts.empty()) {
                starts.back().shown = Widen(line.substr(6));
            } else if (line.starts_with("cwd=") && !starts.empty()) {
                starts.back().folder = Widen(line.substr(4));
            }
        }
        return starts;
    }

    // The stand-in logs "end" as it is about to exit.
    bool WaitForBrcc32Ends(size_t count) const {
        return WaitUntil([&] {
            std::istringstream lines(ReadBytes(m_log));
            std::string line;
            size_t ends = 0;
            while (std::getline(lines, line)) {
                ends += line == "end" ? 1 : 0;
            }
            return ends >= count;
        });
    }

    bool WaitForBrcc32Starts(size_t count) const {
        return WaitUntil([&] {
            const auto starts = Brcc32Starts();
            return starts.size() >= count && !starts.back().folder.empty();
        });
    }

    std::optional<MessageBoxWindow> WaitForBox(const wchar_t* caption, DWORD timeoutMs = kDefaultTimeoutMs) const {
        return MessageBoxWindow::WaitFor(m_process.Id(), caption, timeoutMs);
    }

    // Closes the box and checks that the program goes on afterwards.
    static void Dismiss(const MessageBoxWindow& box) {
        box.PressOk();
        EXPECT_TRUE(box.WaitClosed());
    }

    void ExpectStartState() const {
        EXPECT_EQ(ReadText(m_groupBox1), kStartCaption);
        EXPECT_EQ(ReadText(m_label2), kStartStatus);
        EXPECT_TRUE(WaitForForegroundColour(m_label2, kBlack)) << Narrow(ColourName(ForegroundColour(m_label2)));
        EXPECT_EQ(ReadText(m_edit1), L"");
        EXPECT_EQ(ReadText(m_memo), L"");
        EXPECT_FALSE(CompileEnabled());
        EXPECT_TRUE(WaitUntil([&] { return FocusedWindow(m_main) == m_memo; }));
    }

    // A real click: the commands must bring the focus back to the memo from wherever the user left it.
    void MoveFocusToEdit1() const {
        // A click that only activates the window is not always passed on: click again until it lands.
        ASSERT_TRUE(WaitUntil(
            [&] { return ClickOn(m_edit1) && WaitUntil([&] { return FocusedWindow(m_main) == m_edit1; }, 500); }, 5000,
            0));
    }

    bool FocusInMemo() const {
        return WaitUntil([&] { return FocusedWindow(m_main) == m_memo; }, 3000);
    }

    void ExpectNoTopLevelBox() const {
        EXPECT_FALSE(WaitUntil([&] { return FindTopLevelWindow(m_process.Id(), L"#32770") != nullptr; }, kSettleMs));
    }

    fs::path m_root;
    fs::path m_appFolder;
    fs::path m_workFolder;
    fs::path m_otherFolder;
    fs::path m_tempFolder;
    fs::path m_log;
    Process m_process;
    HWND m_main = nullptr;
    HWND m_groupBox1 = nullptr;
    HWND m_memo = nullptr;
    HWND m_edit1 = nullptr;
    HWND m_label2 = nullptr;
    HWND m_toolBar = nullptr;
};

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

// Files written by other editors in Unicode, with a byte-order mark: the same text as an ANSI file.
TEST_F(MainWindowTest, OpenDecodesUnicodeFilesByTheirByteOrderMark) {
    const std::wstring text = L"A RCDATA \"\u00e9t\u00e9.bin\"\nB ICON b.ico";
    std::string utf16le = "\xFF\xFE";
    std::string utf16be = "\xFE\xFF";
    for (const wchar_t c : text) {
        utf16le += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
        utf16be += {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
    }
    const std::string utf8 = "\xEF\xBB\xBF" + Narrow(text);
    for (const std::string& bytes : {utf16le, utf16be, utf8}) {
        const fs::path script = m_workFolder / L"unicode.rc";
        OpenNewFile(script, bytes);
        EXPECT_EQ(ReadText(m_memo), L"A RCDATA \"\u00e9t\u00e9.bin\"\r\nB ICON b.ico");
        // Saved again, it is an ANSI file.
        SaveAs(script);
        EXPECT_EQ(ReadBytes(script), "A RCDATA \"\xE9t\xE9.bin\"\r\nB ICON b.ico");
    }
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

// --- the encoding row of both dialogs ---

constexpr int kEncodingLabel = 1300;
constexpr int kEncodingList = 1301;
constexpr int kFileTypeLabel = 0x0441;  // stc2
constexpr int kFileTypeList = 0x0470;   // cmb1

RECT ScreenRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

std::vector<std::wstring> ListEntries(HWND combo) {
    std::vector<std::wstring> entries;
    const auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring entry(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        entry.resize(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()))));
        entries.push_back(entry);
    }
    return entries;
}

// The row's label lines up with the file-type label, its list with the file-type list.
void ExpectEncodingRowAligned(HWND dialog) {
    HWND label = FindDescendantById(dialog, kEncodingLabel);
    HWND list = FindDescendantById(dialog, kEncodingList);
    const RECT typeLabel = ScreenRect(FindDescendantById(dialog, kFileTypeLabel));
    const RECT typeList = ScreenRect(FindDescendantById(dialog, kFileTypeList));
    EXPECT_TRUE(WaitUntil(
        [&] {
            const RECT l = ScreenRect(list);
            const RECT t = ScreenRect(FindDescendantById(dialog, kFileTypeList));
            return l.left == t.left && l.right == t.right;
        },
        3000))
        << "list " << ScreenRect(list).left << ".." << ScreenRect(list).right << ", file types " << typeList.left
        << ".." << typeList.right;
    const RECT l = ScreenRect(label);
    EXPECT_EQ(l.left, typeLabel.left);
    EXPECT_EQ(l.right - l.left, 90);
    EXPECT_EQ(l.bottom - l.top, 21);
    // The row lies beneath the dialog's own controls, its label 2 below the row's top.
    EXPECT_GT(ScreenRect(list).top, typeList.top);
    EXPECT_EQ(l.top, ScreenRect(list).top + 2);
}

TEST_F(MainWindowTest, EachDialogHasItsEncodingRowAndRemembersItsOwnChoice) {
    const std::vector<std::wstring> entries = {L"ANSI",  L"ASCII", L"Unicode", L"Big Endian Unicode",
                                               L"UTF-8", L"UTF-7"};
    struct Step {
        CommandId command;
        const wchar_t* title;
        int selectedAtOpening;
        int choose;  // -1: keep
    };
    // Open: UTF-8 chosen then cancelled; Save As: still ANSI, Unicode chosen; Open again: UTF-8.
    const Step steps[] = {{kCmdOuvrir, kOpenTitle, 0, 4},
                          {kCmdEnregistrer, kSaveTitle, 0, 2},
                          {kCmdOuvrir, kOpenTitle, 4, -1},
                          {kCmdEnregistrer, kSaveTitle, 2, -1}};
    int step = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(step);
        FileDialog dialog = WaitForDialog(s.command, s.title);
        HWND list = FindDescendantById(dialog.Window(), kEncodingList);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(ReadText(FindDescendantById(dialog.Window(), kEncodingLabel)), L"Encodage :");
        EXPECT_EQ(ClassNameOf(list), L"ComboBox");
        EXPECT_EQ(GetWindowLongW(list, GWL_STYLE) & 3, CBS_DROPDOWNLIST);  // choose only, no typing
        EXPECT_EQ(ListEntries(list), entries);
        EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), s.selectedAtOpening);
        ExpectEncodingRowAligned(dialog.Window());
        if (step < 2) {
            wintest::SaveScreenshot(dialog.Window(), s.command == kCmdOuvrir ? L"open-dialog" : L"save-dialog");
            // Wider: the list follows the file-type list.
            const RECT r = ScreenRect(dialog.Window());
            SetWindowPos(dialog.Window(), nullptr, 0, 0, r.right - r.left + 140, r.bottom - r.top + 40,
                         SWP_NOMOVE | SWP_NOZORDER);
            ExpectEncodingRowAligned(dialog.Window());
        }
        if (s.choose >= 0) {
            SendMessageW(list, CB_SETCURSEL, s.choose, 0);
        }
        if (s.command == kCmdEnregistrer && s.choose >= 0) {
            // The choice changes nothing in what is written.
            Type(L"A RCDATA \"é.bin\"");
            const fs::path target = m_workFolder / L"encoded.rc";
            ASSERT_TRUE(dialog.ChooseFile(target.wstring()));
            ASSERT_TRUE(WaitForText(m_label2, kSavedStatus));
            EXPECT_EQ(ReadBytes(target), "A RCDATA \"\xE9.bin\"");
        } else {
            dialog.Cancel();
            ASSERT_TRUE(dialog.WaitClosed());
        }
        ++step;
    }
}

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
    EXPECT_TRUE(box->Text().starts_with(L"appli.rc(1): error: ")) << Narrow(box->Text());
    EXPECT_EQ(std::ranges::count(box->Text(), L'\n'), 0) << Narrow(box->Text());
    Dismiss(*box);
    EXPECT_EQ(ReadBytes(m_workFolder / L"appli.res"), "old output");
    EXPECT_EQ(FileNamesIn(m_workFolder), (std::vector<std::wstring>{L"appli.rc", L"appli.res"}));
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
    EXPECT_EQ(box->Text(), L"appli.rc(1): error: impossible de lire « absent.bin » : fichier introuvable.")
        << Narrow(box->Text());
    Dismiss(*box);
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

int main(int argc, char** argv) {
    using namespace talvorine::e2e;
    return RunTestsWithPaths(argc, argv, {"Talvorine.exe", "fake_brcc32.exe", "brcc32.exe"}, [](const auto& paths) {
        g_talvorineExe = paths[0];
        g_fakeBrcc32Exe = paths[1];
        g_realBrcc32Exe = paths[2];
    });
}
