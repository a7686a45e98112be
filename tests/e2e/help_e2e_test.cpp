// End-to-end test of the Help command: a real Talvorine process, its help window, and its end.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "main_window/form1_ids.h"
#include "tests/support/test_main.h"
#include "tests/support/window_driver.h"

namespace talvorine::e2e {
namespace {

namespace fs = std::filesystem;

constexpr wchar_t kServerKey[] = L"CLSID\\{adb880a6-d8ff-11cf-9377-00aa003b7a11}\\InprocServer32";
constexpr wchar_t kHelpTitle[] = L"Aide de Talvorine 1.0";

std::wstring g_talvorineExe;
std::wstring g_helpFile;

// The top-level entries of a tree view in another process: the item's text is copied through that
// process's own memory, since a tree view message carries a pointer the system does not translate.
std::vector<std::wstring> TopLevelTreeItems(HWND tree, DWORD pid) {
    std::vector<std::wstring> texts;
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process == nullptr) {
        return texts;
    }
    constexpr int kTextChars = 256;
    auto* remote = static_cast<char*>(
        VirtualAllocEx(process, nullptr, sizeof(TVITEMW) + kTextChars * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE));
    auto next = [&](HTREEITEM from, UINT how) {
        return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(from)));
    };
    for (HTREEITEM item = next(nullptr, TVGN_ROOT); remote != nullptr && item != nullptr;
         item = next(item, TVGN_NEXT)) {
        TVITEMW request{};
        request.mask = TVIF_TEXT;
        request.hItem = item;
        request.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(TVITEMW));
        request.cchTextMax = kTextChars;
        wchar_t text[kTextChars] = {};
        WriteProcessMemory(process, remote, &request, sizeof(request), nullptr);
        SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(process, request.pszText, text, sizeof(text) - sizeof(wchar_t), nullptr);
        texts.emplace_back(text);
    }
    if (remote != nullptr) {
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return texts;
}

// Takes the help engine's registration away from the test prefix for one case, and puts it back.
class EngineKeyRemoved {
public:
    EngineKeyRemoved() {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, kServerKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
            return;
        }
        wchar_t name[256];
        BYTE data[1024];
        for (DWORD i = 0;; ++i) {
            DWORD nameChars = 256;
            DWORD size = sizeof(data);
            DWORD type = 0;
            if (RegEnumValueW(key, i, name, &nameChars, nullptr, &type, data, &size) != ERROR_SUCCESS) {
                break;
            }
            m_values.push_back({std::wstring(name, nameChars), type, std::vector<BYTE>(data, data + size)});
        }
        RegCloseKey(key);
        m_removed = RegDeleteKeyW(HKEY_CLASSES_ROOT, kServerKey) == ERROR_SUCCESS;
    }
    ~EngineKeyRemoved() {
        if (!m_removed) {
            return;
        }
        HKEY key = nullptr;
        RegCreateKeyExW(HKEY_CLASSES_ROOT, kServerKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        for (const Value& value : m_values) {
            RegSetValueExW(key, value.name.empty() ? nullptr : value.name.c_str(), 0, value.type, value.data.data(),
                           static_cast<DWORD>(value.data.size()));
        }
        RegCloseKey(key);
    }
    bool Removed() const { return m_removed; }

private:
    struct Value {
        std::wstring name;
        DWORD type;
        std::vector<BYTE> data;
    };
    std::vector<Value> m_values;
    bool m_removed = false;
};

class HelpTest : public ::testing::Test {
protected:
    void TearDown() override {
        m_process.Kill();
        std::error_code ignored;
        fs::remove_all(m_root, ignored);
    }

    // Talvorine.exe in a folder of its own (with the help file beside it when asked), started and shown.
    void Start(const std::wstring& folderName = L"app", bool withHelpFile = true) {
        m_root = NewScratchFolder(L"talvorine-help");
        m_app = m_root / folderName;
        fs::create_directories(m_app);
        fs::copy_file(g_talvorineExe, m_app / L"Talvorine.exe");
        if (withHelpFile) {
            fs::copy_file(g_helpFile, m_app / L"Talvorine.chm");
        }
        m_process = Process::Start((m_app / L"Talvorine.exe").wstring(), L"", m_root.wstring());
        m_main = WaitForTopLevelWindow(m_process.Id(), kForm1ClassName);
        ASSERT_NE(m_main, nullptr) << "the main window did not show";
    }

    void Command(CommandId id) const { PostMessageW(m_main, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    HWND WaitForHelpWindow() const { return WaitForTopLevelWindow(m_process.Id(), L"HH Parent"); }

    void ExpectCleanExit() {
        ASSERT_TRUE(m_process.WaitForExit()) << "still running";
        EXPECT_EQ(m_process.ExitCode(), std::optional<DWORD>(0));
    }

    fs::path m_root;
    fs::path m_app;
    Process m_process;
    HWND m_main = nullptr;
};

TEST_F(HelpTest, HelpShowsTheFileAndItsContentsThenQuitClosesIt) {
    Start();
    Command(kCmdAide);
    HWND help = WaitForHelpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(ReadText(help), kHelpTitle);
    const std::vector<HWND> trees = DescendantsOfClass(help, L"SysTreeView32");
    ASSERT_EQ(trees.size(), 1u);
    const std::vector<std::wstring> topics = TopLevelTreeItems(trees[0], m_process.Id());
    const std::vector<std::wstring> expected = {L"Talvorine 1.0",
                                                L"Installer et désinstaller",
                                                L"Écrire un script",
                                                L"Les commandes",
                                                L"Compiler",
                                                L"Corriger une erreur",
                                                L"Le compilateur dans une construction",
                                                L"Le compilateur brcc32",
                                                L"Le journal de diagnostic"};
    EXPECT_EQ(topics, expected);
    // The help window belongs to the desktop: the main window goes on answering.
    EXPECT_TRUE(IsResponsive(m_main));
    EXPECT_NE(GetWindow(help, GW_OWNER), m_main);

    Command(kCmdQuitter);
    ExpectCleanExit();
}

TEST_F(HelpTest, ClosingTheMainWindowWithHelpOpenEndsCleanly) {
    Start();
    Command(kCmdAide);
    ASSERT_NE(WaitForHelpWindow(), nullptr);
    PostMessageW(m_main, WM_CLOSE, 0, 0);
    ExpectCleanExit();
}

TEST_F(HelpTest, FolderTheAnsiCodePageCannotNameStillOpens) {
    Start(L"aide-\u03A9\u4E2D");
    Command(kCmdAide);
    HWND help = WaitForHelpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(ReadText(help), kHelpTitle);
    Command(kCmdQuitter);
    ExpectCleanExit();
}

TEST_F(HelpTest, WithoutTheEngineHelpSaysSoInFrench) {
    const EngineKeyRemoved removed;
    ASSERT_TRUE(removed.Removed());
    Start();
    Command(kCmdAide);
    const auto box = MessageBoxWindow::WaitFor(m_process.Id(), kApplicationTitle);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->Text(),
              L"L'aide ne peut pas s'afficher : le moteur d'aide HTML de Windows (hhctrl.ocx) n'est "
              L"pas installé sur cet ordinateur.");
    box->PressOk();
    ASSERT_TRUE(box->WaitClosed());
    EXPECT_EQ(FindTopLevelWindow(m_process.Id(), L"HH Parent"), nullptr);
    Command(kCmdQuitter);
    ExpectCleanExit();
}

TEST_F(HelpTest, WithoutTheHelpFileHelpNamesIt) {
    Start(L"app", false);
    Command(kCmdAide);
    const auto box = MessageBoxWindow::WaitFor(m_process.Id(), kApplicationTitle);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->Text(), L"Le fichier d'aide « " + (m_app / L"Talvorine.chm").wstring() + L" » est introuvable.");
    box->PressOk();
    ASSERT_TRUE(box->WaitClosed());
    Command(kCmdQuitter);
    ExpectCleanExit();
}

}  // namespace
}  // namespace talvorine::e2e

int main(int argc, char** argv) {
    using namespace talvorine::e2e;
    return RunTestsWithPaths(argc, argv, {"Talvorine.exe", "Talvorine.chm"}, [](const auto& paths) {
        g_talvorineExe = paths[0];
        g_helpFile = paths[1];
    });
}
