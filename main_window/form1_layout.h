// The main window's layout: its controls, menu and tool bar as tables, in creation order.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/file_dialog.h"
#include "framework/form.h"
#include "framework/layout.h"
#include "framework/menu.h"
#include "framework/tool_bar.h"
#include "main_window/form1_ids.h"
#include "resources/text_file_dialog.h"

namespace talvorine {

inline constexpr COLORREF kBlack = 0x00000000;
inline constexpr COLORREF kTeal = 0x00808000;
inline constexpr COLORREF kGreen = 0x00008000;
inline constexpr COLORREF kPurple = 0x00800080;
inline constexpr COLORREF kRed = 0x000000FF;

// The window's outer size, frame, title bar and menu bar included.
inline constexpr int kForm1Width = 465;
inline constexpr int kForm1Height = 353;

inline constexpr wchar_t kStartCaption[] = L"Création de Fichier .rc : ";
inline constexpr wchar_t kStartStatus[] = L"Créez ou ouvrez un fichier .rc !";
inline constexpr wchar_t kMakersNotice[] = L"Talvorine 1.0 - © 2026 les développeurs de Talvorine";

using framework::ControlKind;
using framework::Dock;
using framework::kDefaultColour;

// AboutBox1's three texts.
struct AboutBoxDesign {
    const wchar_t* productName;
    const wchar_t* version;
    const wchar_t* copyright;
};
inline constexpr AboutBoxDesign kAboutBox1 = {L"Talvorine", L"Version 1.0 - Win9x - WinXP",
                                            L"© 2026 les développeurs de Talvorine"};

inline constexpr framework::FontDesign kTahoma8 = {L"Tahoma", 8};

inline constexpr framework::FormDesign kForm1 = {
    kForm1ClassName, kForm1Caption, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX, 0,
    kForm1Width,     kForm1Height,  L"MAINICON",
    kTahoma8,        kIdMemo1,      true,
};

// The tool bar's glyphs: a bitmap of six 16 × 16 images side by side.
inline constexpr wchar_t kImageList1[] = L"IMAGELIST1";
inline constexpr int kGlyphSize = 16;
inline constexpr int kGlyphCount = 6;

inline constexpr framework::ControlDesign kForm1Controls[] = {
    {ControlKind::GroupBox, L"GroupBox1", kIdGroupBox1, 0, {8, 40, 441, 153}, kStartCaption, 0, kDefaultColour,
     false, false},
    {ControlKind::Label, L"Label1", kIdLabel1, kIdGroupBox1, {16, 24, 410, 13},
     L"NOM LOGICIEL TYPE_RESSOURCE \"NOM_DE_RESSOURCE.EXTENSION_RESSOURCE\"", 0, kPurple, true, false, Dock::None,
     kTahoma8},
    {ControlKind::Memo, L"Memo1", kIdMemo1, kIdGroupBox1, {16, 48, 409, 89}, L"", 0, kDefaultColour, false, true},
    {ControlKind::StatusBar, L"StatusBar1", kIdStatusBar1, 0, {0, 280, 457, 19}, kMakersNotice, SBARS_SIZEGRIP,
     kDefaultColour, false, false, Dock::Bottom},
    {ControlKind::GroupBox, L"GroupBox2", kIdGroupBox2, 0, {8, 200, 169, 65}, L"Nom fichier .rc : ", 0,
     kDefaultColour, false, false},
    {ControlKind::Edit, L"Edit1", kIdEdit1, kIdGroupBox2, {16, 28, 137, 21}, L"", ES_READONLY, kDefaultColour, false,
     false},
    {ControlKind::ControlBar, L"ControlBar1", kIdControlBar1, 0, {0, 0, 457, 28}, L"", 0, kDefaultColour, false,
     false, Dock::Top},
    {ControlKind::ToolBar, L"ToolBar1", kIdToolBar1, kIdControlBar1, {11, 2, 444, 24}, L"", 0, kDefaultColour, false,
     false},
    {ControlKind::GroupBox, L"GroupBox3", kIdGroupBox3, 0, {184, 200, 265, 65}, L"Opération : ", 0, kDefaultColour,
     false, false},
    {ControlKind::Label, L"Label2", kIdLabel2, kIdGroupBox3, {16, 32, 233, 13}, kStartStatus, SS_CENTER, kBlack,
     false, false, Dock::None, kTahoma8},
};

inline constexpr framework::MenuItemDesign kMainMenu1[] = {
    {L"Fichier1", -1, L"&Fichier", 0, true},
    {L"Nouveau1", 0, L"&Nouveau", kCmdNouveau, true},
    {L"Ouvrir1", 0, L"&Ouvrir", kCmdOuvrir, true},
    {L"Enregistersous1", 0, L"&Enregister sous...", kCmdEnregistrer, true},
    {L"N3", 0, L"-", 0, true},
    {L"Compiler1", 0, L"&Compiler", kCmdCompiler, false},
    {L"N1", 0, L"-", 0, true},
    {L"Quitter1", 0, L"&Quitter", kCmdQuitter, true},
    {L"Aide1", -1, L"&Aide", 0, true},
    {L"Rubriquesdelaide1", 8, L"&Rubriques de l'aide", kCmdAide, true},
    {L"N2", 8, L"-", 0, true},
    {L"Aproposde1", 8, L"A &propos de...", kCmdAPropos, true},
};

inline constexpr framework::ToolBarDesign kToolBar1 = {23, 22, 8};

inline constexpr framework::ToolButtonDesign kToolBar1Buttons[] = {
    {L"tlbtnNouveau", 0, false, 0, kCmdNouveau, true},
    {L"tlbtnOuvrir", 23, false, 1, kCmdOuvrir, true},
    {L"tlbtnEnregistrer", 46, false, 2, kCmdEnregistrer, true},
    {L"ToolButton4", 69, true, 0, 0, true},
    {L"tlbtnCompiler", 77, false, 3, kCmdCompiler, false},
    {L"ToolButton6", 100, true, 0, 0, true},
    {L"tlbtnAide", 108, false, 4, kCmdAide, true},
    {L"tlbtnQuitter", 131, false, 5, kCmdQuitter, true},
};

// The encoding row's entries, in the order shown. Choosing one changes nothing that is
// read or written: the row only remembers the choice.
inline constexpr const wchar_t* kTextFileEncodings[] = {L"ANSI",  L"ASCII", L"Unicode", L"Big Endian Unicode",
                                                        L"UTF-8", L"UTF-7"};
inline constexpr framework::EncodingRowDesign kTextFileEncodingRow = {L"TEXTFILEDLG", TEXTFILEDLG_ENCODING_LABEL,
                                                                      TEXTFILEDLG_ENCODING_LIST, kTextFileEncodings};

inline constexpr framework::FileDialogDesign kOpenTextFileDialog1 = {
    false, L"Ouvrir fichier...", L"Fichier .rc\0*.rc\0", L"rc", kTextFileEncodingRow};
inline constexpr framework::FileDialogDesign kSaveTextFileDialog1 = {
    true, L"Enregistrer sous...", L"Fichier .rc\0*.rc\0", L"rc", kTextFileEncodingRow};

}  // namespace talvorine
