// The main window's layout: its controls, menu and tool bar as tables, in creation order.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include "framework/file_dialog.h"
#include "framework/form.h"
#include "framework/layout.h"
#include "framework/menu.h"
#include "framework/tool_bar.h"
#include "main_window/form1_ids.h"
#include "resources/text_file_dialog.h"
#include "resources/version.h"

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
inline constexpr wchar_t kMakersNotice[] = L"Talvorine 1.0 - " TALVORINE_COPYRIGHT;

using framework::ControlKind;
using framework::Dock;
using framework::kDefaultColour;

// AboutBox1's three texts.
struct AboutBoxDesign {
    const wchar_t* productName;
    const wchar_t* version;
    const wchar_t* copyright;
};
inline constexpr AboutBoxDesign kAboutBox1 = {
    .productName = L"Talvorine",
    .version = L"Version 1.0 - Win9x - WinXP",
    .copyright = L"" TALVORINE_COPYRIGHT,
};

inline constexpr framework::FontDesign kTahoma8 = {.face = L"Tahoma", .points = 8};

inline constexpr framework::FormDesign kForm1 = {
    .className = kForm1ClassName,
    .caption = kForm1Caption,
    .style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX,
    .exStyle = 0,
    .width = kForm1Width,
    .height = kForm1Height,
    .icon = L"MAINICON",
    .font = kTahoma8,
    .initialFocus = kIdMemo1,
    .autoScroll = true,
};

// The tool bar's glyphs: a bitmap of six 16 × 16 images side by side.
inline constexpr wchar_t kImageList1[] = L"IMAGELIST1";
inline constexpr int kGlyphSize = 16;
inline constexpr int kGlyphCount = 6;

inline constexpr framework::ControlDesign kForm1Controls[] = {
    {.kind = ControlKind::GroupBox,
     .name = L"GroupBox1",
     .id = kIdGroupBox1,
     .bounds = {8, 40, 441, 153},
     .text = kStartCaption},
    {.kind = ControlKind::Label,
     .name = L"Label1",
     .id = kIdLabel1,
     .parentId = kIdGroupBox1,
     .bounds = {16, 24, 410, 13},
     .text = L"NOM LOGICIEL TYPE_RESSOURCE \"NOM_DE_RESSOURCE.EXTENSION_RESSOURCE\"",
     .colour = kPurple,
     .autoSize = true,
     .font = kTahoma8},
    {.kind = ControlKind::Memo,
     .name = L"Memo1",
     .id = kIdMemo1,
     .parentId = kIdGroupBox1,
     .bounds = {16, 48, 409, 89},
     .text = L"",
     .tabStop = true},
    {.kind = ControlKind::StatusBar,
     .name = L"StatusBar1",
     .id = kIdStatusBar1,
     .bounds = {0, 280, 457, 19},
     .text = kMakersNotice,
     .style = SBARS_SIZEGRIP,
     .dock = Dock::Bottom},
    {.kind = ControlKind::GroupBox,
     .name = L"GroupBox2",
     .id = kIdGroupBox2,
     .bounds = {8, 200, 169, 65},
     .text = L"Nom fichier .rc : "},
    {.kind = ControlKind::Edit,
     .name = L"Edit1",
     .id = kIdEdit1,
     .parentId = kIdGroupBox2,
     .bounds = {16, 28, 137, 21},
     .text = L"",
     .style = ES_READONLY},
    {.kind = ControlKind::ControlBar,
     .name = L"ControlBar1",
     .id = kIdControlBar1,
     .bounds = {0, 0, 457, 28},
     .text = L"",
     .dock = Dock::Top},
    {.kind = ControlKind::ToolBar,
     .name = L"ToolBar1",
     .id = kIdToolBar1,
     .parentId = kIdControlBar1,
     .bounds = {11, 2, 444, 24},
     .text = L""},
    {.kind = ControlKind::GroupBox,
     .name = L"GroupBox3",
     .id = kIdGroupBox3,
     .bounds = {184, 200, 265, 65},
     .text = L"Opération : "},
    {.kind = ControlKind::Label,
     .name = L"Label2",
     .id = kIdLabel2,
     .parentId = kIdGroupBox3,
     .bounds = {16, 32, 233, 13},
     .text = kStartStatus,
     .style = SS_CENTER,
     .colour = kBlack,
     .font = kTahoma8},
};

inline constexpr framework::MenuItemDesign kMainMenu1[] = {
    {.name = L"Fichier1", .parent = -1, .caption = L"&Fichier", .commandId = 0, .enabled = true},
    {.name = L"Nouveau1", .parent = 0, .caption = L"&Nouveau", .commandId = kCmdNouveau, .enabled = true},
    {.name = L"Ouvrir1", .parent = 0, .caption = L"&Ouvrir", .commandId = kCmdOuvrir, .enabled = true},
    {.name = L"Enregistersous1",
     .parent = 0,
     .caption = L"&Enregister sous...",
     .commandId = kCmdEnregistrer,
     .enabled = true},
    {.name = L"N3", .parent = 0, .caption = L"-", .commandId = 0, .enabled = true},
    {.name = L"Compiler1", .parent = 0, .caption = L"&Compiler", .commandId = kCmdCompiler, .enabled = false},
    {.name = L"N1", .parent = 0, .caption = L"-", .commandId = 0, .enabled = true},
    {.name = L"Quitter1", .parent = 0, .caption = L"&Quitter", .commandId = kCmdQuitter, .enabled = true},
    {.name = L"Aide1", .parent = -1, .caption = L"&Aide", .commandId = 0, .enabled = true},
    {.name = L"Rubriquesdelaide1",
     .parent = 8,
     .caption = L"&Rubriques de l'aide",
     .commandId = kCmdAide,
     .enabled = true},
    {.name = L"N2", .parent = 8, .caption = L"-", .commandId = 0, .enabled = true},
    {.name = L"Aproposde1", .parent = 8, .caption = L"A &propos de...", .commandId = kCmdAPropos, .enabled = true},
};

inline constexpr framework::ToolBarDesign kToolBar1 = {.buttonWidth = 23, .buttonHeight = 22, .separatorWidth = 8};

inline constexpr framework::ToolButtonDesign kToolBar1Buttons[] = {
    {.name = L"tlbtnNouveau", .left = 0, .separator = false, .glyph = 0, .commandId = kCmdNouveau, .enabled = true},
    {.name = L"tlbtnOuvrir", .left = 23, .separator = false, .glyph = 1, .commandId = kCmdOuvrir, .enabled = true},
    {.name = L"tlbtnEnregistrer",
     .left = 46,
     .separator = false,
     .glyph = 2,
     .commandId = kCmdEnregistrer,
     .enabled = true},
    {.name = L"ToolButton4", .left = 69, .separator = true, .glyph = 0, .commandId = 0, .enabled = true},
    {.name = L"tlbtnCompiler", .left = 77, .separator = false, .glyph = 3, .commandId = kCmdCompiler, .enabled = false},
    {.name = L"ToolButton6", .left = 100, .separator = true, .glyph = 0, .commandId = 0, .enabled = true},
    {.name = L"tlbtnAide", .left = 108, .separator = false, .glyph = 4, .commandId = kCmdAide, .enabled = true},
    {.name = L"tlbtnQuitter", .left = 131, .separator = false, .glyph = 5, .commandId = kCmdQuitter, .enabled = true},
};

// The encoding row's entries, in the order shown. Choosing one changes nothing that is
// read or written: the row only remembers the choice.
inline constexpr const wchar_t* kTextFileEncodings[] = {L"ANSI",  L"ASCII", L"Unicode", L"Big Endian Unicode",
                                                        L"UTF-8", L"UTF-7"};
inline constexpr framework::EncodingRowDesign kTextFileEncodingRow = {
    .templateName = L"TEXTFILEDLG",
    .labelId = TEXTFILEDLG_ENCODING_LABEL,
    .listId = TEXTFILEDLG_ENCODING_LIST,
    .entries = kTextFileEncodings,
};

inline constexpr framework::FileDialogDesign kOpenTextFileDialog1 = {
    .save = false,
    .title = L"Ouvrir fichier...",
    .filter = L"Fichier .rc\0*.rc\0",
    .defaultExtension = L"rc",
    .encodingRow = kTextFileEncodingRow,
};
inline constexpr framework::FileDialogDesign kSaveTextFileDialog1 = {
    .save = true,
    .title = L"Enregistrer sous...",
    .filter = L"Fichier .rc\0*.rc\0",
    .defaultExtension = L"rc",
    .encodingRow = kTextFileEncodingRow,
};

}  // namespace talvorine
