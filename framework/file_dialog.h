// The platform's open and save dialogs for text files.
#pragma once

#include <windows.h>

#include <string>

namespace framework {

struct FileDialogDesign {
    bool save;
    const wchar_t* title;
    const wchar_t* filter;            // description and pattern pairs, each ended by a NUL; a final NUL ends the list
    const wchar_t* defaultExtension;  // without its dot
    // The template of the dialog's encoding row, a resource of the executable.
    const wchar_t* encodingRowTemplate;
};

// The encoding row's entries, in the order shown. Choosing one changes nothing that is
// read or written: the row only remembers the choice.
inline constexpr const wchar_t* kTextFileEncodings[] = {L"ANSI",  L"ASCII", L"Unicode", L"Big Endian Unicode",
                                                        L"UTF-8", L"UTF-7"};

class TextFileDialog {
public:
    explicit TextFileDialog(const FileDialogDesign& settings) : m_design(settings) {}

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
