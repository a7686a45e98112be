// Drives another process's windows from outside: processes, windows, dialogs, text, focus and colours.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace talvorine::e2e {

// Wine is slow to start a process or a dialog on a loaded machine: waits are generous, polls are short.
inline constexpr DWORD kDefaultTimeoutMs = 15000;
inline constexpr DWORD kPollMs = 15;

class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE handle) : m_handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept;
    ~UniqueHandle() { Reset(); }

    HANDLE Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
    void Reset();

private:
    HANDLE m_handle = nullptr;
};

// Polls until the condition holds; returns false when the time runs out first.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kDefaultTimeoutMs, DWORD pollMs = kPollMs);

// A new empty folder "<prefix>-<process id>-<count>" in the temporary folder, named in its long form so
// that it reads the same as the paths a program is given; the caller removes it.
std::filesystem::path NewScratchFolder(std::wstring_view prefix);

// A whole file's bytes, empty when it cannot be read; and a file made or replaced with the bytes.
std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, std::string_view bytes);
// The names of what a folder holds, sorted.
std::vector<std::wstring> FileNamesIn(const std::filesystem::path& folder);

// "/x/y" (Linux) becomes "Z:\x\y", Wine's view of the host file system; a Windows path is kept.
std::wstring LinuxPathToWindows(std::string_view path);
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view text);

struct EnvVar {
    std::wstring name;
    std::wstring value;
};

class Process {
public:
    // The child inherits this process's environment with `extraEnv` added or replaced.
    static Process Start(const std::wstring& exePath, const std::wstring& arguments, const std::wstring& workDir,
                         const std::vector<EnvVar>& extraEnv = {});

    Process() = default;
    Process(Process&&) noexcept = default;
    Process& operator=(Process&&) noexcept = default;

    explicit operator bool() const { return static_cast<bool>(m_process); }
    DWORD Id() const { return m_id; }
    HANDLE Handle() const { return m_process.Get(); }
    bool IsRunning() const;
    bool WaitForExit(DWORD timeoutMs = kDefaultTimeoutMs) const;
    std::optional<DWORD> ExitCode() const;
    void Kill();

private:
    UniqueHandle m_process;
    UniqueHandle m_thread;
    DWORD m_id = 0;
};

// Top-level windows of one process; an empty class or title matches anything.
std::vector<HWND> TopLevelWindows(DWORD pid, std::wstring_view className = {}, std::wstring_view title = {});
HWND FindTopLevelWindow(DWORD pid, std::wstring_view className, std::wstring_view title = {});
HWND WaitForTopLevelWindow(DWORD pid, std::wstring_view className, std::wstring_view title = {},
                           DWORD timeoutMs = kDefaultTimeoutMs);

std::wstring ClassNameOf(HWND window);
HWND FindDescendantById(HWND parent, int id);
std::vector<HWND> DescendantsOfClass(HWND parent, std::wstring_view className);

// WM_GETTEXT crosses process boundaries: the system copies the text back.
std::wstring ReadText(HWND window);
bool WaitForText(HWND window, std::wstring_view expected, DWORD timeoutMs = kDefaultTimeoutMs);
void SetText(HWND window, const std::wstring& text);

// The window that has the keyboard focus in the thread that owns `anyWindowOfThread`.
HWND FocusedWindow(HWND anyWindowOfThread);

// True when the window's thread answers a message within the time.
bool IsResponsive(HWND window, DWORD timeoutMs = 2000);

// Typing through the edit control's own message path: every character raises EN_CHANGE like a keystroke.
void TypeByMessages(HWND edit, std::wstring_view text);
// Typing through the system input queue (SendInput) into the foreground window's focused control.
bool TypeByKeyboard(HWND topLevel, std::wstring_view text);

// A left click in the middle of the window through the system input queue, its top-level window brought forward.
bool ClickOn(HWND window);

// Colours as seen on the screen.
struct ScreenPixels {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;
};
std::optional<ScreenPixels> CaptureWindow(HWND window);
// The most frequent colour that differs from the most frequent one (the background): the text's colour.
std::optional<COLORREF> ForegroundColour(HWND window);
bool WaitForForegroundColour(HWND window, COLORREF expected, DWORD timeoutMs = kDefaultTimeoutMs);
std::wstring ColourName(std::optional<COLORREF> colour);

// An open or save dialog (GetOpenFileName/GetSaveFileName), found by its title.
class FileDialog {
public:
    static std::optional<FileDialog> WaitFor(DWORD pid, std::wstring_view title, DWORD timeoutMs = kDefaultTimeoutMs);

    HWND Window() const { return m_dialog; }
    HWND FileNameField() const;
    // The file types list as it shows, e.g. "Fichier .rc".
    std::vector<std::wstring> FileTypes() const;
    void SetFileName(const std::wstring& path) const;
    void Confirm() const;
    void Cancel() const;
    bool WaitClosed(DWORD timeoutMs = kDefaultTimeoutMs) const;
    // Types the name, confirms, and waits for the dialog to go away.
    bool ChooseFile(const std::wstring& path) const;

private:
    explicit FileDialog(HWND dialog) : m_dialog(dialog) {}
    HWND m_dialog = nullptr;
};

// A MessageBox window, found by its caption.
class MessageBoxWindow {
public:
    static std::optional<MessageBoxWindow> WaitFor(DWORD pid, std::wstring_view caption,
                                                   DWORD timeoutMs = kDefaultTimeoutMs);

    HWND Window() const { return m_box; }
    std::wstring Caption() const { return ReadText(m_box); }
    std::wstring Text() const;
    std::vector<std::wstring> ButtonTexts() const;
    // The icon shows mostly red: the error (stop) icon; warning and information icons are yellow or blue.
    bool HasErrorIcon() const;
    // Mostly yellow or orange: the warning (exclamation) icon.
    bool HasWarningIcon() const;
    void PressOk() const;
    bool WaitClosed(DWORD timeoutMs = kDefaultTimeoutMs) const;

private:
    explicit MessageBoxWindow(HWND box) : m_box(box) {}
    HWND m_box = nullptr;
};

}  // namespace talvorine::e2e
