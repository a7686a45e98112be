// The main window's tests: their main. Run with `--dpi N`, the program runs its tests again in a child process
// that sees a display of N dots per inch (Wine reads it from the registry at process start).
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace talvorine {
namespace {

// Runs this program again, its tests seeing a display of `dpi` dots per inch.
int RunAtDpi(int dpi, int argc, char** argv) {
    struct Value {
        HKEY root;
        const wchar_t* key;
    };
    const Value values[] = {{HKEY_CURRENT_USER, L"Control Panel\\Desktop"}, {HKEY_CURRENT_CONFIG, L"Software\\Fonts"}};
    std::vector<std::optional<DWORD>> former;
    for (const Value& v : values) {
        HKEY key = nullptr;
        DWORD old = 0, size = sizeof(old);
        ::RegCreateKeyExW(v.root, v.key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        former.push_back(::RegQueryValueExW(key, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&old),
                                            &size) == ERROR_SUCCESS
                             ? std::optional<DWORD>(old)
                             : std::nullopt);
        const DWORD value = static_cast<DWORD>(dpi);
        ::RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
        ::RegCloseKey(key);
    }
    std::wstring commandLine = L"\"";
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    commandLine += self;
    commandLine += L"\"";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--dpi") {
            ++i;
            continue;
        }
        commandLine += L" " + std::wstring(arg.begin(), arg.end());
    }
    ::SetEnvironmentVariableW(L"TALVORINE_EXPECT_DPI", std::to_wstring(dpi).c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    DWORD exitCode = 1;
    if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                         &process)) {
        ::WaitForSingleObject(process.hProcess, INFINITE);
        ::GetExitCodeProcess(process.hProcess, &exitCode);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    for (size_t i = 0; i < std::size(values); ++i) {
        HKEY key = nullptr;
        ::RegOpenKeyExW(values[i].root, values[i].key, 0, KEY_ALL_ACCESS, &key);
        if (former[i]) {
            const DWORD old = *former[i];
            ::RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old), sizeof(old));
        } else {
            ::RegDeleteValueW(key, L"LogPixels");
        }
        ::RegCloseKey(key);
    }
    return static_cast<int>(exitCode);
}

}  // namespace
}  // namespace talvorine

int main(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--dpi") {
            return talvorine::RunAtDpi(std::atoi(argv[i + 1]), argc, argv);
        }
    }
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
