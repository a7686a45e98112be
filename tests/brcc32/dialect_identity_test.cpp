// The command lines of real builds in each dialect, our compiler under each name: the .res byte for byte that of
// llvm-rc on the same options, a COFF object byte for byte GNU windres' own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resource_lines.h"
#include "test_folder.h"
#include "test_images.h"

namespace brcc::test {
namespace {

struct Row {
    std::string ours;       // writes ours.res or ours.o
    std::string reference;  // writes theirs.res or theirs.o
};

// llvm-rc with the code page our compiler defaults to; its clang targets x64, so _WIN64 is undefined to compare
// with a 32-bit target.
const std::string kLlvmRc = "llvm-rc /C 1252 /U _WIN64 ";
const std::string kLlvmRc64 = "llvm-rc /C 1252 ";

class Dialects : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder.Write("inc/ids.h", std::string("#define IDS_HELLO 7\n#include \"more.h\"\n"));
        m_folder.Write("shared/more.h", std::string("#define IDR_DATA 1\n"));
        m_folder.Write("inc/more.h", std::string("#define IDR_DATA 1\n"));
        m_folder.Write("data.bin", std::string("abc\r\n\x1A", 6));
        m_folder.Write("app.ico", MakeIconFile({{MakeDibImage(16, 16, 4), 16, 16, 4}}));
        m_folder.Write("app.rc", std::string("#include \"ids.h\"\n"
                                             "#ifdef FPC\n10 RCDATA { \"fpc\" }\n#endif\n"
                                             "#ifdef UNICODE\n11 RCDATA { \"unicode\" }\n#endif\n"
                                             "#if VALUE == 42\n12 RCDATA { \"42\" }\n#endif\n"
                                             "#ifdef _WIN64\n13 RCDATA { \"win64\" }\n#endif\n"
                                             "#ifdef _WIN32\n14 RCDATA { \"win32\" }\n#endif\n"
                                             "STRINGTABLE { IDS_HELLO, \"caf\xE9\" }\n"
                                             "IDR_DATA RCDATA \"data.bin\"\n"
                                             "1 ICON app.ico\n"
                                             "DATA MYTYPE { 1, 2L, \"x\" }\n"));
        // Delphi's project resource, saved as UTF-8 without a mark.
        m_folder.Write("Project1.vrc", std::string("1 VERSIONINFO FILEVERSION 1,0,0,0 {\n BLOCK \"StringFileInfo\" {\n"
                                                   "  BLOCK \"040C04B0\" { VALUE \"FileDescription\", "
                                                   "\"Caf\xC3\xA9 \xE2\x82\xAC\" }\n }\n}\n"));
        m_folder.Write("args.rsp", std::string("-i inc -l40C \"app.rc\"\r\n-fo ours.res\r\n"));
        m_folder.Write("ms.rsp", std::string("/nologo /i inc /fo ours.res /d FPC app.rc"));
        m_folder.Write("gnu.rsp", std::string("-I inc -D 'VALUE=42' app.rc ours.res"));
        std::filesystem::create_directories(m_folder.Path() / "bin");
        for (const char* name : {"brcc32", "BRCC32", "rc", "RC.EXE", "windres", "i686-w64-mingw32-windres",
                                 "x86_64-w64-mingw32-windres"}) {
            std::filesystem::create_symlink(std::filesystem::absolute(BRCC32_PATH), m_folder.Path() / "bin" / name);
        }
    }

    void Check(const std::vector<Row>& rows) {
        for (const Row& row : rows) {
            for (const char* name : {"ours.res", "theirs.res", "ours.o", "theirs.o"}) {
                std::filesystem::remove(m_folder.Path() / name);
            }
            const RunResult ours = RunIn(m_folder.Path(), "LC_ALL=C " + row.ours);
            ASSERT_EQ(ours.exitCode, 0) << row.ours << "\n" << ours.stderr;
            const RunResult theirs = RunIn(m_folder.Path(), row.reference);
            ASSERT_EQ(theirs.exitCode, 0) << row.reference << "\n" << theirs.stderr;
            if (std::filesystem::exists(m_folder.Path() / "ours.res")) {
                EXPECT_TRUE(m_folder.Read("ours.res") == m_folder.Read("theirs.res")) << row.ours;
                continue;
            }
            const ResourceLines lines = ReadBackResources(m_folder.Path(), "ours.o");
            EXPECT_GE(lines.size(), 6u) << row.ours;
            EXPECT_EQ(lines, ReadBackResources(m_folder.Path(), "theirs.o")) << row.ours;
            EXPECT_TRUE(m_folder.Read("ours.o") == m_folder.Read("theirs.o")) << "the objects' bytes: " << row.ours;
        }
    }

    std::string Absolute(const std::string& name) const { return (m_folder.Path() / name).string(); }

    TestFolder m_folder;
};

TEST_F(Dialects, Borland) {
    Check({
        {"bin/brcc32 -r \"-iinc;shared\" -dFPC -foours.res app.rc", kLlvmRc + "/I inc /D FPC /fo theirs.res app.rc"},
        {"bin/brcc32 -c1252 app.rc -foours.res -Iinc \"-DVALUE=42;FPC\"",
         kLlvmRc + "/I inc /D VALUE=42 /D FPC /fo theirs.res app.rc"},
        {"bin/brcc32 @args.rsp", kLlvmRc + "/I inc /L 0x40C /fo theirs.res app.rc"},
        {"bin/BRCC32 -X -V -32 -W32 -M -I inc -FO ours.res app.rc -D UNICODE",
         kLlvmRc + "/X /I inc /D UNICODE /fo theirs.res app.rc"},
        {"bin/brcc32 -c65001 Project1.vrc -foours.res", "llvm-rc /C 65001 /fo theirs.res Project1.vrc"},
        {"bin/brcc32 -machine:x64 -i inc -fo ours.res app.rc", kLlvmRc64 + "/I inc /fo theirs.res app.rc"},
    });
}

TEST_F(Dialects, Microsoft) {
    Check({
        // MSBuild's line; the shell takes the quotes off as the C runtime would.
        {"bin/rc /D UNICODE /l\"0x0409\" /nologo /fo\"ours.res\" /i inc app.rc",
         kLlvmRc + "/D UNICODE /L 0x0409 /I inc /fo theirs.res app.rc"},
        {"bin/rc -n -r -v -x -w -y /I inc /d VALUE=42 /FO ours.res app.rc",
         kLlvmRc + "/N /I inc /D VALUE=42 /fo theirs.res app.rc"},
        {"bin/RC.EXE /I inc /D FPC /U FPC /C 1252 /L 40c /fo ours.res app.rc",
         kLlvmRc + "/I inc /D FPC /U FPC /L 0x40c /fo theirs.res app.rc"},
        // CMake's absolute paths, which start with / as options do.
        {"bin/rc /I " + Absolute("inc") + " /fo " + Absolute("ours.res") + " " + Absolute("app.rc"),
         kLlvmRc + "/I inc /fo theirs.res app.rc"},
        {"bin/rc @ms.rsp", kLlvmRc + "/I inc /D FPC /fo theirs.res app.rc"},
        {"bin/rc /machine:x64 /i inc /fo ours.res app.rc", kLlvmRc64 + "/I inc /fo theirs.res app.rc"},
    });
}

TEST_F(Dialects, Gnu) {
    Check({
        // Lazarus' line.
        {"bin/windres --include inc -O res -D FPC -o ours.res app.rc", kLlvmRc + "/I inc /D FPC /fo theirs.res app.rc"},
        // CMake's MinGW rule, then the same by options in long and short forms: COFF objects against windres'.
        {"bin/x86_64-w64-mingw32-windres -O coff -DNDEBUG -I" + Absolute("inc") + " " + Absolute("app.rc") + " ours.o",
         "x86_64-w64-mingw32-windres -O coff -DNDEBUG -I" + Absolute("inc") + " app.rc theirs.o"},
        {"bin/i686-w64-mingw32-windres -i app.rc -o ours.o -I inc --define FPC",
         "i686-w64-mingw32-windres -i app.rc -o theirs.o -I inc --define FPC"},
        {"bin/windres --input=app.rc --output=ours.o --include-dir=inc --target=pe-x86-64 --output-format=coff",
         "x86_64-w64-mingw32-windres --input=app.rc --output=theirs.o --include-dir=inc --output-format=coff"},
        {"bin/windres --input=app.rc --output=ours.res --include-dir=inc --language=40c --codepage=1252 -v",
         kLlvmRc + "/L 0x40c /I inc /fo theirs.res app.rc"},
        {"bin/windres --preprocessor=x86_64-w64-mingw32-gcc --preprocessor-arg=-DFPC -J rc -O res -I inc app.rc "
         "ours.res",
         kLlvmRc + "/I inc /D FPC /fo theirs.res app.rc"},
        {"bin/windres -F pe-x86-64 -I inc app.rc ours.res", kLlvmRc64 + "/I inc /fo theirs.res app.rc"},
        {"bin/windres @gnu.rsp", kLlvmRc + "/I inc /D VALUE=42 /fo theirs.res app.rc"},
    });
}

// Quoted names and types, which scripts written for windres use: letters upper-cased as windres reads them, other
// characters kept.
TEST_F(Dialects, QuotedNamesAsWindresReadsThem) {
    m_folder.Write("quoted.rc", std::string("\"lower\" RCDATA { 1 }\n\"Caf\xE9\" RCDATA { 2 }\n\"123\" RCDATA { 3 }\n"
                                            "\"a b\" MYTYPE { 4 }\nL\"wide\" RCDATA { 5 }\n\"x\"\"q\" RCDATA { 6 }\n"));
    Check({{"bin/x86_64-w64-mingw32-windres -c 1252 quoted.rc ours.o",
            "x86_64-w64-mingw32-windres -c 1252 quoted.rc theirs.o"}});
}

}  // namespace
}  // namespace brcc::test
