// The help engine under Wine: the binding through the registry, the close-all command, and whole
// starts of the probe (in a program of its own, copied where each case needs it).
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "help/hh.h"
#include "help/hh_funcs.h"
#include "tests/support/test_main.h"
#include "tests/support/window_driver.h"

namespace {

namespace fs = std::filesystem;
using talvorine::e2e::EnvVar;
using talvorine::e2e::LinuxPathToWindows;
using talvorine::e2e::Process;
using talvorine::e2e::ReadBytes;

constexpr wchar_t kServerKey[] = L"CLSID\\{adb880a6-d8ff-11cf-9377-00aa003b7a11}\\InprocServer32";

std::wstring g_probeHost;
std::wstring g_helpFile;

std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t end = bytes.find("\r\n", at);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(at) + "<no line break>");
            break;
        }
        lines.push_back(bytes.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

// HKEY_CLASSES_ROOT seen by this process only, as a scratch key: the prefix's own stays untouched.
class ClassesRootOverride {
public:
    ClassesRootOverride() {
        m_path = L"Software\\TalvorineTestClassesRoot-" + std::to_wstring(::GetCurrentProcessId());
        ::RegCreateKeyExW(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_root, nullptr);
        ::RegOverridePredefKey(HKEY_CLASSES_ROOT, m_root);
    }
    ~ClassesRootOverride() {
        ::RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
        ::RegCloseKey(m_root);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
    }
    void SetServer(DWORD type, const std::vector<BYTE>& data) const {
        HKEY key = nullptr;
        ::RegCreateKeyExW(m_root, kServerKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        ::RegSetValueExA(key, nullptr, 0, type, data.data(), static_cast<DWORD>(data.size()));
        ::RegCloseKey(key);
    }

private:
    std::wstring m_path;
    HKEY m_root = nullptr;
};

std::vector<BYTE> Sz(const std::string& text) {
    return std::vector<BYTE>(text.c_str(), text.c_str() + text.size() + 1);
}

TEST(HelpEngineBinding, PrefixRegistersHhctrlWithBothEntryPoints) {
    const std::string path = hh::LocateHHLibrary();
    ASSERT_NE(path.find("hhctrl.ocx"), std::string::npos) << path;

    hh::LoadHHLibrary();
    ASSERT_NE(hh::HHLibHandle, nullptr);
    const HMODULE handle = hh::HHLibHandle;
    const hh::THtmlHelpA ansi = hh::HtmlHelpA;
    EXPECT_NE(ansi, nullptr);
    EXPECT_NE(hh::HtmlHelpW, nullptr);
    EXPECT_EQ(hh::HtmlHelp, ansi);

    hh::LoadHHLibrary();  // bound already: no second load
    EXPECT_EQ(hh::HHLibHandle, handle);
    EXPECT_EQ(hh::HtmlHelp, ansi);

    hh::UnloadHHLibrary();
    EXPECT_EQ(hh::HHLibHandle, nullptr);
    EXPECT_EQ(hh::HtmlHelpA, nullptr);
    EXPECT_EQ(hh::HtmlHelpW, nullptr);
    EXPECT_EQ(hh::HtmlHelp, nullptr);
    EXPECT_EQ(::GetModuleHandleA("hhctrl.ocx"), nullptr) << "loaded twice, released once";
    hh::UnloadHHLibrary();  // unbound: nothing to do
    EXPECT_EQ(hh::HHLibHandle, nullptr);
}

TEST(HelpEngineBinding, OnlyAStringNamingAnExistingFileCounts) {
    const std::string real = hh::LocateHHLibrary();
    ASSERT_FALSE(real.empty());
    const std::string systemDir = hh_funcs::GetSystemDir();
    const DWORD one = 1;
    const struct {
        const char* what;
        DWORD type;
        std::vector<BYTE> data;
        bool found;
    } cases[] = {
        {"a directory", REG_SZ, Sz(systemDir), false},
        {"an environment reference", REG_EXPAND_SZ, Sz("%SystemRoot%\\system32\\hhctrl.ocx"), false},
        {"a missing file", REG_SZ, Sz(systemDir + "\\no-such-hhctrl.ocx"), false},
        {"an empty value", REG_SZ, Sz(""), false},
        {"a number", REG_DWORD,
         std::vector<BYTE>(reinterpret_cast<const BYTE*>(&one), reinterpret_cast<const BYTE*>(&one + 1)), false},
        {"the real library", REG_SZ, Sz(real), true},
    };
    for (const auto& c : cases) {
        const ClassesRootOverride root;
        root.SetServer(c.type, c.data);
        EXPECT_EQ(hh::LocateHHLibrary(), c.found ? real : "") << c.what;
    }
}

TEST(HelpEngineBinding, AbsentKeyLeavesEverythingUnbound) {
    const ClassesRootOverride emptyRoot;
    EXPECT_EQ(hh::LocateHHLibrary(), "");
    hh::LoadHHLibrary();
    EXPECT_EQ(hh::HHLibHandle, nullptr);
    EXPECT_EQ(hh::HtmlHelpA, nullptr);
    EXPECT_EQ(hh::HtmlHelpW, nullptr);
    EXPECT_EQ(hh::HtmlHelp, nullptr);
}

TEST(HelpEngineBinding, CloseAllClosesAnOpenHelpWindow) {
    if (::GetFileAttributesW(g_helpFile.c_str()) == INVALID_FILE_ATTRIBUTES) {
        GTEST_SKIP() << "this build has no help file";
    }
    hh::LoadHHLibrary();
    ASSERT_NE(hh::HtmlHelp, nullptr);
    const std::string file(g_helpFile.begin(), g_helpFile.end());
    const HWND window = hh::HtmlHelp(::GetDesktopWindow(), file.c_str(), hh::HH_DISPLAY_TOPIC, 0);
    ASSERT_TRUE(::IsWindow(window));
    hh::HtmlHelp(nullptr, nullptr, hh::HH_CLOSE_ALL, 0);
    EXPECT_FALSE(::IsWindow(window));
    hh::UnloadHHLibrary();
}

TEST(HelpProbe, TemporaryFolderFallsBackToDriveC) {
    wchar_t tmp[MAX_PATH] = {};
    wchar_t temp[MAX_PATH] = {};
    ::GetEnvironmentVariableW(L"TMP", tmp, MAX_PATH);
    ::GetEnvironmentVariableW(L"TEMP", temp, MAX_PATH);
    ::SetEnvironmentVariableW(L"TMP", L"C:\\no-such-temporary-folder\\");
    ::SetEnvironmentVariableW(L"TEMP", L"C:\\no-such-temporary-folder\\");
    EXPECT_EQ(hh_funcs::GetTempDir(), "c:");
    ::SetEnvironmentVariableW(L"TMP", L"C:\\windows\\\\");
    EXPECT_EQ(hh_funcs::GetTempDir(), "C:\\windows");
    ::SetEnvironmentVariableW(L"TMP", tmp);
    ::SetEnvironmentVariableW(L"TEMP", temp);
}

// Each case starts the probe in a folder of its own, with a temporary folder of its own.
class ProbeStart : public ::testing::Test {
protected:
    void SetUp() override {
        m_root = talvorine::e2e::NewScratchFolder(L"talvorine-probe");
        m_app = m_root / L"app";
        m_temp = m_root / L"temp";
        fs::create_directories(m_app);
        fs::create_directories(m_temp);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(m_root, ignored);
    }

    // Starts the probe from `folder` (the app folder by default) and returns its exit code.
    DWORD Start(const std::wstring& arguments, std::vector<EnvVar> env = {}, const fs::path& folder = {},
                const std::wstring& name = L"probe_host.exe") {
        const fs::path where = folder.empty() ? m_app : folder;
        fs::copy_file(g_probeHost, where / name, fs::copy_options::overwrite_existing);
        env.push_back({L"TMP", m_temp.wstring()});
        env.push_back({L"TEMP", m_temp.wstring()});
        Process process = Process::Start((where / name).wstring(), arguments, m_root.wstring(), env);
        if (!process.WaitForExit(30000)) {
            process.Kill();
            return 0xDEAD;
        }
        return process.ExitCode().value_or(0xDEAD);
    }

    std::vector<std::string> Log(const fs::path& folder) const { return Lines(ReadBytes(folder / L"HHDebug.txt")); }

    fs::path m_root;
    fs::path m_app;
    fs::path m_temp;
};

TEST_F(ProbeStart, NormalStartDeletesOldLogAndProbeFile) {
    std::ofstream(m_app / L"HHDebug.txt") << "an earlier run";
    std::ofstream(m_app / L"$_Temp_$.$$$") << "left behind";
    ASSERT_EQ(Start(L""), 0u);
    EXPECT_FALSE(fs::exists(m_app / L"HHDebug.txt"));
    EXPECT_FALSE(fs::exists(m_app / L"$_Temp_$.$$$"));
    EXPECT_FALSE(fs::exists(m_temp / L"HHDebug.txt"));
}

TEST_F(ProbeStart, SwitchAsThirdParameterWritesTheReport) {
    ASSERT_EQ(Start(L"a \"b c\" -DEBUG d"), 0u);
    const std::vector<std::string> log = Log(m_app);
    ASSERT_EQ(log.size(), 22u) << ReadBytes(m_app / L"HHDebug.txt");
    // The layout of every line is pinned by the unit tests; here, what the probe gathered on Wine.
    const std::string app = m_app.string();
    const std::string expected[22] = {"Filename:             \t" + app + "\\HHDebug.txt",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      "",
                                      std::string(79, '-'),
                                      "EXE Path =          \t" + app + "\\probe_host.exe",
                                      "Cmdline Param(s) =  \ta | b c | -DEBUG | d",
                                      "_RunDir =           \t" + app,
                                      "_ModuleName =       \tprobe_host.exe",
                                      "_ModuleDir =        \t" + app,
                                      "",
                                      "_hhInstalled =      \tYES",
                                      "_hhVerStr =         \t5.2.3790.2744",
                                      "_hhFriendlyVerStr = \t> 1.33",
                                      "",
                                      "_ieInstalled =      \tYES",
                                      "_ieVerStr =         \t6.0.2900.2180",
                                      "_ieFriendlyVerStr = \t> Internet Explorer 6",
                                      std::string(79, '=')};
    for (std::size_t i = 0; i < log.size(); ++i) {
        if (!expected[i].empty()) {
            EXPECT_EQ(log[i], expected[i]) << "line " << i + 1;
        }
    }
    EXPECT_TRUE(std::regex_match(log[2], std::regex("Operating System:      \tWindows NT [0-9]+\\.[0-9]+\\.[0-9]+")))
        << log[2];
}

TEST_F(ProbeStart, MarkerFileSwitchesOnButMarkerFolderDoesNot) {
    std::ofstream(m_app / L"debug.debug").close();
    ASSERT_EQ(Start(L""), 0u);
    EXPECT_EQ(Log(m_app).size(), 22u);

    fs::remove(m_app / L"debug.debug");
    fs::create_directory(m_app / L"debug.debug");
    ASSERT_EQ(Start(L""), 0u);
    EXPECT_FALSE(fs::exists(m_app / L"HHDebug.txt"));
}

// Wine running as root ignores a folder's permissions and a file's read-only attribute alike; what it
// does refuse is to create a file where a folder of that name stands, so the probe file cannot be made.
TEST_F(ProbeStart, UnwritableModuleFolderSendsTheLogToTheTemporaryFolder) {
    fs::create_directory(m_app / L"$_Temp_$.$$$");
    ASSERT_EQ(Start(L"/debug"), 0u);
    EXPECT_FALSE(fs::exists(m_app / L"HHDebug.txt"));
    const std::vector<std::string> log = Log(m_temp);
    ASSERT_EQ(log.size(), 22u);
    EXPECT_EQ(log[0], "Filename:             \t" + m_temp.string() + "\\HHDebug.txt");
}

TEST_F(ProbeStart, Windows98BuildNumberIsItsLowWord) {
    // Wine reports win98 to this program name only; the key goes with the case.
    const wchar_t kAppDefaults[] = L"Software\\Wine\\AppDefaults\\probe_host_9x.exe";
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kAppDefaults, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"win98"), sizeof(L"win98"));
    ::RegCloseKey(key);
    const DWORD exitCode = Start(L"-debug", {}, {}, L"probe_host_9x.exe");
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kAppDefaults);
    ASSERT_EQ(exitCode, 0u);
    const std::vector<std::string> log = Log(m_app);
    ASSERT_EQ(log.size(), 22u);
    EXPECT_EQ(log[2], "Operating System:      \tWindows 4.10.2222");
}

// Wine takes a process's locale from the environment that the whole test program was started in (a
// child's own environment block does not change it): this case has a run of its own, under fr_FR.
using FrenchLocale = ProbeStart;

TEST_F(FrenchLocale, ReportShowsFrenchLocaleAndSeparator) {
    ASSERT_EQ(Start(L"-debug"), 0u);
    const std::vector<std::string> log = Log(m_app);
    ASSERT_EQ(log.size(), 22u);
    EXPECT_TRUE(std::regex_match(
        log[1], std::regex("Date:                 \t[0-9]{2}/[0-9]{2}/[0-9]{4}( [0-9]{2}:[0-9]{2}:[0-9]{2})?")))
        << log[1];
    EXPECT_EQ(log[3], "SysLocale.DefaultLCID: \t0x040C");
    EXPECT_EQ(log[4], "SysLocale.PriLangID:   \t0x000C");
    EXPECT_EQ(log[5], "SysLocale.SubLangID:   \t0x0001");
    EXPECT_EQ(log[6], "DecimalSeparator:      \t,");
}

}  // namespace

int main(int argc, char** argv) {
    return talvorine::e2e::RunTestsWithPaths(argc, argv, {"probe_host.exe", "Talvorine.chm"}, [](const auto& paths) {
        g_probeHost = paths[0];
        g_helpFile = paths[1];
    });
}
