// The platform's open and save dialogs for text files.
#pragma once

#include <windows.h>

#include <string>

namespace framework {

struct FileDialogSpec {
    bool save;
    const wchar_t* title;
    const wchar_t* filter;            // description and pattern pairs, each ended by a NUL; a final NUL ends the list
    const wchar_t* defaultExtension;  // without its dot
};

class TextFileDialog {
public:
    explicit TextFileDialog(const FileDialogSpec& settings) : m_spec(settings) {}

    void SetInitialDir(std::wstring folder) { m_initialDir = std::move(folder); }

    // Shows the dialog modally. On a confirmed choice, remembers the full path and returns
    // true; a cancel changes nothing. Either way the current directory stays as it was.
    bool Execute(HWND owner);

    // The full path of the last confirmed choice, proposed again at the next use.
    const std::wstring& FileName() const { return m_fileName; }

private:
    FileDialogSpec m_spec;
    std::wstring m_initialDir;
    std::wstring m_fileName;
};

}  // namespace framework
