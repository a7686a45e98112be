// Stand-in for brcc32 in the end-to-end test: logs how it was started, writes the error lines asked for,
// then exits with the code asked for.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "tests/support/window_driver.h"

namespace {

using talvorine::e2e::Narrow;

std::wstring EnvOr(const wchar_t* name, const std::wstring& fallback) {
    wchar_t value[32768];
    const DWORD length = GetEnvironmentVariableW(name, value, static_cast<DWORD>(std::size(value)));
    return length == 0 || length >= std::size(value) ? fallback : std::wstring(value, length);
}

void AppendRecord(const std::wstring& logPath, const std::string& record) {
    HANDLE log = CreateFileW(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD written = 0;
    WriteFile(log, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(log);
}

// Lines "fake.rc(N): error: ligne N", alternately on standard error and output, as a compiler mixes them.
void WriteErrorLines(unsigned long count) {
    for (unsigned long i = 1; i <= count; ++i) {
        const std::string line = "fake.rc(" + std::to_string(i) + "): error: ligne " + std::to_string(i) + "\r\n";
        DWORD written = 0;
        WriteFile(GetStdHandle(i % 2 != 0 ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE), line.data(),
                  static_cast<DWORD>(line.size()), &written, nullptr);
    }
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
    const std::string record = "cmd=" + Narrow(GetCommandLineW()) + "\nshown=" +
                               (consoleShown ? "console"
                                : hidden     ? "hidden"
                                             : "default") +
                               "\ncwd=" + Narrow(folder) + "\n";
    AppendRecord(logPath, record);
}

}  // namespace

int main() {
    const auto logPath = EnvOr(L"TALVORINE_FAKE_BRCC32_LOG", L"");
    if (!logPath.empty()) {
        AppendToLog(logPath);
    }
    if (const auto sleepMs = EnvOr(L"TALVORINE_FAKE_BRCC32_SLEEP_MS", L"0"); sleepMs != L"0") {
        Sleep(static_cast<DWORD>(std::wcstoul(sleepMs.c_str(), nullptr, 10)));
    }
    WriteErrorLines(std::wcstoul(EnvOr(L"TALVORINE_FAKE_BRCC32_ERROR_LINES", L"0").c_str(), nullptr, 10));
    if (!logPath.empty()) {
        AppendRecord(logPath, "end\n");  // the moment it is about to exit
    }
    return static_cast<int>(std::wcstol(EnvOr(L"TALVORINE_FAKE_BRCC32_EXIT", L"0").c_str(), nullptr, 10));
}
