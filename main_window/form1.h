// The main window: the script memo, the file-name box, the status label and the commands.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "about/about.h"
#include "framework/command.h"
#include "framework/file_dialog.h"
#include "framework/form.h"
#include "framework/handles.h"
#include "framework/process.h"
#include "main_window/script_text.h"

namespace talvorine {

using framework::TCloseAction;
using enum framework::TCloseAction;

class TForm1 : public framework::Form {
public:
    TForm1();

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
    void ControlsCreated() override;
    void FormCreate() override;
    void FormClose(TCloseAction& action) override;
    void FormDestroy() override;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCommand(UINT id, UINT code, HWND control) override;
    void OnCompileEnded(WPARAM cookie);

    bool CommandEnabled(UINT id) const;
    void SetCompileEnabled(bool enabled);
    void SetStatus(const std::wstring& text, COLORREF colour);
    // Status set by a command: a compile still running no longer reports on it.
    void SetCommandStatus(const std::wstring& text, COLORREF colour);
    // Memo text set by a command: not a change of the user's.
    void ReplaceMemoText(const std::wstring& text, const std::wstring& former);
    // The file the user picks in `dialog`; nothing when they cancel it.
    std::optional<std::wstring> ChooseFile(framework::TextFileDialog& dialog);
    // What Open and Save As do with the file chosen.
    void OpenScript(const std::wstring& path);
    void SaveScript(const std::wstring& path);

    framework::UniqueImageList m_imageList1;
    TAboutBox AboutBox1;
    // tlbtnCompiler and Compiler1: one flag.
    framework::Command m_compile;
    bool m_settingMemoText = false;
    // What Save As writes: the encoding of the file last opened, ANSI after New.
    ScriptEncoding m_scriptEncoding = ScriptEncoding::kAnsi;

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
