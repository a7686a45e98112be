// Reading and setting a window's text, the focus, and input: typed by messages or the keyboard, clicks.
#include "tests/support/window_driver.h"

namespace talvorine::e2e {

namespace {

constexpr UINT kSendTimeoutMs = 5000;

}  // namespace

std::wstring ReadText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length)) {
        return {};
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                             kSendTimeoutMs, &copied)) {
        return {};
    }
    text.resize(std::min<size_t>(copied, length));
    return text;
}

bool WaitForText(HWND window, std::wstring_view expected, DWORD timeoutMs) {
    return WaitUntil([&] { return ReadText(window) == expected; }, timeoutMs);
}

void SetText(HWND window, const std::wstring& text) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, kSendTimeoutMs,
                        &ignored);
}

HWND FocusedWindow(HWND anyWindowOfThread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const DWORD thread = GetWindowThreadProcessId(anyWindowOfThread, nullptr);
    return thread != 0 && GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

bool IsResponsive(HWND window, DWORD timeoutMs) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &ignored) != 0;
}

void TypeByMessages(HWND edit, std::wstring_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c == L'\n') {
            // A keyboard has one Enter key: "\r\n" and a lone "\n" are both one press.
            if (i > 0 && text[i - 1] == L'\r') {
                continue;
            }
            c = L'\r';
        }
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(edit, WM_CHAR, c, 1, SMTO_ABORTIFHUNG, kSendTimeoutMs, &ignored);
    }
}

bool TypeByKeyboard(HWND topLevel, std::wstring_view text) {
    SetForegroundWindow(topLevel);
    if (!WaitUntil([&] { return GetForegroundWindow() == topLevel; }, 3000)) {
        return false;
    }
    std::vector<INPUT> inputs;
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'\n' && i > 0 && text[i - 1] == L'\r') {
            continue;
        }
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        if (c == L'\r' || c == L'\n') {
            down.ki.wVk = VK_RETURN;
        } else {
            down.ki.wScan = c;
            down.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        INPUT up = down;
        up.ki.dwFlags |= KEYEVENTF_KEYUP;
        inputs.push_back(down);
        inputs.push_back(up);
    }
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

bool ClickOn(HWND window) {
    HWND topLevel = GetAncestor(window, GA_ROOT);
    SetForegroundWindow(topLevel);
    if (!WaitUntil([&] { return GetForegroundWindow() == topLevel; }, 3000)) {
        return false;
    }
    RECT rect{};
    GetWindowRect(window, &rect);
    // Absolute coordinates run from 0 to 65535 across the primary screen.
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT inputs[3] = {};
    for (auto& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = MulDiv((rect.left + rect.right) / 2, 65536, width);
        input.mi.dy = MulDiv((rect.top + rect.bottom) / 2, 65536, height);
    }
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    return SendInput(3, inputs, sizeof(INPUT)) == 3;
}

}  // namespace talvorine::e2e
