// Starting a program under test in an environment of its own, waiting for it and ending it.
#include <algorithm>
#include <cwctype>
#include <stdexcept>

#include "tests/support/window_driver.h"

namespace talvorine::e2e {

namespace {

std::wstring Upper(std::wstring_view text) {
    std::wstring result(text);
    for (auto& c : result) {
        c = static_cast<wchar_t>(std::towupper(c));
    }
    return result;
}

std::wstring NameOfEntry(std::wstring_view entry) {
    // Entries such as "=C:=C:\dir" keep their leading '=' as part of the name.
    const auto equals = entry.find(L'=', 1);
    return std::wstring(entry.substr(0, equals));
}

std::vector<wchar_t> BuildEnvironment(const std::vector<EnvVar>& extraEnv) {
    std::vector<std::wstring> entries;
    if (wchar_t* block = GetEnvironmentStringsW()) {
        for (const wchar_t* p = block; *p != L'\0'; p += wcslen(p) + 1) {
            entries.emplace_back(p);
        }
        FreeEnvironmentStringsW(block);
    }
    for (const auto& var : extraEnv) {
        const auto key = Upper(var.name);
        std::erase_if(entries, [&](const std::wstring& e) { return Upper(NameOfEntry(e)) == key; });
        entries.push_back(var.name + L"=" + var.value);
    }
    // Windows expects the block sorted by name, without regard to case.
    std::ranges::sort(entries, [](const std::wstring& a, const std::wstring& b) {
        return Upper(NameOfEntry(a)) < Upper(NameOfEntry(b));
    });
    std::vector<wchar_t> block;
    for (const auto& e : entries) {
        block.insert(block.end(), e.begin(), e.end());
        block.push_back(L'\0');
    }
    block.push_back(L'\0');
    return block;
}

}  // namespace

Process Process::Start(const std::wstring& exePath, const std::wstring& arguments, const std::wstring& workDir,
                       const std::vector<EnvVar>& extraEnv) {
    std::wstring commandLine = L"\"" + exePath + L"\"";
    if (!arguments.empty()) {
        commandLine += L" " + arguments;
    }
    auto environment = BuildEnvironment(extraEnv);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                        environment.data(), workDir.empty() ? nullptr : workDir.c_str(), &startup, &info)) {
        throw std::runtime_error("CreateProcess failed for " + Narrow(exePath) + ", error " +
                                 std::to_string(GetLastError()));
    }
    Process process;
    process.m_process = UniqueHandle(info.hProcess);
    process.m_thread = UniqueHandle(info.hThread);
    process.m_id = info.dwProcessId;
    return process;
}

bool Process::IsRunning() const { return m_process && WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT; }

bool Process::WaitForExit(DWORD timeoutMs) const {
    return m_process && WaitForSingleObject(m_process.Get(), timeoutMs) == WAIT_OBJECT_0;
}

std::optional<DWORD> Process::ExitCode() const {
    DWORD code = 0;
    if (IsRunning() || !m_process || !GetExitCodeProcess(m_process.Get(), &code)) {
        return std::nullopt;
    }
    return code;
}

void Process::Kill() {
    if (IsRunning()) {
        TerminateProcess(m_process.Get(), 0xDEAD);
        WaitForExit(kDefaultTimeoutMs);
    }
}

}  // namespace talvorine::e2e
