// Byte identity on dialogs, menus and accelerators: with llvm-rc and the MinGW-w64 headers, and against GNU
// windres where llvm-rc lacks a statement.
#include <string>

#include "preprocessed_identity.h"

namespace brcc::test {
namespace {

constexpr const char* kDialogsMenusAccelerators = R"(
1 DIALOG 10, 20, 200, 100
STYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU
CAPTION "About"
FONT 8, "MS Shell Dlg"
LANGUAGE LANG_GERMAN, SUBLANG_GERMAN
CHARACTERISTICS 3
VERSION 4
EXSTYLE WS_EX_TOOLWINDOW
CLASS "MyDialog"
BEGIN
  LTEXT "Hello", 101, 5, 5, 100, 10
  RTEXT "R", 102, 5, 5, 100, 10, SS_NOPREFIX
  CTEXT "C", IDC_STATIC, 5, 5, 100, 10, NOT WS_GROUP, WS_EX_TRANSPARENT
  EDITTEXT 103, 1, 2, 3, 4, ES_AUTOHSCROLL | NOT WS_BORDER
  DEFPUSHBUTTON "OK", IDOK, 1, 2, 3, 4
  PUSHBUTTON "Cancel", IDCANCEL, 1, 2, 3, 4, WS_DISABLED
  CHECKBOX "c", 104, 1, 2, 3, 4
  AUTOCHECKBOX "ac", 105, 1, 2, 3, 4
  STATE3 "s3", 106, 1, 2, 3, 4
  AUTO3STATE "a3", 107, 1, 2, 3, 4
  RADIOBUTTON "r", 108, 1, 2, 3, 4
  AUTORADIOBUTTON "ar", 109, 1, 2, 3, 4
  GROUPBOX "g", 110, 1, 2, 3, 4
  LISTBOX 111, 1, 2, 3, 4, LBS_SORT | WS_VSCROLL
  COMBOBOX 112, 1, 2, 3, 4, CBS_DROPDOWNLIST
  SCROLLBAR 113, 1, 2, 3, 4, SBS_VERT
  ICON "APPICON", 114, 1, 2, 0, 0
  ICON 1, 115, 1, 2, 3, 4
  PUSHBOX "pb", 116, 1, 2, 3, 4
  CONTROL "ctl", 117, "Button", BS_AUTOCHECKBOX | WS_TABSTOP, 1, 2, 3, 4
  CONTROL "", 118, "SysListView32", 1, 1, 2, 3, 4, WS_EX_CLIENTEDGE
  CONTROL 5, 119, "Static", SS_ICON, 1, 2, 3, 4
  CONTROL L"wide", 120, L"Edit", 0, -1, -2, 300, 400
END
2 DIALOGEX 1, 2, 3, 4, 99
CAPTION "Ex"
FONT 9, "Segoe UI", 700, 1, 0
BEGIN
  LTEXT "x", 101, 1, 2, 3, 4, 0, 0, 77
  CONTROL "c", 70000, "Edit", ES_MULTILINE, 1, 2, 3, 4, WS_EX_STATICEDGE, 88
  PUSHBUTTON "p", 102, 1, 2, 3, 4
  EDITTEXT 103, 1, 2, 3, 4, ES_NUMBER, WS_EX_RIGHT, 5
END
3 DIALOG 1, 2, 3, 4
BEGIN
END
4 DIALOGEX 1, 2, 3, 4
STYLE WS_CHILD
FONT 8, "Tahoma"
BEGIN
  GROUPBOX "g", 1, 1, 2, 3, 4
END
5 MENU
BEGIN
  POPUP "&File"
  BEGIN
    MENUITEM "&Open	Ctrl+O", 201
    MENUITEM SEPARATOR
    MENUITEM "E&xit", 202, GRAYED, CHECKED
    POPUP "Sub", GRAYED
    BEGIN
      MENUITEM "x", 203, INACTIVE, MENUBARBREAK, MENUBREAK, HELP
    END
  END
  MENUITEM "&Help", 204
END
6 ACCELERATORS
BEGIN
  "a", 101
  "^B", 102, ASCII
  VK_F1, 103, VIRTKEY, CONTROL, SHIFT, ALT
  65, 104, ASCII, NOINVERT
  "c", 105, VIRTKEY
  VK_DELETE, 106, VIRTKEY
END
)";

TEST_F(PreprocessedIdentity, DialogsMenusAndAccelerators) {
    ExpectIdentical(std::string("#include <windows.h>\n#include <winres.h>\n") + kDialogsMenusAccelerators);
}

// Without a header, the styles written as numbers: the defaults of each control are the compiler's own.
TEST_F(PreprocessedIdentity, DialogWithoutHeaders) {
    ExpectIdentical(
        "1 DIALOGEX 0, 0, 100, 50\nSTYLE 0x10CC0000\nCAPTION \"\"\nBEGIN\n"
        "  LTEXT \"a\", -1, 1, 1, 10, 10\n  EDITTEXT 2, 1, 1, 10, 10, 0x1000\n"
        "  CONTROL \"b\", 3, \"msctls_trackbar32\", 0x15, 1, 1, 10, 10\nEND\n"
        "2 MENU { MENUITEM \"a\", 1 }\n3 ACCELERATORS { 0x70, 1, VIRTKEY }\n");
}

// llvm-rc has no MENUEX, nor MENU in a dialog: their layout, written out as data for it to copy.
TEST_F(PreprocessedIdentity, MenuExAndDialogMenu) {
    ExpectIdenticalTo(
        "1 MENUEX\nBEGIN\n  POPUP \"&F\", 300, 0, 0, 77\n  BEGIN\n"
        "    MENUITEM \"&Open\", 301, 0, 8\n    MENUITEM SEPARATOR\n  END\n"
        "  MENUITEM \"L\", 302\nEND\n"
        "2 DIALOG 1, 2, 3, 4\nMENU Main\nBEGIN\nEND\n",
        "1 4 DISCARDABLE { 1, 4, 0L,  0L, 0L, 300L, 1, L\"&F\\0\", 77L,"
        "  0L, 8L, 301L, 0, L\"&Open\\0\", 0,  0x800L, 0L, 0L, 0x80, 0,"
        "  0L, 0L, 302L, 0x80, L\"L\\0\" }\n"
        "2 5 DISCARDABLE { 0x80880000L, 0L, 0, 1, 2, 3, 4, L\"MAIN\\0\", 0, 0 }\n");
}

// What llvm-rc lacks, against GNU windres: MENUEX, a dialog's MENU, the data of a DIALOGEX control.
TEST_F(PreprocessedIdentity, WhatLlvmRcLacksAgainstWindres) {
    m_folder.Write("ours.rc", std::string("1 MENUEX\nBEGIN\n  POPUP \"&F\", 300, 0, 0, 77\n  BEGIN\n"
                                          "    MENUITEM \"&Open\", 301, 0, 8\n    MENUITEM \"\", 0, 0x800\n  END\n"
                                          "  MENUITEM \"L\", 302\nEND\n2 DIALOG 1, 2, 3, 4\nMENU Main\nBEGIN\nEND\n"
                                          "3 DIALOGEX 1, 2, 3, 4\nBEGIN\n  PUSHBUTTON \"p\", 102, 1, 2, 3, 4\n"
                                          "  BEGIN 1, 2L, \"ab\" END\n  LTEXT \"t\", 103, 1, 2, 3, 4\nEND\n"));
    ASSERT_EQ(RunBrcc32(m_folder.Path(), "ours.rc").exitCode, 0);
    const RunResult windres = RunIn(m_folder.Path(), "i686-w64-mingw32-windres -O res -i ours.rc -o theirs.res");
    ASSERT_EQ(windres.exitCode, 0) << windres.stderr;
    EXPECT_EQ(m_folder.Read("ours.res"), m_folder.Read("theirs.res"));
}

}  // namespace
}  // namespace brcc::test
