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
#include "brcc32/output/res_writer.h"
#include "resource_lines.h"
#include "test_folder.h"
#include "test_images.h"

namespace brcc::test {
namespace {

struct MachineRow {
    std::string ours;         // -machine: value
    std::string clangTarget;  // for lld-link's entry object
    std::string gnuCompiler;  // empty: Debian has no GNU linker for this machine
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
        ASSERT_EQ(RunBrcc32(m_folder.Path(), "-fo app.res app.rc").exitCode, 0);
        m_resLines = LinesOfRes(m_folder.Read("app.res"));
        ASSERT_EQ(m_resLines.size(), 15u);
        m_folder.Write("main.c", std::string("int main(void) { return 0; }\n"));
        m_folder.Write("entry.c", std::string("int mainCRTStartup(void) { return 0; }\n"));
    }

    TestFolder m_folder;
    ResourceLines m_resLines;
};

TEST_F(CoffObjects, ReadBackAsTheResAndAsLlvmCvtresObject) {
    for (const MachineRow& machine : kMachines) {
        const std::string ours = "ours-" + machine.ours + ".obj";
        const std::string theirs = "theirs-" + machine.ours + ".obj";
        ASSERT_EQ(RunBrcc32(m_folder.Path(), "-machine:" + machine.ours + " -fo " + ours + " app.rc").exitCode, 0);
        ASSERT_EQ(
            RunIn(m_folder.Path(), "llvm-cvtres /machine:" + machine.ours + " /out:" + theirs + " app.res").exitCode,
            0);
        EXPECT_EQ(ReadBackResources(m_folder.Path(), ours), m_resLines) << machine.ours;
        EXPECT_EQ(ReadBackResources(m_folder.Path(), theirs), m_resLines) << machine.ours;
        const std::vector<std::uint8_t> object = m_folder.Read(ours);
        EXPECT_EQ(object[0] | object[1] << 8, machine.ours == "x86" ? 0x14C : machine.ours == "x64" ? 0x8664 : 0xAA64);
    }
}

TEST_F(CoffObjects, LinkedByGnuLdAndLldLinkWithTheResourcesOfTheRes) {
    for (const MachineRow& machine : kMachines) {
        const std::string object = "app-" + machine.ours + ".obj";
        ASSERT_EQ(RunBrcc32(m_folder.Path(), "-machine:" + machine.ours + " -fo " + object + " app.rc").exitCode, 0);
        // lld-link, with an entry point and nothing else, as a resource-only program needs no library.
        const std::string entry = "entry-" + machine.ours + ".o";
        const std::string lld = "lld-" + machine.ours + ".exe";
        ASSERT_EQ(RunIn(m_folder.Path(), "clang --target=" + machine.clangTarget + " -c entry.c -o " + entry).exitCode,
                  0);
        const RunResult linked = RunIn(m_folder.Path(), "lld-link /nologo /machine:" + machine.ours +
                                                            " /entry:mainCRTStartup /subsystem:console /nodefaultlib "
                                                            "/out:" +
                                                            lld + " " + entry + " " + object);
        ASSERT_EQ(linked.exitCode, 0) << linked.stderr;
        EXPECT_EQ(ReadBackResources(m_folder.Path(), lld), m_resLines) << lld;
        if (machine.gnuCompiler.empty()) {
            continue;
        }
        const std::string gnu = "gnu-" + machine.ours + ".exe";
        const RunResult gnuLinked = RunIn(m_folder.Path(), machine.gnuCompiler + " main.c " + object + " -o " + gnu);
        ASSERT_EQ(gnuLinked.exitCode, 0) << gnuLinked.stderr;
        EXPECT_EQ(ReadBackResources(m_folder.Path(), gnu), m_resLines) << gnu;
    }
}

TEST_F(CoffObjects, AResFileConvertsToTheSameObjectAsItsScript) {
    const std::string windres = (m_folder.Path() / "x86_64-w64-mingw32-windres").string();
    std::filesystem::create_symlink(std::filesystem::absolute(BRCC32_PATH), windres);
    ASSERT_EQ(RunIn(m_folder.Path(), "./x86_64-w64-mingw32-windres app.rc from-script.o").exitCode, 0);
    ASSERT_EQ(RunIn(m_folder.Path(), "./x86_64-w64-mingw32-windres -J res -O coff app.res from-res.o").exitCode, 0);
    EXPECT_EQ(m_folder.Read("from-script.o"), m_folder.Read("from-res.o"));
    EXPECT_EQ(m_folder.Read("from-script.o")[0], 0x64);  // x64, from the name's prefix
}

// More resources than a 16-bit relocation count: the count moves into the first relocation, and both linkers read it.
TEST(CoffWriter, MoreThan65535Resources) {
    TestFolder folder;
    std::string script;
    for (int i = 1; i <= 70000; ++i) {
        // Two languages: ids are 16-bit.
        script += (i == 35001 ? "LANGUAGE 12, 1\n" : "") + std::to_string(i % 35000 + 1) + " RCDATA { " +
                  std::to_string(i) + " }\n";
    }
    folder.Write("many.rc", script);
    folder.Write("main.c", std::string("int main(void) { return 0; }\n"));
    ASSERT_EQ(RunBrcc32(folder.Path(), "-machine:x64 -fo many.obj many.rc").exitCode, 0);
    const RunResult gnu = RunIn(folder.Path(), "x86_64-w64-mingw32-gcc main.c many.obj -o gnu.exe");
    ASSERT_EQ(gnu.exitCode, 0) << gnu.stderr;
    const RunResult lld = RunIn(folder.Path(), "lld-link /nologo /machine:x64 /noentry /dll /out:lld.dll many.obj");
    ASSERT_EQ(lld.exitCode, 0) << lld.stderr;
    // Counted and sampled by the shell: 70,000 resources read line by line here would take minutes under the
    // sanitizers.
    for (const std::string file : {"gnu.exe", "lld.dll"}) {
        EXPECT_EQ(Capture(folder.Path(), "llvm-readobj --coff-resources " + file + " | grep -c 'Language:'"), "70000\n")
            << file;
        EXPECT_EQ(
            Capture(folder.Path(), "llvm-readobj --coff-resources " + file +
                                       " | grep -A40 'Name: (ID 9999)' | grep -c -e '0000: 0E27 ' -e '0000: C6AF '"),
            "2\n")
            << file;
    }
}

TEST(CoffWriter, RefusesWhatNoLinkerCouldTake) {
    std::stringbuf res;
    ResWriter writer(res);
    const std::vector<std::uint8_t> data = {1, 2, 3};
    writer.WriteResource(ResourceId::Ordinal(10), ResourceId::Text("A"), 0x30, 0x409, data);
    writer.WriteResource(ResourceId::Ordinal(10), ResourceId::Text("A"), 0x30, 0x409, data);
    writer.Finish();
    std::stringbuf out;
    CoffWriter duplicate(out, Machine::kX64);
    duplicate.sputn(res.str().data(), static_cast<std::streamsize>(res.str().size()));
    EXPECT_THROW(duplicate.Finish(), std::runtime_error);
    // Not a .res: no leading null entry, or cut in a header or in data.
    for (const std::string& bytes :
         {std::string(32, '\xFF'), res.str().substr(0, 40), res.str().substr(0, 70), std::string()}) {
        std::stringbuf cut;
        CoffWriter writerOfCut(cut, Machine::kX86);
        writerOfCut.sputn(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        EXPECT_THROW(writerOfCut.Finish(), std::runtime_error) << bytes.size();
    }
}

}  // namespace
}  // namespace brcc::test
