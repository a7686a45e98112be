// Identifiers of the main window's commands and controls. Plain C++, so that
// programs that work the window from outside can include it too.
#pragma once

namespace talvorine {

// WM_COMMAND identifiers: a menu item and the tool button of the same command share one.
enum CommandId : unsigned short {
    kCmdNouveau = 101,
    kCmdOuvrir = 102,
    kCmdEnregistrer = 103,
    kCmdCompiler = 104,
    kCmdAide = 105,
    kCmdAPropos = 106,
    kCmdQuitter = 107,
};

// Child-window identifiers of the controls.
enum ControlId : unsigned short {
    kIdGroupBox1 = 1001,
    kIdLabel1 = 1002,
    kIdMemo1 = 1003,
    kIdStatusBar1 = 1004,
    kIdGroupBox2 = 1005,
    kIdEdit1 = 1006,
    kIdControlBar1 = 1007,
    kIdToolBar1 = 1008,
    kIdGroupBox3 = 1009,
    kIdLabel2 = 1010,
};

// Window class of the main window, and its caption.
inline constexpr wchar_t kForm1ClassName[] = L"TForm1";
inline constexpr wchar_t kForm1Caption[] = L"Talvorine 1.0 - Shell pour BRCC32";
inline constexpr wchar_t kApplicationTitle[] = L"Talvorine 1.0";

}  // namespace talvorine
