// Works a top-level window from outside, for the scripts: wait until it is shown, send it a command.
//   window_control wait CLASS SECONDS       exit 0 once a visible window of that class exists
//   window_control command CLASS ID         posts the menu command ID to it
//   window_control gone CLASS SECONDS       exit 0 once no window of that class is left
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

HWND FindVisible(const wchar_t* className) {
    HWND hwnd = ::FindWindowW(className, nullptr);
    return hwnd != nullptr && ::IsWindowVisible(hwnd) ? hwnd : nullptr;
}

bool WaitFor(const wchar_t* className, double seconds, bool present) {
    const ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
    while (::GetTickCount64() < deadline) {
        if ((FindVisible(className) != nullptr) == present) {
            return true;
        }
        ::Sleep(50);
    }
    return false;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 4 && std::wcscmp(argv[1], L"wait") == 0) {
        return WaitFor(argv[2], _wtof(argv[3]), true) ? 0 : 1;
    }
    if (argc == 4 && std::wcscmp(argv[1], L"gone") == 0) {
        return WaitFor(argv[2], _wtof(argv[3]), false) ? 0 : 1;
    }
    if (argc == 4 && std::wcscmp(argv[1], L"command") == 0) {
        HWND hwnd = FindVisible(argv[2]);
        return hwnd != nullptr && ::PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(_wtoi(argv[3]), 0), 0) ? 0 : 1;
    }
    std::fwprintf(stderr, L"usage: window_control wait|gone CLASS SECONDS | command CLASS ID\n");
    return 2;
}
