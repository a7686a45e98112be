// The main window's end-to-end fixture: a real Talvorine process started from a scratch folder of its own, with
// a stand-in or the real brcc32 beside it, and the steps the tests take through its windows.
#pragma once

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
#include "tests/support/window_driver.h"

namespace talvorine::e2e {

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
extern std::wstring g_talvorineExe;
extern std::wstring g_fakeBrcc32Exe;
extern std::wstring g_realBrcc32Exe;

// The system's own wording for an error code, in French where it has it, as the program must quote it
// after the file name.
inline std::wstring QuotedSystemReason(DWORD code) {
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

// `text` in UTF-16, in the byte order given.
inline std::string Utf16Bytes(std::wstring_view text, bool bigEndian) {
    std::string bytes;
    for (const wchar_t c : text) {
        const char high = static_cast<char>(c >> 8);
        const char low = static_cast<char>(c & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
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

}  // namespace talvorine::e2e
