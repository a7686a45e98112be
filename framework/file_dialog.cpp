// The platform's open and save dialogs for text files.
#include "framework/file_dialog.h"

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/error.h"
#include "framework/layout.h"
#include "framework/wine.h"

namespace framework {
namespace {

// Wine's dialog copies the chosen path into a buffer of MAX_PATH characters on its own
// stack, whatever buffer it was given: a longer path typed in the name field overflows
// it and ends the program, with the memo's text. The dialog is watched from its
// initialisation on and refuses such a path before Wine's own code sees it.
constexpr size_t kWineLongestPath = MAX_PATH - 1;

// The full path the dialog would make of what the name field holds, its default extension included.
size_t ChosenPathLength(HWND dialog, const std::wstring& typed, const wchar_t* defaultExtension) {
    size_t length = typed.size();
    const size_t nameStart = typed.find_last_of(L"\\/:") + 1;
    if (defaultExtension != nullptr && typed.find(L'.', nameStart) == std::wstring::npos) {
        length += 1 + wcslen(defaultExtension);
    }
    if (typed.starts_with(LR"(\\)") || (typed.size() >= 3 && typed[1] == L':' && typed[2] == L'\\')) {
        return length;
    }
    if (typed.starts_with(L'\\')) {
        return 2 + length;  // from the root of the folder's drive
    }
    std::vector<wchar_t> folder(32768, L'\0');
    ::SendMessageW(dialog, CDM_GETFOLDERPATH, folder.size(), reinterpret_cast<LPARAM>(folder.data()));
    return wcslen(folder.data()) + 1 + length;
}

LRESULT CALLBACK LongPathGuardProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                   DWORD_PTR defaultExtension) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        HWND field = ::GetDlgItem(dialog, cmb13);
        if (field == nullptr) {
            field = ::GetDlgItem(dialog, edt1);
        }
        const std::wstring typed = field != nullptr ? GetText(field) : std::wstring();
        const size_t length = ChosenPathLength(dialog, typed, reinterpret_cast<const wchar_t*>(defaultExtension));
        if (length > kWineLongestPath) {
            const std::wstring text = L"Le chemin du fichier est trop long : " + std::to_wstring(length) +
                                      L" caractères, " + std::to_wstring(kWineLongestPath) + L" au plus.";
            ::MessageBoxW(dialog, text.c_str(), Application::Instance().Title().c_str(), MB_OK | MB_ICONERROR);
            return 0;
        }
    } else if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(dialog, &LongPathGuardProc, id);
    }
    return ::DefSubclassProc(dialog, message, wParam, lParam);
}

// The row's label lines up with the dialog's file-type label, its list with the
// file-type list, whose width it follows.
void AlignEncodingRow(HWND row) {
    const auto* self = reinterpret_cast<const TextFileDialog*>(::GetWindowLongPtrW(row, DWLP_USER));
    if (self == nullptr) {
        return;
    }
    const EncodingRowDesign& design = self->Design().encodingRow;
    HWND dialog = ::GetParent(row);
    HWND typeLabel = ::GetDlgItem(dialog, stc2);
    HWND typeList = ::GetDlgItem(dialog, cmb1);
    HWND label = ::GetDlgItem(row, design.labelId);
    HWND list = ::GetDlgItem(row, design.listId);
    if (typeList == nullptr || label == nullptr || list == nullptr) {
        return;
    }
    const RECT typeListRect = WindowRectIn(typeList, row);
    const RECT listRect = WindowRectIn(list, row);
    RECT droppedRect{};
    ::SendMessageW(list, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&droppedRect));
    const int droppedHeight = std::max<int>(droppedRect.bottom - droppedRect.top, listRect.bottom - listRect.top);
    ::SetWindowPos(list, nullptr, typeListRect.left, listRect.top, typeListRect.right - typeListRect.left,
                   droppedHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    const int labelLeft = typeLabel != nullptr ? static_cast<int>(WindowRectIn(typeLabel, row).left) : 0;
    ::SetWindowPos(label, nullptr, labelLeft, listRect.top + 2, 90, 21, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The dialog lays its own controls out anew when resized; the row follows afterwards.
LRESULT CALLBACK DialogSizeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR row) {
    const LRESULT result = ::DefSubclassProc(dialog, message, wParam, lParam);
    if (message == WM_SIZE) {
        AlignEncodingRow(reinterpret_cast<HWND>(row));
    }
    return result;
}

constexpr UINT_PTR kLongPathSubclassId = 1;
constexpr UINT_PTR kSizeSubclassId = 7;

}  // namespace

UINT_PTR CALLBACK TextFileDialog::HookProc(HWND row, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            auto* self = reinterpret_cast<TextFileDialog*>(reinterpret_cast<OPENFILENAMEW*>(lParam)->lCustData);
            ::SetWindowLongPtrW(row, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
            HWND list = ::GetDlgItem(row, self->m_design.encodingRow.listId);
            for (const wchar_t* entry : self->m_design.encodingRow.entries) {
                ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
            }
            ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(self->m_encodingIndex), 0);
            if (RunningUnderWine()) {
                ::SetWindowSubclass(::GetParent(row), &LongPathGuardProc, kLongPathSubclassId,
                                    reinterpret_cast<DWORD_PTR>(self->m_design.defaultExtension));
            }
            return FALSE;  // the focus stays where the dialog puts it: the file name
        }
        case WM_NOTIFY:
            if (reinterpret_cast<NMHDR*>(lParam)->code == CDN_INITDONE) {
                AlignEncodingRow(row);
                ::SetWindowSubclass(::GetParent(row), &DialogSizeProc, kSizeSubclassId,
                                    reinterpret_cast<DWORD_PTR>(row));
            }
            return FALSE;
        case WM_DESTROY: {
            // Remembered whether the dialog was confirmed or cancelled.
            auto* self = reinterpret_cast<TextFileDialog*>(::GetWindowLongPtrW(row, DWLP_USER));
            if (self != nullptr) {
                const LRESULT selected =
                    ::SendDlgItemMessageW(row, self->m_design.encodingRow.listId, CB_GETCURSEL, 0, 0);
                if (selected != CB_ERR) {
                    self->m_encodingIndex = static_cast<int>(selected);
                }
            }
            ::RemoveWindowSubclass(::GetParent(row), &DialogSizeProc, kSizeSubclassId);
            return FALSE;
        }
        default:
            return FALSE;
    }
}

bool TextFileDialog::Execute(HWND owner) {
    std::vector<wchar_t> buffer(32768, L'\0');
    m_fileName.copy(buffer.data(), buffer.size() - 1);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = m_design.filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrInitialDir = m_initialDir.empty() ? nullptr : m_initialDir.c_str();
    ofn.lpstrTitle = m_design.title;
    ofn.lpstrDefExt = m_design.defaultExtension;
    // The dialog must not move the current directory: the command that reads or writes the
    // chosen file moves it, once that has succeeded.
    ofn.Flags =
        OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK;
    ofn.hInstance = ::GetModuleHandleW(nullptr);
    ofn.lpTemplateName = m_design.encodingRow.templateName;
    ofn.lpfnHook = &TextFileDialog::HookProc;
    ofn.lCustData = reinterpret_cast<LPARAM>(this);

    const BOOL confirmed = m_design.save ? ::GetSaveFileNameW(&ofn) : ::GetOpenFileNameW(&ofn);
    if (!confirmed) {
        const DWORD code = ::CommDlgExtendedError();
        if (code != 0) {
            throw Error(L"La boîte de dialogue de fichier a échoué (code " + std::to_wstring(code) + L")");
        }
        return false;
    }
    m_fileName = buffer.data();
    return true;
}

}  // namespace framework
