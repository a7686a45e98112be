// The platform's open and save dialogs for text files.
#include "framework/file_dialog.h"

#include <commdlg.h>

#include <vector>

#include "framework/error.h"

namespace framework {

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
    // The dialog must not move the current directory: the command that reads or writes the
    // chosen file moves it, once that has succeeded.
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;

    const BOOL confirmed = m_spec.save ? ::GetSaveFileNameW(&ofn) : ::GetOpenFileNameW(&ofn);
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
