// The common file dialog and the message box of another process: what they show, and answering them.
#include "tests/support/window_driver.h"
#include "tests/support/window_driver_internal.h"

namespace talvorine::e2e {

namespace {

// Control ids of the common file dialog's template (dlgs.h), stable since Windows 95.
constexpr int kFileTypesCombo = 0x470;  // cmb1
constexpr int kFileNameCombo = 0x47c;   // cmb13
constexpr int kFileNameEdit = 0x480;    // edt1, used when the combo is absent

void PostCommand(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool WaitGone(HWND window, DWORD timeoutMs) {
    return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

}  // namespace

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

namespace {

// Whether most coloured pixels of the box's icon are of the kind `matches` takes.
bool IconMostly(HWND box, bool (*matches)(int r, int g, int b)) {
    for (HWND child : DescendantsOfClass(box, L"Static")) {
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON || !IsWindowVisible(child)) {
            continue;
        }
        std::optional<ScreenPixels> capture;
        // The icon is painted a little after the box shows.
        int matching = 0;
        int coloured = 0;
        WaitUntil(
            [&] {
                capture = CaptureWindow(child);
                if (!capture) {
                    return false;
                }
                matching = 0;
                coloured = 0;
                for (COLORREF c : capture->pixels) {
                    const int r = GetRValue(c);
                    const int g = GetGValue(c);
                    const int b = GetBValue(c);
                    if (std::max({r, g, b}) - std::min({r, g, b}) < 40) {
                        continue;  // grey, white or black: background and outlines
                    }
                    ++coloured;
                    matching += matches(r, g, b) ? 1 : 0;
                }
                return coloured > 0;
            },
            3000, 50);
        return coloured > 0 && matching * 2 > coloured;
    }
    return false;
}

}  // namespace

bool MessageBoxWindow::HasErrorIcon() const {
    return IconMostly(m_box, [](int r, int g, int b) { return r > 2 * g && r > 2 * b; });
}

bool MessageBoxWindow::HasWarningIcon() const {
    return IconMostly(m_box, [](int r, int g, int b) { return r > 2 * b && g > 2 * b && g * 2 > r; });
}

void MessageBoxWindow::PressOk() const { PostCommand(m_box, IDOK); }

bool MessageBoxWindow::WaitClosed(DWORD timeoutMs) const { return WaitGone(m_box, timeoutMs); }

}  // namespace talvorine::e2e
