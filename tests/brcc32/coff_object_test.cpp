// COFF objects: the same bytes as llvm-cvtres makes from our .res (but the time stamp), linked by GNU ld and
// lld-link into executables whose resources, read back by llvm-readobj, are those of the .res.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "brcc32/output/coff_writer.h"
#include "resource_lines.h"
#include "test_folder.h"
#include "test_images.h"

namespace brcc::test {
namespace {

struct MachineRow {
    std::string m_ours;         // -machine: value
    std::string m_clangTarget;  // for lld-link's entry object
    std::string m_gnuCompiler;  // empty: Debian has no GNU linker for this machine
};

const std::vector<MachineRow> kMachines = {
    {"x86", "i686-pc-windows-msvc", "i686-w64-mingw32-gcc"},
    {"x64", "x86_64-pc-windows-msvc", "x86_64-w64-mingw32-gcc"},
    // Debian ships no binutils for aarch64-w64-mingw32: ARM64 is linked by lld-link alone.
    {"arm64", "aarch64-pc-windows-msvc", ""},
};

class CoffObjects : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder.Write("app.ico",
                       MakeIconFile({{MakeDibImage(16, 16, 4), 16, 16, 4}, {MakePngImage(48, 48), 48, 48, 32}}));
        m_folder.Write("odd.bin", std::string(13, 'x'));
        m_folder.Write("empty.bin", std::string());
        m_folder.Write("app.rc",
                       "1 ICON app.ico\n"
                       "MAINICON ICON app.ico\n"
                       "2 RCDATA odd.bin\n"
                       "EMPTY RCDATA empty.bin\n"
                       "CONFIG MYDATA { \"a\", 1, 2L }\n"
                       "ABOUT MYDATA { \"shared type and name strings\" }\n"
                       "LANGUAGE 12, 1\n"
                       "CONFIG MYDATA { \"fr\" }\n"
                       "STRINGTABLE { 1, \"un\" 17, \"dix-sept\" }\n"
                       "LANGUAGE 9, 1\n"
                       "STRINGTABLE { 1, \"one\" }\n"
                       "1 VERSIONINFO FILEVERSION 1,2,3,4 {}\n");
        ASSERT_EQ(RunBrcc32(m_folder.Path(), "-fo app.res app.rc").m_exitCode, 0);
        m_resLines = LinesOfRes(m_folder.Read("app.res"));
        ASSERT_EQ(m_resLines.size(), 15u);
        m_folder.Write("main.c", std::string("int main(void) { return 0; }\n"));
        m_folder.Write("entry.c", std::string("int mainCRTStartup(void) { return 0; }\n"));
    }

    TestFolder m_folder;
    ResourceLines m_resLines;
};

TEST_F(CoffObjects, SameBytesAsLlvmCvtresButTheTimeStamp) {
    for (const MachineRow& machine : kMachines) {
        const std::string ours = "ours-" + machine.m_ours + ".obj";
        const std::string theirs = "theirs-" + machine.m_ours + ".obj";
        ASSERT_EQ(RunBrcc32(m_folder.Path(), "-machine:" + machine.m_ours + " -fo " + ours + " app.rc").m_exitCode, 0);
        ASSERT_EQ(RunIn(m_folder.Path(), "llvm-cvtres /machine:" + machine.m_ours + " /out:" + theirs + " app.res")
                      .m_exitCode,
                  0);
        std::vector<std::uint8_t> a = m_folder.Read(ours);
        std::vector<std::uint8_t> b = m_folder.Read(theirs);
        ASSERT_EQ(a.size(), b.size()) << machine.m_ours;
        // llvm-cvtres stamps the time, calls every machine 32-bit and counts an empty string table as 0 bytes, where
        // its size counts its own 4.
        for (const std::size_t at : {4, 5, 6, 7, 18, 19}) {
            a[at] = b[at] = 0;
        }
        std::fill(a.end() - 4, a.end(), 0);
        std::fill(b.end() - 4, b.end(), 0);
        EXPECT_TRUE(a == b) << machine.m_ours;
    }
}

TEST_F(CoffObjects, LinkedByGnuLdAndLldLinkWithTheResourcesOfTheRes) {
    for (const MachineRow& machine : kMachines) {
        const std::string object = "app-" + machine.m_ours + ".obj";
        ASSERT_EQ(RunBrcc32(m_folder.Path(), "-machine:" + machine.m_ours + " -fo " + object + " app.rc").m_exitCode,
                  0);
        // lld-link, with an entry point and nothing else, as a resource-only program needs no library.
        const std::string entry = "entry-" + machine.m_ours + ".o";
        const std::string lld = "lld-" + machine.m_ours + ".exe";
        ASSERT_EQ(
            RunIn(m_folder.Path(), "clang --target=" + machine.m_clangTarget + " -c entry.c -o " + entry).m_exitCode,
            0);
        const RunResult linked = RunIn(m_folder.Path(), "lld-link /nologo /machine:" + machine.m_ours +
                                                            " /entry:mainCRTStartup /subsystem:console /nodefaultlib "
                                                            "/out:" +
                                                            lld + " " + entry + " " + object);
        ASSERT_EQ(linked.m_exitCode, 0) << linked.m_stderr;
        EXPECT_EQ(LinesOfReadobj(Capture(m_folder.Path(), "llvm-readobj --coff-resources " + lld)), m_resLines) << lld;
        if (machine.m_gnuCompiler.empty()) {
            continue;
        }
        const std::string gnu = "gnu-" + machine.m_ours + ".exe";
        const RunResult gnuLinked = RunIn(m_folder.Path(), machine.m_gnuCompiler + " main.c " + object + " -o " + gnu);
        ASSERT_EQ(gnuLinked.m_exitCode, 0) << gnuLinked.m_stderr;
        EXPECT_EQ(LinesOfReadobj(Capture(m_folder.Path(), "llvm-readobj --coff-resources " + gnu)), m_resLines) << gnu;
    }
}

TEST_F(CoffObjects, AResFileConvertsToTheSameObjectAsItsScript) {
    const std::string windres = (m_folder.Path() / "x86_64-w64-mingw32-windres").string();
    std::filesystem::create_symlink(std::filesystem::absolute(BRCC32_PATH), windres);
    ASSERT_EQ(RunIn(m_folder.Path(), "./x86_64-w64-mingw32-windres app.rc from-script.o").m_exitCode, 0);
    ASSERT_EQ(RunIn(m_folder.Path(), "./x86_64-w64-mingw32-windres -J res -O coff app.res from-res.o").m_exitCode, 0);
    EXPECT_EQ(m_folder.Read("from-script.o"), m_folder.Read("from-res.o"));
    EXPECT_EQ(m_folder.Read("from-script.o")[0], 0x64);  // x64, from the name's prefix
}

TEST(CoffWriter, RefusesWhatNoLinkerCouldTake) {
    const std::vector<std::uint8_t> data = {1, 2, 3};
    const ResEntry entry{{true, 10, {}}, {false, 0, u"A"}, 0x30, 0x409, 0, 0, data};
    std::stringbuf out;
    EXPECT_THROW(WriteCoffObject(std::vector<ResEntry>{entry, entry}, Machine::kX64, out), std::runtime_error);
    EXPECT_THROW(ReadResFile(data), std::runtime_error);
    EXPECT_THROW(ReadResFile(std::vector<std::uint8_t>(32, 0xFF)), std::runtime_error);
}

}  // namespace
}  // namespace brcc::test
