// The platform's open and save dialogs for text files.
#include "framework/file_dialog.h"

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <vector>

#include "framework/error.h"
#include "resources/text_file_dialog.h"

namespace framework {
namespace {

RECT RectIn(HWND window, HWND coordinatesOf) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(nullptr, coordinatesOf, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The row's label lines up with the dialog's file-type label, its list with the
// file-type list, whose width it follows.
void AlignEncodingRow(HWND row) {
    HWND dialog = ::GetParent(row);
    HWND typeLabel = ::GetDlgItem(dialog, stc2);
    HWND typeList = ::GetDlgItem(dialog, cmb1);
    HWND label = ::GetDlgItem(row, TEXTFILEDLG_ENCODING_LABEL);
    HWND list = ::GetDlgItem(row, TEXTFILEDLG_ENCODING_LIST);
    if (typeList == nullptr || label == nullptr || list == nullptr) {
        return;
    }
    const RECT typeListRect = RectIn(typeList, row);
    const RECT listRect = RectIn(list, row);
    RECT droppedRect{};
    ::SendMessageW(list, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&droppedRect));
    const int droppedHeight = std::max<int>(droppedRect.bottom - droppedRect.top, listRect.bottom - listRect.top);
    ::SetWindowPos(list, nullptr, typeListRect.left, listRect.top, typeListRect.right - typeListRect.left,
                   droppedHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    const int labelLeft = typeLabel != nullptr ? static_cast<int>(RectIn(typeLabel, row).left) : 0;
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

constexpr UINT_PTR kSizeSubclassId = 7;

}  // namespace

UINT_PTR CALLBACK TextFileDialog::HookProc(HWND row, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            auto* self = reinterpret_cast<TextFileDialog*>(reinterpret_cast<OPENFILENAMEW*>(lParam)->lCustData);
            ::SetWindowLongPtrW(row, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
            HWND list = ::GetDlgItem(row, TEXTFILEDLG_ENCODING_LIST);
            for (const wchar_t* entry : kTextFileEncodings) {
                ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
            }
            ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(self->m_encodingIndex), 0);
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
            const LRESULT selected = ::SendDlgItemMessageW(row, TEXTFILEDLG_ENCODING_LIST, CB_GETCURSEL, 0, 0);
            if (self != nullptr && selected != CB_ERR) {
                self->m_encodingIndex = static_cast<int>(selected);
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
    ofn.lpstrFilter = m_spec.filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrInitialDir = m_initialDir.empty() ? nullptr : m_initialDir.c_str();
    ofn.lpstrTitle = m_spec.title;
    ofn.lpstrDefExt = m_spec.defaultExtension;
    // The dialog must not move the current directory while the user browses: a cancel
    // keeps it, and a confirmed choice sets it below, whatever the platform's dialog does.
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
    if (m_spec.encodingRowTemplate != nullptr) {
        ofn.Flags |= OFN_ENABLETEMPLATE | OFN_ENABLEHOOK;
        ofn.hInstance = ::GetModuleHandleW(nullptr);
        ofn.lpTemplateName = m_spec.encodingRowTemplate;
        ofn.lpfnHook = &TextFileDialog::HookProc;
        ofn.lCustData = reinterpret_cast<LPARAM>(this);
    }

    const BOOL confirmed = m_spec.save ? ::GetSaveFileNameW(&ofn) : ::GetOpenFileNameW(&ofn);
    if (!confirmed) {
        const DWORD code = ::CommDlgExtendedError();
        if (code != 0) {
            throw Error(L"La boîte de dialogue de fichier a échoué (code " + std::to_wstring(code) + L")");
        }
        return false;
    }
    m_fileName = buffer.data();
    const size_t cut = m_fileName.find_last_of(L'\\');
    if (cut != std::wstring::npos) {
        ::SetCurrentDirectoryW(m_fileName.substr(0, cut + 1).c_str());
    }
    return true;
}

}  // namespace framework
