// Stand-in for brcc32 in the end-to-end test: logs how it was started, then exits with the code asked for.
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

std::wstring EnvOr(const wchar_t* name, const std::wstring& fallback) {
    wchar_t value[32768];
    const DWORD length = GetEnvironmentVariableW(name, value, static_cast<DWORD>(std::size(value)));
    return length == 0 || length >= std::size(value) ? fallback : std::wstring(value, length);
}

std::string Utf8(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
    return result;
}

void AppendToLog(const std::wstring& logPath) {
    wchar_t folder[MAX_PATH * 4] = {};
    GetCurrentDirectoryW(static_cast<DWORD>(std::size(folder)), folder);
    // One record per start, so that a test can count the starts.
    STARTUPINFOW startup{};
    GetStartupInfoW(&startup);
    const bool hidden = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 && startup.wShowWindow == SW_HIDE;
    const HWND console = GetConsoleWindow();
    const bool consoleShown = console != nullptr && IsWindowVisible(console);
    const std::string record = "cmd=" + Utf8(GetCommandLineW()) + "\nshown=" +
                               (consoleShown ? "console"
                                : hidden     ? "hidden"
                                             : "default") +
                               "\ncwd=" + Utf8(folder) + "\n";
    HANDLE log = CreateFileW(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD written = 0;
    WriteFile(log, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(log);
}

}  // namespace

int main() {
    if (const auto logPath = EnvOr(L"TALVORINE_FAKE_BRCC32_LOG", L""); !logPath.empty()) {
        AppendToLog(logPath);
    }
    if (const auto sleepMs = EnvOr(L"TALVORINE_FAKE_BRCC32_SLEEP_MS", L"0"); sleepMs != L"0") {
        Sleep(static_cast<DWORD>(std::wcstoul(sleepMs.c_str(), nullptr, 10)));
    }
    return static_cast<int>(std::wcstol(EnvOr(L"TALVORINE_FAKE_BRCC32_EXIT", L"0").c_str(), nullptr, 10));
}
