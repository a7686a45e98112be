// Writes the benchmark's scripts and the files they name: RCDATA scripts of any length and an icon script.
// Usage: make_inputs FOLDER
#include <filesystem>
#include <fstream>
#include <string>

#include "test_images.h"

namespace {

constexpr int kDataFiles = 256;
constexpr int kIconFiles = 50;

void WriteBytes(const std::filesystem::path& path, const brcc::test::Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Each line names one of a pool of files of varied sizes: the compiler opens and copies a file per line either way.
void WriteDataScript(const std::filesystem::path& folder, int lines) {
    std::ofstream script(folder / ("rcdata-" + std::to_string(lines) + ".rc"), std::ios::binary);
    for (int line = 0; line < lines; ++line) {
        const int file = line % kDataFiles;
        if (line % 2 == 0) {
            script << line / 2 + 1 << " RCDATA data/d" << file << ".bin\r\n";
        } else {
            script << "Name_" << line << " RCDATA \"data/d" << file << ".bin\"\r\n";
        }
    }
}

// The shape most projects have: the Windows headers, an icon, a version resource and a table of strings.
void WriteUsualScript(const std::filesystem::path& folder) {
    std::ofstream script(folder / "usual.rc", std::ios::binary);
    script << "#include <windows.h>\r\n#define IDS_FIRST 1000\r\nMAINICON ICON \"icons/i0.ico\"\r\n"
           << "LANGUAGE LANG_FRENCH, SUBLANG_FRENCH\r\n1 VERSIONINFO\r\nFILEVERSION 1,2,3,4\r\n"
           << "PRODUCTVERSION 1,2,0,0\r\nFILEFLAGSMASK VS_FFI_FILEFLAGSMASK\r\nFILEOS VOS__WINDOWS32\r\n"
           << "FILETYPE VFT_APP\r\nBEGIN\r\n BLOCK \"StringFileInfo\"\r\n BEGIN\r\n  BLOCK \"040C04E4\"\r\n"
           << "  BEGIN\r\n   VALUE \"CompanyName\", \"Talvorine\\0\"\r\n   VALUE \"FileVersion\", \"1.2.3.4\\0\"\r\n"
           << "  END\r\n END\r\n BLOCK \"VarFileInfo\"\r\n BEGIN\r\n  VALUE \"Translation\", 0x040C, 1252\r\n"
           << " END\r\nEND\r\nSTRINGTABLE\r\nBEGIN\r\n";
    for (int string = 0; string < 1000; ++string) {
        script << "  IDS_FIRST + " << string << ", \"Message number " << string << " of the application\"\r\n";
    }
    script << "END\r\n";
}

// The same with what most applications add: a dialog of 30 controls, a menu of 40 items, accelerators.
void WriteUsualFullScript(const std::filesystem::path& folder) {
    WriteUsualScript(folder);
    std::filesystem::copy_file(folder / "usual.rc", folder / "usual-full.rc");
    std::ofstream script(folder / "usual-full.rc", std::ios::binary | std::ios::app);
    script << "100 DIALOGEX 0, 0, 320, 240\r\nSTYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU\r\n"
           << "CAPTION \"Options\"\r\nFONT 8, \"MS Shell Dlg\", 400, 0, 1\r\nBEGIN\r\n";
    for (int control = 0; control < 30; ++control) {
        const int y = 5 + control * 7;
        switch (control % 5) {
            case 0:
                script << "  LTEXT \"Label " << control << "\", -1, 5, " << y << ", 60, 8\r\n";
                break;
            case 1:
                script << "  EDITTEXT " << 1000 + control << ", 70, " << y << ", 100, 12, ES_AUTOHSCROLL\r\n";
                break;
            case 2:
                script << "  AUTOCHECKBOX \"Option " << control << "\", " << 1000 + control << ", 5, " << y
                       << ", 80, 10\r\n";
                break;
            case 3:
                script << "  COMBOBOX " << 1000 + control << ", 70, " << y
                       << ", 100, 60, CBS_DROPDOWNLIST | WS_VSCROLL\r\n";
                break;
            default:
                script << "  CONTROL \"\", " << 1000 + control << ", \"msctls_trackbar32\", 0x15 | WS_TABSTOP, 5, " << y
                       << ", 100, 12\r\n";
                break;
        }
    }
    script << "  DEFPUSHBUTTON \"OK\", IDOK, 200, 220, 50, 14\r\nEND\r\n200 MENU\r\nBEGIN\r\n";
    for (int popup = 0; popup < 4; ++popup) {
        script << "  POPUP \"&Menu " << popup << "\"\r\n  BEGIN\r\n";
        for (int item = 0; item < 10; ++item) {
            script << (item == 5 ? "    MENUITEM SEPARATOR\r\n" : "") << "    MENUITEM \"Item " << item << "\\tCtrl+"
                   << item << "\", " << 2000 + popup * 10 + item << "\r\n";
        }
        script << "  END\r\n";
    }
    script << "END\r\n300 ACCELERATORS\r\nBEGIN\r\n";
    for (int key = 0; key < 10; ++key) {
        script << "  \"" << key << "\", " << 2000 + key << ", VIRTKEY, CONTROL\r\n";
    }
    script << "  VK_F1, 3000, VIRTKEY\r\nEND\r\n";
}

// A script in Simplified Chinese, as code page 936 writes it: string tables of 20 double-byte characters a line.
void WriteDoubleByteScript(const std::filesystem::path& folder, int lines) {
    std::ofstream script(folder / ("cp936-" + std::to_string(lines) + ".rc"), std::ios::binary);
    script << "#pragma code_page(936)\r\n";
    int character = 0;
    for (int line = 0; line < lines; ++line) {
        if (line % 1000 == 0) {
            script << (line == 0 ? "" : "END\r\n") << "STRINGTABLE\r\nBEGIN\r\n";
        }
        script << "  " << line + 1 << ", \"";
        for (int k = 0; k < 20; ++k, ++character) {
            // GB 2312's first level of characters: leads 0xB0-0xD6, trails 0xA1-0xFE, every pair defined.
            script << static_cast<char>(0xB0 + character / 94 % 39) << static_cast<char>(0xA1 + character % 94);
        }
        script << " " << line << "\"\r\n";
    }
    script << "END\r\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder / "data");
    std::filesystem::create_directories(folder / "icons");
    for (int file = 0; file < kDataFiles; ++file) {
        WriteBytes(folder / "data" / ("d" + std::to_string(file) + ".bin"),
                   brcc::test::Bytes(static_cast<std::size_t>(file * 7 + file % 5), static_cast<std::uint8_t>(file)));
    }
    for (int file = 0; file < kIconFiles; ++file) {
        using brcc::test::MakeDibImage;
        WriteBytes(folder / "icons" / ("i" + std::to_string(file) + ".ico"),
                   brcc::test::MakeIconFile({{MakeDibImage(16, 16, 4), 16, 16, 4},
                                             {MakeDibImage(32, 32, 8), 32, 32, 8},
                                             {MakeDibImage(48, 48, 32), 48, 48, 32},
                                             {brcc::test::MakePngImage(256, 256 - file), 256, 256, 32}}));
    }
    WriteDataScript(folder, 20000);
    WriteDataScript(folder, 80000);
    WriteUsualFullScript(folder);
    WriteDoubleByteScript(folder, 6000);
    WriteDoubleByteScript(folder, 24000);
    std::ofstream icons(folder / "icons-2000.rc", std::ios::binary);
    for (int line = 0; line < 2000; ++line) {
        icons << "Icon" << line << " ICON icons/i" << line % kIconFiles << ".ico\r\n";
    }
    return 0;
}
