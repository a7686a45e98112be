// Byte identity with llvm-rc and the MinGW-w64 headers on scripts as Delphi and Visual C++ projects write them.
#include "preprocessed_identity.h"

namespace brcc::test {
namespace {

constexpr const char* kDelphiVersionInfo = R"(1 VERSIONINFO
FILEVERSION 1,2,0,15
PRODUCTVERSION 1,2,0,0
FILEFLAGSMASK 0x3FL
FILEFLAGS 0x0L
FILEOS 0x4L
FILETYPE 0x1L
FILESUBTYPE 0x0L
{
 BLOCK "StringFileInfo"
 {
  BLOCK "040C04E4"
  {
   VALUE "CompanyName", "Talvorine\000"
   VALUE "FileDescription", "\000"
   VALUE "FileVersion", "1.2.0.15\000"
   VALUE "InternalName", "\000"
   VALUE "LegalCopyright", "\000"
   VALUE "OriginalFilename", "Projet1.exe\000"
   VALUE "ProductName", "\000"
   VALUE "ProductVersion", "1.2.0.0\000"
  }
 }
 BLOCK "VarFileInfo"
 {
  VALUE "Translation", 0x040C, 1252
 }
}
)";

TEST_F(PreprocessedIdentity, DelphiProjectScript) {
    ExpectIdentical(std::string("MAINICON ICON \"app.ico\"\n") + kDelphiVersionInfo);
}

// The headers a Visual C++ project includes, its resource.h, and the symbolic names of each new statement.
TEST_F(PreprocessedIdentity, VisualCppProjectScript) {
    ExpectIdentical(R"(#include "resource.h"
#define APSTUDIO_READONLY_SYMBOLS
#include "winres.h"
#undef APSTUDIO_READONLY_SYMBOLS
#include <commctrl.h>
#include <dlgs.h>
#include "include/shared.rh"

LANGUAGE LANG_FRENCH, SUBLANG_FRENCH
#pragma code_page(1252)

IDI_ICON1 ICON "app.ico"
CREATEPROCESS_MANIFEST_RESOURCE_ID RT_MANIFEST "app.manifest"
IDR_DATA RCDATA BEGIN 1, 2L, "two", L"wide" END
201 HTML "page.htm"

#ifdef APSTUDIO_INVOKED
1 TEXTINCLUDE BEGIN "resource.h\0" END
GUIDELINES DESIGNINFO
BEGIN
    IDD_ABOUT, DIALOG
    BEGIN
        LEFTMARGIN, 7
    END
END
#endif
2 TEXTINCLUDE
BEGIN
    "#include ""winres.h""\r\n"
    "\0"
END

VS_VERSION_INFO VERSIONINFO
 FILEVERSION 2,0,1,7
 PRODUCTVERSION 2,0,0,0
 FILEFLAGSMASK VS_FFI_FILEFLAGSMASK
 FILEFLAGS VS_FF_DEBUG | VS_FF_PRERELEASE
 FILEOS VOS_NT_WINDOWS32
 FILETYPE VFT_DRV
 FILESUBTYPE VFT2_DRV_SYSTEM
BEGIN
    BLOCK "StringFileInfo"
    BEGIN
        BLOCK "040c04b0"
        BEGIN
            VALUE "CompanyName", "Talvorine"
            VALUE "Comments", "one", "two" "three", WC_LISTVIEW
        END
    END
    BLOCK "VarFileInfo"
    BEGIN
        VALUE "Translation", 0x40c, 1200, IDOK, 2L
    END
END

STRINGTABLE
BEGIN
    IDS_TITLE "Titre"
    IDS_HELLO, "Bonjour\t\xE0 tous\n\x80"
    IDS_HELLO + 20 L"wide" " and narrow"
    IDOK "ok" IDCANCEL "cancel"
    stc1 "from dlgs.h" SHARED_ID "shared"
END
LANGUAGE LANG_GERMAN, SUBLANG_GERMAN_SWISS
STRINGTABLE DISCARDABLE VERSION 3 CHARACTERISTICS 0x20
{ IDS_TITLE, "Titel" }
)",
                    "/C 1252");
}

}  // namespace
}  // namespace brcc::test
