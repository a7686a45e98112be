// Finding another process's windows: its top-level windows by class and title, their controls by id or class.
#include "tests/support/window_driver.h"
#include "tests/support/window_driver_internal.h"

namespace talvorine::e2e {

namespace {

struct EnumTopLevelState {
    DWORD pid;
    std::wstring_view className;
    std::wstring_view title;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) {
    auto& state = *reinterpret_cast<EnumTopLevelState*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == state.pid && ClassIs(window, state.className) &&
        (state.title.empty() || ReadText(window) == state.title)) {
        state.found.push_back(window);
    }
    return TRUE;
}

BOOL CALLBACK CollectChildren(HWND window, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

std::vector<HWND> Descendants(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectChildren, reinterpret_cast<LPARAM>(&children));
    return children;
}

}  // namespace

bool ClassIs(HWND window, std::wstring_view className) {
    return className.empty() || _wcsicmp(ClassNameOf(window).c_str(), std::wstring(className).c_str()) == 0;
}

std::vector<HWND> TopLevelWindows(DWORD pid, std::wstring_view className, std::wstring_view title) {
    EnumTopLevelState state{pid, className, title, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&state));
    return state.found;
}

HWND FindTopLevelWindow(DWORD pid, std::wstring_view className, std::wstring_view title) {
    for (HWND window : TopLevelWindows(pid, className, title)) {
        if (IsWindowVisible(window)) {
            return window;
        }
    }
    return nullptr;
}

HWND WaitForTopLevelWindow(DWORD pid, std::wstring_view className, std::wstring_view title, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopLevelWindow(pid, className, title)) != nullptr; }, timeoutMs);
    return found;
}

std::wstring ClassNameOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return name;
}

HWND FindDescendantById(HWND parent, int id) {
    for (HWND child : Descendants(parent)) {
        if (GetDlgCtrlID(child) == id) {
            return child;
        }
    }
    return nullptr;
}

std::vector<HWND> DescendantsOfClass(HWND parent, std::wstring_view className) {
    std::vector<HWND> result;
    for (HWND child : Descendants(parent)) {
        if (ClassIs(child, className)) {
            result.push_back(child);
        }
    }
    return result;
}

}  // namespace talvorine::e2e
