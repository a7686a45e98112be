// The main window: the script memo, the file-name box, the status label and the commands.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "framework/file_dialog.h"
#include "framework/handles.h"
#include "framework/process.h"
#include "framework/window.h"

namespace talvorine {

// What the close event may do with the window.
enum TCloseAction { caNone = 0, caHide = 1, caFree = 2, caMinimize = 3 };

class TForm1 final : public framework::Window {
public:
    TForm1();
    ~TForm1() override;

    void Show() override;

    // Commands, shared by each menu item and the tool button of the same command.
    void tlbtnNouveauClick();
    void tlbtnOuvrirClick();
    void tlbtnEnregistrerClick();
    void tlbtnCompilerClick();
    void tlbtnAideClick();
    void Aproposde1Click();
    void tlbtnQuitterClick();
    void Memo1Change();

private:
    void FormCreate();
    void FormClose(TCloseAction& action);
    void FormDestroy();

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CreateControls();
    void CreateToolBarButtons();
    void OnCommand(UINT id, UINT code, HWND control);
    LRESULT OnControlColour(HDC dc, HWND control);
    void OnCompileEnded(WPARAM cookie);

    HWND Control(int id) const;
    bool CommandEnabled(UINT id) const;
    void SetCompileEnabled(bool enabled);
    void SetStatus(const std::wstring& text, COLORREF colour);
    // Status set by a command: a compile still running no longer reports on it.
    void SetCommandStatus(const std::wstring& text, COLORREF colour);
    // Memo text set by a command: not a change of the user's.
    void ReplaceMemoText(const std::wstring& text, const std::wstring& former);

    framework::UniqueGdiObject m_font;
    std::map<int, HWND> m_controls;
    HWND m_lastFocus = nullptr;
    COLORREF m_statusColour;
    bool m_settingMemoText = false;

    framework::TextFileDialog m_openTextFileDialog1;
    framework::TextFileDialog m_saveTextFileDialog1;

    // Compiles whose end is still to be reported; only the latest one's result is shown,
    // and not even that once New, Open or Save As has set the status.
    struct RunningCompile {
        std::unique_ptr<framework::OutputFile> output;
        framework::UniqueKernelHandle process;
        std::unique_ptr<framework::ProcessExitWatch> watch;
    };
    std::map<WPARAM, RunningCompile> m_compiles;
    WPARAM m_compileCount = 0;
    WPARAM m_reportedCompile = 0;  // 0: none
};

}  // namespace talvorine
