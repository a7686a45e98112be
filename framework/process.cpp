// Child processes started hidden.
#include "framework/process.h"

#include <cwchar>
#include <vector>

#include "framework/error.h"

namespace framework {
namespace {

[[noreturn]] void RaiseOutputFileError(DWORD code) {
    throw Error(L"Impossible de créer le fichier temporaire de la compilation : " + SystemErrorDescription(code));
}

}  // namespace

OutputFile::OutputFile() {
    const DWORD folderLength = ::GetTempPathW(0, nullptr);
    std::wstring folder(folderLength, L'\0');
    folder.resize(::GetTempPathW(folderLength, folder.data()));
    std::wstring name(folder.size() + MAX_PATH + 1, L'\0');
    if (folder.empty() || ::GetTempFileNameW(folder.c_str(), L"tlv", 0, name.data()) == 0) {
        RaiseOutputFileError(::GetLastError());
    }
    name.resize(wcslen(name.c_str()));
    m_file.reset(::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (!m_file) {
        const DWORD code = ::GetLastError();
        ::DeleteFileW(name.c_str());
        RaiseOutputFileError(code);
    }
}

std::string OutputFile::ReadHead(size_t limit) const {
    // The child wrote through a duplicate of this handle, which shares its position.
    LARGE_INTEGER start{};
    if (!::SetFilePointerEx(m_file.get(), start, nullptr, FILE_BEGIN)) {
        return {};
    }
    std::string bytes(limit, '\0');
    DWORD got = 0;
    if (!::ReadFile(m_file.get(), bytes.data(), static_cast<DWORD>(limit), &got, nullptr)) {
        got = 0;
    }
    bytes.resize(got);
    if (got == limit) {
        // More follows: a half line, or half a character, is not shown.
        const size_t lastBreak = bytes.find_last_of('\n');
        bytes.resize(lastBreak == std::string::npos ? 0 : lastBreak + 1);
    }
    return bytes;
}

UniqueKernelHandle StartHiddenProcess(const std::wstring& commandLine, const std::wstring& failureMessage,
                                      const OutputFile* output) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    // The child inherits one handle: an inheritable twin of the output file's, made for this
    // start alone, so that no other child started later holds the file open.
    UniqueKernelHandle inheritable;
    if (output != nullptr) {
        HANDLE twin = nullptr;
        if (!::DuplicateHandle(::GetCurrentProcess(), output->Handle(), ::GetCurrentProcess(), &twin, 0, TRUE,
                               DUPLICATE_SAME_ACCESS)) {
            throw Error(failureMessage + SystemErrorDescription(::GetLastError()));
        }
        inheritable.reset(twin);
        startup.dwFlags |= STARTF_USESTDHANDLES;
        startup.hStdInput = nullptr;
        startup.hStdOutput = twin;
        startup.hStdError = twin;
    }
    PROCESS_INFORMATION info{};
    // CreateProcessW may write into the command line.
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, output != nullptr, CREATE_NO_WINDOW, nullptr, nullptr,
                          &startup, &info)) {
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
