// Child processes started hidden.
#include "framework/process.h"

#include <vector>

#include "framework/error.h"

namespace framework {

UniqueKernelHandle StartHiddenProcess(const std::wstring& commandLine, const std::wstring& failureMessage) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION info{};
    // CreateProcessW may write into the command line.
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                          &info)) {
        throw Error(failureMessage + SystemErrorDescription(::GetLastError()));
    }
    ::CloseHandle(info.hThread);
    return UniqueKernelHandle(info.hProcess);
}

ProcessExitWatch::ProcessExitWatch(HANDLE process, HWND window, UINT message, WPARAM cookie)
    : m_target(std::make_unique<Target>(Target{window, message, cookie})) {
    HANDLE wait = nullptr;
    if (!::RegisterWaitForSingleObject(&wait, process, &ProcessExitWatch::OnExit, m_target.get(), INFINITE,
                                       WT_EXECUTEONLYONCE)) {
        throw Error(L"Impossible de surveiller le processus : " + SystemErrorDescription(::GetLastError()));
    }
    m_wait.reset(wait);
}

void CALLBACK ProcessExitWatch::OnExit(void* context, BOOLEAN) {
    const auto* target = static_cast<const Target*>(context);
    ::PostMessageW(target->window, target->message, target->cookie, 0);
}

}  // namespace framework
