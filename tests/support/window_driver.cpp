// Driving another process's windows from outside: the Win32 calls behind window_driver.h.
#include "tests/support/window_driver.h"

#include <algorithm>
#include <atomic>
#include <cwctype>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>

namespace talvorine::e2e {

namespace {

// Control ids of the common file dialog's template (dlgs.h), stable since Windows 95.
constexpr int kFileTypesCombo = 0x470;  // cmb1
constexpr int kFileNameCombo = 0x47c;   // cmb13
constexpr int kFileNameEdit = 0x480;    // edt1, used when the combo is absent
constexpr UINT kSendTimeoutMs = 5000;

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

bool ClassIs(HWND window, std::wstring_view className) {
    return className.empty() || _wcsicmp(ClassNameOf(window).c_str(), std::wstring(className).c_str()) == 0;
}

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

void PostCommand(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool WaitGone(HWND window, DWORD timeoutMs) {
    return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

}  // namespace

UniqueHandle& UniqueHandle::operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
        Reset();
        m_handle = std::exchange(other.m_handle, nullptr);
    }
    return *this;
}

void UniqueHandle::Reset() {
    if (m_handle != nullptr) {
        CloseHandle(m_handle);
        m_handle = nullptr;
    }
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) {
            return true;
        }
        if (GetTickCount64() >= deadline) {
            return condition();
        }
        Sleep(pollMs);
    }
}

std::filesystem::path NewScratchFolder(std::wstring_view prefix) {
    static std::atomic<int> counter = 0;
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    wchar_t longTemp[MAX_PATH] = {};
    GetLongPathNameW(temp, longTemp, MAX_PATH);
    const std::filesystem::path folder =
        std::filesystem::path(longTemp) /
        (std::wstring(prefix) + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter));
    std::filesystem::create_directories(folder);
    return folder;
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::wstring> FileNamesIn(const std::filesystem::path& folder) {
    std::vector<std::wstring> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().wstring());
    }
    std::ranges::sort(names);
    return names;
}

std::wstring Widen(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring result(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), result.data(), size);
    return result;
}

std::string Narrow(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
    return result;
}

std::wstring LinuxPathToWindows(std::string_view path) {
    std::wstring result = Widen(path);
    if (!result.empty() && result.front() == L'/') {
        result.insert(0, L"Z:");
    }
    std::ranges::replace(result, L'/', L'\\');
    return result;
}

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

std::optional<ScreenPixels> CaptureWindow(HWND window) {
    // The client area only: borders and 3-D edges are not the control's colours.
    RECT rect{};
    if (!GetClientRect(window, &rect) || rect.right <= rect.left || rect.bottom <= rect.top) {
        return std::nullopt;
    }
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    ScreenPixels result;
    result.width = rect.right - rect.left;
    result.height = rect.bottom - rect.top;

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = result.width;
    info.bmiHeader.biHeight = -result.height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (bitmap != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        ok = BitBlt(memory, 0, 0, result.width, result.height, screen, rect.left, rect.top, SRCCOPY) != 0;
        GdiFlush();
        if (ok) {
            const auto* quads = static_cast<const RGBQUAD*>(bits);
            result.pixels.reserve(static_cast<size_t>(result.width) * result.height);
            for (int i = 0; i < result.width * result.height; ++i) {
                result.pixels.push_back(RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue));
            }
        }
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok ? std::optional(std::move(result)) : std::nullopt;
}

std::optional<COLORREF> ForegroundColour(HWND window) {
    const auto capture = CaptureWindow(window);
    if (!capture) {
        return std::nullopt;
    }
    std::map<COLORREF, int> counts;
    for (COLORREF c : capture->pixels) {
        ++counts[c];
    }
    if (counts.size() < 2) {
        return std::nullopt;
    }
    std::vector<std::pair<int, COLORREF>> byCount;
    for (const auto& [colour, count] : counts) {
        byCount.emplace_back(count, colour);
    }
    std::ranges::sort(byCount, std::greater<>());
    // Smoothed glyph edges blend into the background; the solid stems keep the exact text colour and outnumber
    // any single blended shade.
    return byCount[1].second;
}

bool WaitForForegroundColour(HWND window, COLORREF expected, DWORD timeoutMs) {
    return WaitUntil([&] { return ForegroundColour(window) == expected; }, timeoutMs, 50);
}

std::wstring ColourName(std::optional<COLORREF> colour) {
    if (!colour) {
        return L"(none)";
    }
    wchar_t text[16] = {};
    swprintf(text, std::size(text), L"0x%08lX", static_cast<unsigned long>(*colour));
    return text;
}

std::optional<FileDialog> FileDialog::WaitFor(DWORD pid, std::wstring_view title, DWORD timeoutMs) {
    HWND dialog = nullptr;
    // The dialog is shown before its children are filled in: wait for the name field too.
    const bool found = WaitUntil(
        [&] {
            dialog = FindTopLevelWindow(pid, L"#32770", title);
            return dialog != nullptr && FileDialog(dialog).FileNameField() != nullptr;
        },
        timeoutMs);
    return found ? std::optional(FileDialog(dialog)) : std::nullopt;
}

HWND FileDialog::FileNameField() const {
    // Wine's dialog wraps the field in a ComboBoxEx32 around a ComboBox around the Edit.
    HWND combo = FindDescendantById(m_dialog, kFileNameCombo);
    if (combo != nullptr && IsWindowVisible(combo)) {
        if (ClassIs(combo, L"Edit")) {
            return combo;
        }
        if (auto edits = DescendantsOfClass(combo, L"Edit"); !edits.empty()) {
            return edits.front();
        }
    }
    HWND edit = FindDescendantById(m_dialog, kFileNameEdit);
    return edit != nullptr && IsWindowVisible(edit) ? edit : nullptr;
}

std::vector<std::wstring> FileDialog::FileTypes() const {
    std::vector<std::wstring> types;
    HWND combo = FindDescendantById(m_dialog, kFileTypesCombo);
    if (combo == nullptr) {
        return types;
    }
    const auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const auto length = SendMessageW(combo, CB_GETLBTEXTLEN, i, 0);
        if (length < 0) {
            continue;
        }
        std::wstring item(static_cast<size_t>(length) + 1, L'\0');
        const auto copied = SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
        item.resize(copied < 0 ? 0 : static_cast<size_t>(copied));
        types.push_back(item);
    }
    return types;
}

void FileDialog::SetFileName(const std::wstring& path) const { SetText(FileNameField(), path); }

void FileDialog::Confirm() const { PostCommand(m_dialog, IDOK); }

void FileDialog::Cancel() const { PostCommand(m_dialog, IDCANCEL); }

bool FileDialog::WaitClosed(DWORD timeoutMs) const { return WaitGone(m_dialog, timeoutMs); }

bool FileDialog::ChooseFile(const std::wstring& path) const {
    SetFileName(path);
    if (!WaitForText(FileNameField(), path, 3000)) {
        return false;
    }
    Confirm();
    return WaitClosed();
}

std::optional<MessageBoxWindow> MessageBoxWindow::WaitFor(DWORD pid, std::wstring_view caption, DWORD timeoutMs) {
    HWND box = WaitForTopLevelWindow(pid, L"#32770", caption, timeoutMs);
    return box != nullptr ? std::optional(MessageBoxWindow(box)) : std::nullopt;
}

std::wstring MessageBoxWindow::Text() const {
    for (HWND child : DescendantsOfClass(m_box, L"Static")) {
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            continue;
        }
        if (auto text = ReadText(child); !text.empty()) {
            return text;
        }
    }
    return {};
}

std::vector<std::wstring> MessageBoxWindow::ButtonTexts() const {
    std::vector<std::wstring> texts;
    for (HWND child : DescendantsOfClass(m_box, L"Button")) {
        if (IsWindowVisible(child)) {
            texts.push_back(ReadText(child));
        }
    }
    return texts;
}

bool MessageBoxWindow::HasErrorIcon() const {
    for (HWND child : DescendantsOfClass(m_box, L"Static")) {
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON || !IsWindowVisible(child)) {
            continue;
        }
        std::optional<ScreenPixels> capture;
        // The icon is painted a little after the box shows.
        int red = 0;
        int coloured = 0;
        WaitUntil(
            [&] {
                capture = CaptureWindow(child);
                if (!capture) {
                    return false;
                }
                red = 0;
                coloured = 0;
                for (COLORREF c : capture->pixels) {
                    const int r = GetRValue(c);
                    const int g = GetGValue(c);
                    const int b = GetBValue(c);
                    if (std::max({r, g, b}) - std::min({r, g, b}) < 40) {
                        continue;  // grey, white or black: background and outlines
                    }
                    ++coloured;
                    if (r > 2 * g && r > 2 * b) {
                        ++red;
                    }
                }
                return coloured > 0;
            },
            3000, 50);
        return coloured > 0 && red * 2 > coloured;
    }
    return false;
}

void MessageBoxWindow::PressOk() const { PostCommand(m_box, IDOK); }

bool MessageBoxWindow::WaitClosed(DWORD timeoutMs) const { return WaitGone(m_box, timeoutMs); }

}  // namespace talvorine::e2e
