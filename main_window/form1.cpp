// The main window and its commands.
#include "main_window/form1.h"

#include <commctrl.h>
#include <mmsystem.h>

#include <cstdint>
#include <iterator>
#include <optional>
#include <vector>

#include "framework/ansi.h"
#include "framework/application.h"
#include "framework/error.h"
#include "framework/file_io.h"
#include "framework/file_path.h"
#include "framework/layout.h"
#include "framework/menu.h"
#include "framework/message_text.h"
#include "framework/wait_cursor.h"
#include "help/hh.h"
#include "main_window/compile_command.h"
#include "main_window/form1_layout.h"
#include "main_window/script_file.h"

namespace talvorine {
namespace {

using framework::FolderOf;

constexpr UINT kMsgCompileEnded = WM_APP + 1;

struct CommandBinding {
    UINT id;
    void (TForm1::*handler)();
};

constexpr CommandBinding kCommands[] = {
    {kCmdNouveau, &TForm1::tlbtnNouveauClick},
    {kCmdOuvrir, &TForm1::tlbtnOuvrirClick},
    {kCmdEnregistrer, &TForm1::tlbtnEnregistrerClick},
    {kCmdCompiler, &TForm1::tlbtnCompilerClick},
    {kCmdAide, &TForm1::tlbtnAideClick},
    {kCmdAPropos, &TForm1::Aproposde1Click},
    {kCmdQuitter, &TForm1::tlbtnQuitterClick},
};

// The folder of the running executable, with its trailing backslash.
std::wstring ExecutableFolder() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) {
            return FolderOf(std::wstring_view(buffer.data(), length));
        }
        buffer.resize(buffer.size() * 2);
    }
}

constexpr wchar_t kEmptyTextKeepsFile[] = L"Le texte à enregistrer est vide ; le fichier existant est conservé";

// Enough of the compiler's output for the lines the error box shows.
constexpr size_t kOutputHead = 64 * 1024;

}  // namespace

TForm1::TForm1()
    : Form(kForm1, kForm1Controls),
      m_openTextFileDialog1(kOpenTextFileDialog1),
      m_saveTextFileDialog1(kSaveTextFileDialog1) {
    AboutBox1.SetProductName(kAboutBox1.productName);
    AboutBox1.SetVersion(kAboutBox1.version);
    AboutBox1.SetCopyright(kAboutBox1.copyright);
    CreateForm(nullptr, framework::BuildMenu(kMainMenu1));
    AboutBox1.SetOwner(Handle());
}

void TForm1::ControlsCreated() {
    int statusParts[] = {-1};  // the one panel reaches the bar's right end
    ::SendMessageW(Control(kIdStatusBar1), SB_SETPARTS, std::size(statusParts), reinterpret_cast<LPARAM>(statusParts));
    ::SendMessageW(Control(kIdStatusBar1), SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(kMakersNotice));
    m_imageList1 = framework::LoadGlyphList(kImageList1, kGlyphSize, kGlyphCount);
    framework::AddToolButtons(Control(kIdToolBar1), kToolBar1Buttons, kToolBar1, m_imageList1.get(), Scale());
    m_compile = framework::Command(Control(kIdToolBar1), Handle(), kCmdCompiler);
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kMsgCompileEnded) {
        OnCompileEnded(wParam);
        return 0;
    }
    return Form::HandleMessage(message, wParam, lParam);
}

bool TForm1::CommandEnabled(UINT id) const { return framework::Command(Control(kIdToolBar1), Handle(), id).Enabled(); }

void TForm1::OnCommand(UINT id, UINT code, HWND control) {
    if (id == kIdMemo1 && code == EN_CHANGE && control == Control(kIdMemo1)) {
        if (!m_settingMemoText) {
            Memo1Change();
        }
        return;
    }
    if (control != nullptr && control != Control(kIdToolBar1)) {
        return;  // other notifications of the controls
    }
    for (const CommandBinding& binding : kCommands) {
        // A disabled command does nothing, however its message arrived.
        if (binding.id == id && CommandEnabled(id)) {
            (this->*binding.handler)();
            return;
        }
    }
}

void TForm1::SetCompileEnabled(bool enabled) { m_compile.SetEnabled(enabled); }

void TForm1::SetStatus(const std::wstring& text, COLORREF colour) {
    framework::SetText(Control(kIdLabel2), text);
    SetTextColour(kIdLabel2, colour);
}

void TForm1::SetCommandStatus(const std::wstring& text, COLORREF colour) {
    m_reportedCompile = 0;
    SetStatus(text, colour);
}

void TForm1::ReplaceMemoText(const std::wstring& text, const std::wstring& former) {
    m_settingMemoText = true;
    const framework::ScopeExit restore([this] { m_settingMemoText = false; });
    framework::SetMemoText(Control(kIdMemo1), text, former);
}

void TForm1::FormCreate() { ::PlaySoundA("Talvorine", ::GetModuleHandleW(nullptr), SND_RESOURCE | SND_ASYNC); }

void TForm1::FormClose(TCloseAction& action) { action = caFree; }

void TForm1::FormDestroy() {
    // The help windows go while the engine that draws them is still loaded.
    if (hh::HtmlHelp != nullptr) {
        hh::HtmlHelp(nullptr, nullptr, hh::HH_CLOSE_ALL, 0);
    }
}

void TForm1::Memo1Change() { SetCompileEnabled(true); }

void TForm1::tlbtnNouveauClick() {
    ReplaceMemoText(L"", framework::GetText(Control(kIdMemo1)));
    framework::SetText(Control(kIdEdit1), L"");
    framework::SetText(Control(kIdGroupBox1), L"Création de Fichier rc : ");
    SetCommandStatus(kStartStatus, kBlack);
    m_scriptEncoding = ScriptEncoding::kAnsi;
    ::SetFocus(Control(kIdMemo1));
}

// The dialog opens on the program's folder each time, whatever the user chose before.
std::optional<std::wstring> TForm1::ChooseFile(framework::TextFileDialog& dialog) {
    dialog.SetInitialDir(ExecutableFolder());
    if (!dialog.Execute(Handle())) {
        return std::nullopt;
    }
    return dialog.FileName();
}

void TForm1::tlbtnOuvrirClick() {
    if (const std::optional<std::wstring> path = ChooseFile(m_openTextFileDialog1)) {
        framework::WaitCursor wait;
        OpenScript(*path);
    }
}

void TForm1::OpenScript(const std::wstring& path) {
    // Compile runs in the current folder on the name in Edit1: the folder moves only
    // together with that name, once the file is in the memo.
    std::optional<framework::CurrentFolderChange> folder;
    ScriptEncoding encoding = ScriptEncoding::kAnsi;
    try {
        ScriptFileText file = MemoTextFromFile(framework::ReadWholeFile(path));
        const std::wstring& text = file.text;
        encoding = file.encoding;
        folder.emplace(FolderOf(path), L"Impossible d'ouvrir le fichier \"" + path + L"\". ");
        // An empty memo has nothing to compare or to put back.
        HWND memo = Control(kIdMemo1);
        const std::wstring former = ::GetWindowTextLengthW(memo) == 0 ? std::wstring() : framework::GetText(memo);
        if (text != former) {
            ReplaceMemoText(text, former);
            Memo1Change();
        }
    } catch (const std::bad_alloc&) {
        // A file too large to hold in memory is too large for the memo, which keeps its text.
        throw framework::Error(framework::kMemoCapacityError);
    }
    folder->Keep();
    m_scriptEncoding = encoding;
    const std::wstring bareName = BareName(path);
    framework::SetText(Control(kIdGroupBox1), framework::LiteralCaption(L"Fichier " + bareName));
    framework::SetText(Control(kIdEdit1), bareName);
    SetCommandStatus(L"Fichier .rc ouvert !", kTeal);
    ::SetFocus(Control(kIdMemo1));
}

void TForm1::tlbtnEnregistrerClick() {
    if (const std::optional<std::wstring> path = ChooseFile(m_saveTextFileDialog1)) {
        framework::WaitCursor wait;
        SaveScript(*path);
    }
}

void TForm1::SaveScript(const std::wstring& path) {
    const std::wstring former = framework::GetText(Control(kIdMemo1));
    // Every save empties the memo, and the dialog proposes the name just saved: without this,
    // a second Save As would put nothing in the place of the saved script.
    if (former.empty() && framework::FileHoldsBytes(path)) {
        throw framework::Error(framework::CannotCreateMessage(path, kEmptyTextKeepsFile));
    }
    framework::CurrentFolderChange folder(FolderOf(path), L"Impossible de créer le fichier \"" + path + L"\". ");
    framework::ReplaceWholeFile(path, FileBytesFromMemoText(former, m_scriptEncoding));
    folder.Keep();
    ReplaceMemoText(L"", former);
    framework::SetText(Control(kIdGroupBox1), kStartCaption);
    framework::SetText(Control(kIdEdit1), BareName(path));
    SetCommandStatus(L"Fichier .rc enregistré !", kTeal);
    ::SetFocus(Control(kIdMemo1));
}

void TForm1::tlbtnCompilerClick() {
    // Whatever happens below, a start that fails included, Compile ends disabled.
    const framework::ScopeExit disableCompile([this] {
        SetCompileEnabled(false);
        ::SetFocus(Control(kIdMemo1));
    });

    const std::wstring bareName = framework::GetText(Control(kIdEdit1));
    if (bareName.empty()) {
        ::MessageBoxW(Handle(), L"Ouvrez ou enregistrez le fichier .rc à compiler ! ", L" Erreur... ",
                      MB_OK | MB_ICONERROR);
        return;
    }
    auto output = std::make_unique<framework::OutputFile>();
    framework::UniqueKernelHandle process =
        framework::StartHiddenProcess(CompileCommandLine(bareName), L"Impossible de lancer brcc32 : ", output.get());
    const WPARAM cookie = ++m_compileCount;
    auto watch = std::make_unique<framework::ProcessExitWatch>(process.get(), Handle(), kMsgCompileEnded, cookie);
    m_compiles.emplace(cookie, RunningCompile{std::move(output), std::move(process), std::move(watch)});
    SetStatus(L"Compilation en cours...", kBlack);
    m_reportedCompile = cookie;
}

void TForm1::OnCompileEnded(WPARAM cookie) {
    const auto found = m_compiles.find(cookie);
    if (found == m_compiles.end()) {
        return;
    }
    DWORD exitCode = 0;
    const bool known = ::GetExitCodeProcess(found->second.process.get(), &exitCode);
    const RunningCompile ended = std::move(found->second);
    m_compiles.erase(found);
    if (cookie != m_reportedCompile) {
        return;  // a later command has taken over the status label
    }
    m_reportedCompile = 0;
    // Without a console the user sees nothing of what the compiler said: its first lines
    // tell which line of which file is wrong, or why a .res built all the same may be wrong.
    const std::wstring output = framework::OutputTextToWide(ended.output->ReadHead(kOutputHead));
    if (known && exitCode == 0) {
        SetStatus(L"Compilation executée avec succès !", kGreen);
        ::MessageBeep(MB_OK);
        if (ReportsWarning(output)) {
            ::MessageBoxW(Handle(), CompilerReport(output).c_str(), kApplicationTitle, MB_OK | MB_ICONWARNING);
        }
        return;
    }
    SetStatus(CompileFailureStatus(known ? std::optional<std::uint32_t>(exitCode) : std::nullopt), kRed);
    const std::wstring report = CompilerReport(output);
    if (!report.empty()) {
        throw framework::Error(report);
    }
}

void TForm1::tlbtnAideClick() {
    static constexpr wchar_t kNoHelpEngineMessage[] =
        L"L'aide ne peut pas s'afficher : le moteur d'aide HTML de Windows (hhctrl.ocx) n'est pas installé "
        L"sur cet ordinateur.";
    const std::wstring path = ExecutableFolder() + L"Talvorine.chm";
    // The engine's own complaints would be in English, or none at all: say in French what is missing.
    if (hh::HtmlHelp == nullptr) {
        ::MessageBoxW(Handle(), kNoHelpEngineMessage, kApplicationTitle, MB_OK | MB_ICONWARNING);
        return;
    }
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        ::MessageBoxW(Handle(), (L"Le fichier d'aide « " + path + L" » est introuvable.").c_str(), kApplicationTitle,
                      MB_OK | MB_ICONWARNING);
        return;
    }
    const std::optional<std::string> ansiPath = framework::AnsiForm(path);
    if (!ansiPath) {
        // A folder the ANSI code page cannot name: the wide entry point still opens the file.
        if (hh::HtmlHelpW != nullptr) {
            hh::HtmlHelpW(::GetDesktopWindow(), path.c_str(), hh::HH_DISPLAY_TOPIC, 0);
        }
        return;
    }
    hh::HtmlHelp(::GetDesktopWindow(), ansiPath->c_str(), hh::HH_DISPLAY_TOPIC, 0);
}

void TForm1::Aproposde1Click() { AboutBox1.Execute(); }

void TForm1::tlbtnQuitterClick() { framework::Application::Instance().Terminate(); }

}  // namespace talvorine
