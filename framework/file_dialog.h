// The platform's open and save dialogs for text files.
#pragma once

#include <windows.h>

#include <span>
#include <string>

namespace framework {

// The row the program adds below the dialog's own controls: a label and a list to choose from.
struct EncodingRowDesign {
    const wchar_t* templateName;  // a dialog template among the executable's resources
    int labelId;
    int listId;
    std::span<const wchar_t* const> entries;  // in the order shown
};

struct FileDialogDesign {
    bool save;
    const wchar_t* title;
    const wchar_t* filter;            // description and pattern pairs, each ended by a NUL; a final NUL ends the list
    const wchar_t* defaultExtension;  // without its dot
    EncodingRowDesign encodingRow;
};

class TextFileDialog {
public:
    explicit TextFileDialog(const FileDialogDesign& settings) : m_design(settings) {}

    const FileDialogDesign& Design() const { return m_design; }

    void SetInitialDir(std::wstring folder) { m_initialDir = std::move(folder); }

    // Shows the dialog modally. On a confirmed choice, remembers the full path and returns
    // true; a cancel changes nothing. Either way the current directory stays as it was.
    bool Execute(HWND owner);

    // The full path of the last confirmed choice, proposed again at the next use.
    const std::wstring& FileName() const { return m_fileName; }

    // The encoding row's entry selected when the dialog last closed, confirmed or cancelled.
    int EncodingIndex() const { return m_encodingIndex; }

private:
    static UINT_PTR CALLBACK HookProc(HWND row, UINT message, WPARAM wParam, LPARAM lParam);

    FileDialogDesign m_design;
    int m_encodingIndex = 0;
    std::wstring m_initialDir;
    std::wstring m_fileName;
};

}  // namespace framework
