// What the installer leaves on a machine, looked at from Windows: the files, the Start-menu shortcuts, the
// uninstall key, the installed tool at work, and what the uninstaller leaves behind. tools/test-package runs
// one suite after each step (install, folder made read-only, uninstall).
#include <windows.h>
// After windows.h, which they need.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "main_window/form1_ids.h"
#include "main_window/form1_layout.h"
#include "tests/support/test_main.h"
#include "tests/support/window_driver.h"

namespace talvorine::e2e {
namespace {

namespace fs = std::filesystem;

const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Talvorine";
const wchar_t kOpenTitle[] = L"Ouvrir fichier...";
const wchar_t kOpenedStatus[] = L"Fichier .rc ouvert !";
const wchar_t kSuccessStatus[] = L"Compilation executée avec succès !";
const std::vector<std::wstring> kShippedFiles = {L"LISEZMOI.txt", L"Talvorine.chm", L"Talvorine.exe", L"brcc32.exe"};

// From the command line.
fs::path g_installFolder;
fs::path g_distFolder;

fs::path CommonProgramsFolder() {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

fs::path StartMenuFolder() { return CommonProgramsFolder() / L"Talvorine"; }

std::optional<std::wstring> ReadString(const wchar_t* name) {
    wchar_t value[1024] = {};
    DWORD size = sizeof(value);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

std::optional<DWORD> ReadDword(const wchar_t* name) {
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kUninstallKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

// The path a shortcut starts, empty when it cannot be read.
std::wstring ShortcutTarget(const fs::path& link) {
    std::wstring target;
    IShellLinkW* shellLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&shellLink)))) {
        return target;
    }
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t path[MAX_PATH] = {};
        if (SUCCEEDED(file->Load(link.c_str(), STGM_READ)) &&
            SUCCEEDED(shellLink->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH))) {
            target = path;
        }
        file->Release();
    }
    shellLink->Release();
    return target;
}

BOOL CALLBACK TakeFirstName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param) {
    *reinterpret_cast<std::wstring*>(param) = IS_INTRESOURCE(name) ? L"#" + std::to_wstring(LOWORD(name)) : name;
    return FALSE;
}

// The icon group that an icon index of 0 picks: the first one in the program's resources.
std::wstring FirstIconGroup(const fs::path& program) {
    std::wstring name;
    if (HMODULE module = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
        EnumResourceNamesW(module, RT_GROUP_ICON, TakeFirstName, reinterpret_cast<LONG_PTR>(&name));
        FreeLibrary(module);
    }
    return name;
}

// The installed tool, started by the user from a folder of theirs.
class InstalledTool {
public:
    InstalledTool(const std::wstring& arguments, const fs::path& workFolder, const std::vector<EnvVar>& env = {})
        : m_process(
              Process::Start((g_installFolder / L"Talvorine.exe").wstring(), arguments, workFolder.wstring(), env)),
          m_main(m_process ? WaitForTopLevelWindow(m_process.Id(), kForm1ClassName) : nullptr) {}
    ~InstalledTool() {
        if (m_main != nullptr) {
            PostMessageW(m_main, WM_COMMAND, MAKEWPARAM(kCmdQuitter, 0), 0);
        }
        if (!m_process.WaitForExit()) {
            m_process.Kill();
        }
    }

    HWND Main() const { return m_main; }
    DWORD Id() const { return m_process.Id(); }
    HWND Control(int id) const { return FindDescendantById(m_main, id); }
    void Command(CommandId id) const { PostMessageW(m_main, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

private:
    Process m_process;
    HWND m_main = nullptr;
};

class Scratch : public ::testing::Test {
protected:
    void SetUp() override { m_folder = NewScratchFolder(L"talvorine-package"); }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
    }
    fs::path m_folder;
};

// --- after the silent install ---

using Installed = Scratch;

TEST_F(Installed, TheFolderHoldsTheShippedFilesAsInDistAndTheUninstaller) {
    std::vector<std::wstring> expected = kShippedFiles;
    expected.push_back(L"Uninstall.exe");
    std::ranges::sort(expected);
    EXPECT_EQ(FileNamesIn(g_installFolder), expected);
    for (const auto& name : kShippedFiles) {
        const std::string shipped = ReadBytes(g_distFolder / name);
        EXPECT_FALSE(shipped.empty()) << Narrow(name);
        EXPECT_TRUE(ReadBytes(g_installFolder / name) == shipped) << Narrow(name) << " differs from dist/";
    }
}

TEST_F(Installed, StartMenuShortcutsStartTheInstalledToolAndItsHelp) {
    EXPECT_EQ(FileNamesIn(StartMenuFolder()),
              (std::vector<std::wstring>{L"Aide de Talvorine.lnk", L"Talvorine 1.0.lnk"}));
    EXPECT_EQ(ShortcutTarget(StartMenuFolder() / L"Talvorine 1.0.lnk"), (g_installFolder / L"Talvorine.exe").wstring());
    EXPECT_EQ(ShortcutTarget(StartMenuFolder() / L"Aide de Talvorine.lnk"),
              (g_installFolder / L"Talvorine.chm").wstring());
}

TEST_F(Installed, TheUninstallKeyNamesTheToolItsPublisherIconAndSize) {
    EXPECT_EQ(ReadString(L"DisplayName"), L"Talvorine 1.0");
    EXPECT_EQ(ReadString(L"DisplayVersion"), L"1.0");
    // The holder the About box names after the year.
    std::wsmatch notice;
    const std::wstring copyright = kAboutBox1.copyright;
    ASSERT_TRUE(std::regex_match(copyright, notice, std::wregex(L"© [0-9]{4} (.+)")));
    EXPECT_EQ(ReadString(L"Publisher"), notice[1].str());

    EXPECT_EQ(ReadString(L"DisplayIcon"), (g_installFolder / L"Talvorine.exe").wstring() + L",0");
    EXPECT_EQ(FirstIconGroup(g_installFolder / L"Talvorine.exe"), L"MAINICON");
    const std::wstring uninstaller = (g_installFolder / L"Uninstall.exe").wstring();
    EXPECT_EQ(ReadString(L"UninstallString"), L"\"" + uninstaller + L"\"");
    EXPECT_EQ(ReadString(L"QuietUninstallString"), L"\"" + uninstaller + L"\" /S");
    EXPECT_EQ(ReadString(L"InstallLocation"), g_installFolder.wstring());
    EXPECT_EQ(ReadDword(L"NoModify"), 1u);
    EXPECT_EQ(ReadDword(L"NoRepair"), 1u);

    // In KB, each shipped file rounded up: the uninstaller and the user's files do not count.
    std::uintmax_t kilobytes = 0;
    for (const auto& name : kShippedFiles) {
        kilobytes += (fs::file_size(g_installFolder / name) + 1023) / 1024;
    }
    EXPECT_EQ(ReadDword(L"EstimatedSize"), kilobytes);
}

TEST_F(Installed, TheToolCompilesAScriptOfTheUsersWithTheInstalledBrcc32) {
    const fs::path work = m_folder / L"Mes scripts";
    fs::create_directories(work);
    WriteBytes(work / L"donnees.bin", "0123456789");
    WriteBytes(work / L"appli.rc", "DONNEES RCDATA \"donnees.bin\"\r\n");

    const InstalledTool tool(L"", m_folder);
    ASSERT_NE(tool.Main(), nullptr) << "the installed tool did not show its window";
    EXPECT_EQ(ReadText(tool.Main()), kForm1Caption);
    const HWND status = tool.Control(kIdLabel2);
    ASSERT_TRUE(WaitUntil([&] { return ForegroundColour(status).has_value(); }));

    tool.Command(kCmdOuvrir);
    const auto dialog = FileDialog::WaitFor(tool.Id(), kOpenTitle);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(dialog->ChooseFile((work / L"appli.rc").wstring()));
    ASSERT_TRUE(WaitForText(status, kOpenedStatus)) << Narrow(ReadText(status));
    tool.Command(kCmdCompiler);
    EXPECT_TRUE(WaitForText(status, kSuccessStatus, 20000)) << Narrow(ReadText(status));
    EXPECT_TRUE(WaitUntil([&] { return ReadBytes(work / L"appli.res").find("0123456789") != std::string::npos; }))
        << "no appli.res beside the script";
}

// --- the install folder made read-only, as Program Files is to a user ---

using ReadOnlyInstall = Scratch;

TEST_F(ReadOnlyInstall, DebugWritesTheLogToTheTemporaryFolder) {
    // The tool's own writability probe must fail there, or this case proves nothing.
    const fs::path probe = g_installFolder / L"$_Temp_$.$$$";
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        DeleteFileW(probe.c_str());
        FAIL() << "the install folder is writable";
    }
    const fs::path temp = m_folder / L"temp";
    fs::create_directories(temp);

    const InstalledTool tool(L"-debug", m_folder, {{L"TEMP", temp.wstring()}, {L"TMP", temp.wstring()}});
    ASSERT_NE(tool.Main(), nullptr);
    const std::string log = ReadBytes(temp / L"HHDebug.txt");
    EXPECT_TRUE(log.starts_with("Filename:             \t" + Narrow((temp / L"HHDebug.txt").wstring()))) << log;
    EXPECT_FALSE(fs::exists(g_installFolder / L"HHDebug.txt"));
}

// --- after the silent uninstall, the user having left a file of theirs in the folder ---

using Uninstalled = Scratch;

TEST_F(Uninstalled, OnlyTheUsersFileIsLeftWithItsFolder) {
    EXPECT_EQ(FileNamesIn(g_installFolder), std::vector<std::wstring>{L"HHDebug.txt"});
    EXPECT_FALSE(fs::exists(StartMenuFolder()));
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
}

}  // namespace
}  // namespace talvorine::e2e

int main(int argc, char** argv) {
    using namespace talvorine::e2e;
    CoInitialize(nullptr);
    const int result = RunTestsWithPaths(argc, argv, {"install folder", "dist folder"}, [](const auto& paths) {
        g_installFolder = paths[0];
        g_distFolder = paths[1];
    });
    CoUninitialize();
    return result;
}
