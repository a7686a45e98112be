// Resources read back from .res files, COFF objects of both layouts and executables of three machines; hostile files
// refused with what is wrong and where; GNU ld given several of our objects and one of GNU windres.
#include "brcc32/input/resource_input.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "brcc32/byte_order.h"
#include "brcc32/input/resource_source.h"
#include "brcc32/script_error.h"
#include "resource_lines.h"
#include "test_folder.h"

namespace brcc::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

void SetU32(Bytes& bytes, std::size_t at, std::uint32_t value) { WriteU32(bytes.data() + at, value); }

// Each entry of a .res as its bytes (header, data, padding), sorted: the file's content whatever its order.
std::vector<Bytes> SortedEntries(const Bytes& res) {
    std::vector<Bytes> entries;
    for (std::size_t at = 0; at + 8 <= res.size();) {
        const std::size_t end =
            std::min<std::size_t>(res.size(), at + ReadU32(res, 4 + at) + (ReadU32(res, at) + 3) / 4 * 4);
        entries.emplace_back(res.begin() + static_cast<std::ptrdiff_t>(at),
                             res.begin() + static_cast<std::ptrdiff_t>(end));
        at = std::max(end, at + 8);
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

class ResourceInput : public ::testing::Test {
protected:
    void SetUp() override {
        // GNU windres' names for our compiler: the GNU dialect and its machine.
        std::filesystem::create_directory(m_folder.Path() / "bin");
        for (const char* name : {"i686-w64-mingw32-windres", "x86_64-w64-mingw32-windres"}) {
            std::filesystem::create_symlink(std::filesystem::absolute(BRCC32_PATH), m_folder.Path() / "bin" / name);
        }
        // Each type with its default flags, which a directory does not keep: what comes back from an object or an
        // executable is each resource of this .res byte for byte, in the directory's order.
        m_folder.Write("app.rc",
                       "CONFIG MYDATA { \"a\", 1, 2L }\n"
                       "LANGUAGE 12, 1\n"
                       "CONFIG MYDATA { \"fr\" }\n"
                       "LANGUAGE 9, 1\n"
                       "STRINGTABLE { 1, \"one\" 17, \"dix-sept\" }\n"
                       "EMPTY RCDATA { }\n"
                       "1 RCDATA { \"odd\" }\n"
                       "1 VERSIONINFO FILEVERSION 1,2,3,4 {}\n");
        m_folder.Write("main.c", std::string("int main(void) { return 0; }\n"));
        m_folder.Write("entry.c", std::string("int mainCRTStartup(void) { return 0; }\n"));
        ASSERT_EQ(RunBrcc32(m_folder.Path(), "-fo app.res app.rc").exitCode, 0);
        m_lines = LinesOfRes(m_folder.Read("app.res"));
        ASSERT_EQ(m_lines.size(), 7u);
    }

    // The file read a piece at a time gives what the whole file in memory gives: each entry and its data.
    void ExpectFileReadAsInMemory(const std::string& name) {
        const Bytes bytes = m_folder.Read(name);
        const std::optional<ResourceFileFormat> format = SniffResourceFile(bytes);
        ASSERT_TRUE(format) << name;
        const std::vector<ResEntry> expected = ReadResources(bytes, *format);
        FileResourceSource source(m_folder.Path() / name, *format);
        ASSERT_EQ(source.Entries().size(), expected.size()) << name;
        Bytes buffer;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const ResEntry got = source.Load(i, buffer);
            EXPECT_TRUE(got.type == expected[i].type && got.name == expected[i].name &&
                        got.language == expected[i].language && got.memoryFlags == expected[i].memoryFlags &&
                        std::ranges::equal(got.data, expected[i].data))
                << name << ", resource " << i;
        }
    }

    void Run(const std::string& command) {
        const RunResult result = RunIn(m_folder.Path(), command);
        ASSERT_EQ(result.exitCode, 0) << command << "\n" << result.stderr;
    }

    TestFolder m_folder;
    ResourceLines m_lines;
};

TEST_F(ResourceInput, ObjectsAndExecutablesGiveBackTheirResByteForByte) {
    Run("bin/i686-w64-mingw32-windres -i app.rc -o gnu-x86.o");
    Run("bin/x86_64-w64-mingw32-windres -i app.res -o gnu-x64.o");
    Run(std::string(BRCC32_PATH) + " -machine:arm64 -fo ms-arm64.obj app.rc");
    Run("llvm-cvtres /machine:x64 /out:cvtres.obj app.res");
    Run("x86_64-w64-mingw32-windres -J res -i app.res -o windres.o");
    Run("i686-w64-mingw32-gcc main.c gnu-x86.o -o mingw32.exe");
    Run("x86_64-w64-mingw32-gcc main.c gnu-x64.o -o mingw64.exe");
    Run("clang --target=aarch64-pc-windows-msvc -c entry.c -o entry.o");
    Run("lld-link /nologo /machine:arm64 /entry:mainCRTStartup /subsystem:console /nodefaultlib /out:arm64.exe "
        "entry.o ms-arm64.obj");
    std::filesystem::copy_file(m_folder.Path() / "mingw64.exe", m_folder.Path() / "no-extension");
    for (const std::string source : {"gnu-x86.o", "gnu-x64.o", "ms-arm64.obj", "cvtres.obj", "windres.o", "mingw32.exe",
                                     "mingw64.exe", "arm64.exe", "no-extension"}) {
        const std::string back = source + ".res";
        Run("bin/x86_64-w64-mingw32-windres -i " + source + " -O res -o " + back);
        EXPECT_EQ(SortedEntries(m_folder.Read(back)), SortedEntries(m_folder.Read("app.res"))) << source;
        // Written back as a script from the file, not from memory: the script compiles to the same resources.
        Run(std::string(BRCC32_PATH) + " -decompile -fo " + source + ".rc " + source);
        Run(std::string(BRCC32_PATH) + " -fo " + source + ".rc.res " + source + ".rc");
        EXPECT_EQ(SortedEntries(m_folder.Read(source + ".rc.res")), SortedEntries(m_folder.Read("app.res"))) << source;
        ExpectFileReadAsInMemory(source);
    }
    Run(std::string(BRCC32_PATH) + " -fo copy.res app.res");
    EXPECT_EQ(m_folder.Read("copy.res"), m_folder.Read("app.res"));
}

struct Hostile {
    std::string name;
    std::string from;  // the valid file it is spoilt from
    std::function<void(Bytes&)> spoil;
    std::string message;
};

// A GNU object whose directory names a thousand resources with one text of 65,535 units, each with no language: 150
// KB that read name by name come to 128 MB.
Bytes OneLongNameNamedOverAndOver() {
    constexpr std::uint32_t kNames = 1000;
    constexpr std::uint32_t kTables = 40;  // a root table and its entry, then the table of names
    constexpr std::uint32_t kEmpty = kTables + 16 + 8 * kNames;
    constexpr std::uint32_t kText = kEmpty + 16 * kNames;
    Bytes section(kText + 2 + 2 * 0xFFFF, 'a');
    const auto table = [&section](std::uint32_t at, std::uint16_t named, std::uint16_t numbered) {
        std::fill_n(section.begin() + at, 12, 0);
        WriteU16(section.data() + at + 12, named);
        WriteU16(section.data() + at + 14, numbered);
    };
    table(0, 0, 1);
    SetU32(section, 16, 10);
    SetU32(section, 20, 0x80000000u | 24);
    table(24, kNames, 0);
    for (std::uint32_t i = 0; i < kNames; ++i) {
        SetU32(section, kTables + 8 * i, 0x80000000u | kText);
        SetU32(section, kTables + 8 * i + 4, 0x80000000u | (kEmpty + 16 * i));
        table(kEmpty + 16 * i, 0, 0);
    }
    WriteU16(section.data() + kText, 0xFFFF);
    Bytes object(60);
    WriteU16(object.data(), 0x14C);
    WriteU16(object.data() + 2, 1);
    std::copy_n(".rsrc", 5, object.begin() + 20);
    SetU32(object, 20 + 16, static_cast<std::uint32_t>(section.size()));
    SetU32(object, 20 + 20, 60);
    object.insert(object.end(), section.begin(), section.end());
    return object;
}

// Where an executable's resource directory is recorded: the third data directory of its optional header.
std::size_t ResourceDirectoryField(const Bytes& exe) {
    const std::size_t optional = ReadU32(exe, 0x3C) + 24;
    return optional + (ReadU16(exe, optional) == 0x20B ? 112 : 96) + 16;
}

TEST_F(ResourceInput, HostileFilesAreRefusedWithWhatAndWhereAndLeaveNoOutput) {
    Run("bin/i686-w64-mingw32-windres -i app.rc -o gnu.o");
    Run("i686-w64-mingw32-gcc main.c gnu.o -o app.exe");
    ASSERT_FALSE(HasFatalFailure());
    constexpr std::size_t kSection = 60;  // GNU's layout: the directory right after the headers
    const std::vector<Hostile> cases = {
        {"cut.res", "app.res", [](Bytes& b) { b.resize(40); },
         "not a 32-bit .res file: the header at offset 32 goes past the end of the file"},
        {"lying.res", "app.res", [](Bytes& b) { SetU32(b, 32, 0x7FFFFFFF); },
         "the header at offset 32 announces more data than the file holds"},
        {"small.res", "app.res", [](Bytes& b) { SetU32(b, 36, 8); }, "the header at offset 32 is too small"},
        {"unmarked.res", "app.res", [](Bytes& b) { b.erase(b.begin(), b.begin() + 32); },
         "the header at offset 0 is not the empty entry"},
        {"loop.o", "gnu.o", [](Bytes& b) { SetU32(b, kSection + 20, 0x80000000u); }, "its tables loop or overlap"},
        {"huge.o", "gnu.o", [](Bytes& b) { SetU32(b, kSection + 12, 0xFFFFFFFFu); },
         "damaged at offset 0: a table or a name goes past the end of its section"},
        {"far.o", "gnu.o", [](Bytes& b) { SetU32(b, kSection + 20, 0x8FFFFFF0u); }, "goes past the end of its section"},
        {"outside.o", "gnu.o", [](Bytes& b) { SetU32(b, kSection + ReadU32(b, ReadU32(b, 20 + 24)), 0x7FFFFFF0u); },
         "a resource's data lies outside the file"},
        {"sections.o", "gnu.o", [](Bytes& b) { b[2] = b[3] = 0xFF; }, "its headers go past the end of the file"},
        {"names.o", "gnu.o", [](Bytes& b) { b = OneLongNameNamedOverAndOver(); },
         "the names of its resources add up to more than 64 MB"},
        {"cut.exe", "app.exe", [](Bytes& b) { b.resize(200); }, "not a valid executable"},
        {"nowhere.exe", "app.exe", [](Bytes& b) { SetU32(b, ResourceDirectoryField(b), 0x7FFFFFF0u); },
         "its resource directory lies outside every section"},
    };
    for (const Hostile& hostile : cases) {
        Bytes bytes = m_folder.Read(hostile.from);
        hostile.spoil(bytes);
        m_folder.Write(hostile.name, bytes);
        // An object as output too: its writer must not take the refusal for a full disk. A script is written from the
        // file read in pieces, which must refuse it alike.
        for (const std::string output : {"out.res", "out.obj", "out.rc"}) {
            const std::string options = output == "out.rc" ? "-decompile -fo " : "-fo ";
            const RunResult result = RunBrcc32(m_folder.Path(), options + output + " " + hostile.name);
            EXPECT_EQ(result.exitCode, 1) << hostile.name;
            EXPECT_NE(result.stderr.find(hostile.name + ": error: "), std::string::npos) << result.stderr;
            EXPECT_NE(result.stderr.find(hostile.message), std::string::npos) << result.stderr;
            EXPECT_FALSE(std::filesystem::exists(m_folder.Path() / output)) << hostile.name;
        }
    }
}

// A file that changes after its directory was read: its data is no longer where the directory said. (Data read with
// the headers, in the same window, is that of the file the headers describe; this one is larger than a window.)
TEST_F(ResourceInput, AFileCutAfterItsHeadersWereReadIsRefusedWhenItsDataIsRead) {
    m_folder.Write("large.bin", Bytes(ReadAheadByteSource::kWindowSize + 1000, 0x42));
    m_folder.Write("large.rc", std::string("1 RCDATA { 1 }\n2 RCDATA large.bin\n"));
    ASSERT_EQ(RunBrcc32(m_folder.Path(), "-fo large.res large.rc").exitCode, 0);
    FileResourceSource source(m_folder.Path() / "large.res", ResourceFileFormat::kRes);
    ASSERT_EQ(source.Entries().size(), 2u);
    std::filesystem::resize_file(m_folder.Path() / "large.res", 64);
    Bytes buffer;
    EXPECT_THROW(source.Load(source.Entries().size() - 1, buffer), FileAccessError);
}

// The bytes under the pages, counting what is asked of them.
class CountingSource : public ByteSource {
public:
    explicit CountingSource(const Bytes& bytes) : m_memory(bytes) {}
    std::uint64_t Size() const override { return m_memory.Size(); }
    void Read(std::uint64_t offset, std::span<std::uint8_t> into) override {
        ++reads;
        bytesRead += into.size();
        m_memory.Read(offset, into);
    }
    int reads = 0;
    std::uint64_t bytesRead = 0;

private:
    MemoryByteSource m_memory;
};

struct PieceRead {
    std::uint64_t offset;
    std::size_t size;
};

TEST(ResourceInputPages, ReadsAcrossPagesAndAtTheEndGiveTheFilesBytes) {
    constexpr std::size_t kPage = PagedByteSource::kPageSize;
    Bytes file(3 * kPage + 100);  // the last page short
    for (std::size_t i = 0; i < file.size(); ++i) {
        file[i] = static_cast<std::uint8_t>(i * 7 + i / kPage);
    }
    // Within a page, across one or two, a short last page, and reads of a page or more, which go past the pages.
    const std::vector<PieceRead> reads = {{0, 16},
                                          {kPage - 6, 12},
                                          {3 * kPage + 90, 10},
                                          {100, 2 * kPage},
                                          {kPage - 1, kPage + 1},
                                          {2 * kPage, 0},
                                          {3 * kPage - 1, 2},
                                          {10, 8},
                                          {0, file.size()},
                                          {kPage + 1, kPage - 2},
                                          {3 * kPage, 100},
                                          {file.size() - 1, 1}};
    MemoryByteSource memory(file);
    PagedByteSource paged(memory);
    for (const PieceRead& read : reads) {
        Bytes got(read.size);
        paged.Read(read.offset, got);
        const auto from = file.begin() + static_cast<std::ptrdiff_t>(read.offset);
        EXPECT_EQ(got, Bytes(from, from + static_cast<std::ptrdiff_t>(read.size))) << read.offset << " " << read.size;
    }
}

// A walk through a directory reads a few bytes at a time all over it: each page is read from the file once.
TEST(ResourceInputPages, SmallReadsReadEachPageOnce) {
    constexpr std::size_t kPage = PagedByteSource::kPageSize;
    const Bytes file(4 * kPage + 10, 0x5A);
    CountingSource counting(file);
    PagedByteSource paged(counting);
    for (int pass = 0; pass < 2; ++pass) {
        // Fields of 2, 8 and 16 bytes, from both ends toward the middle, so the pages are visited by turns.
        for (const std::size_t size : {std::size_t{2}, std::size_t{8}, std::size_t{16}}) {
            for (std::uint64_t at = 0; at + size <= file.size(); at += 97) {
                std::array<std::uint8_t, 16> field{};
                paged.Read(at, std::span(field).first(size));
                paged.Read(file.size() - size - at, std::span(field).first(size));
                ASSERT_EQ(field[0], 0x5A);
            }
        }
    }
    EXPECT_EQ(counting.reads, 5);
    EXPECT_EQ(counting.bytesRead, file.size());
}

// Headers and data read in turn: a run of small reads costs one read of the file a window. A jump back reads just
// what it asks and leaves the window, a read of a window or more goes straight through, and every read gives the
// file's bytes.
TEST(ResourceInputPages, ReadAheadTakesARunOfReadsFromOneWindow) {
    constexpr std::size_t kWindow = ReadAheadByteSource::kWindowSize;
    Bytes file(2 * kWindow + 100);
    for (std::size_t i = 0; i < file.size(); ++i) {
        file[i] = static_cast<std::uint8_t>(i * 13 + i / 251);
    }
    CountingSource counting(file);
    ReadAheadByteSource ahead(counting);
    auto expectRead = [&](std::uint64_t offset, std::size_t size) {
        Bytes got(size);
        ahead.Read(offset, got);
        const auto from = file.begin() + static_cast<std::ptrdiff_t>(offset);
        EXPECT_EQ(got, Bytes(from, from + static_cast<std::ptrdiff_t>(size))) << offset << " " << size;
    };
    for (std::uint64_t at = 0; at + 40 <= file.size(); at += 100) {
        expectRead(at, 40);
    }
    EXPECT_EQ(counting.reads, 2);  // the first window, then one from the first read past its end
    std::uint64_t before = counting.bytesRead;
    expectRead(10, 8);
    EXPECT_EQ(counting.bytesRead, before + 8);
    expectRead(file.size() - 100, 40);  // the last window is still there
    EXPECT_EQ(counting.reads, 3);
    before = counting.bytesRead;
    expectRead(5, kWindow);
    EXPECT_EQ(counting.bytesRead, before + kWindow);
}

// GNU ld merges the .rsrc sections of its objects: ours in two objects and GNU windres' manifest after them all end up
// in the executable, and Windows' loader (Wine's here) finds each.
TEST_F(ResourceInput, GnuLdKeepsTheResourcesOfEveryObject) {
    m_folder.Write("b.rc", std::string("STRINGTABLE { 40, \"forty\" }\n2 RCDATA { \"b\" }\nNAMED MYTYPE { \"x\" }\n"));
    m_folder.Write("app.manifest", std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                                               "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" "
                                               "manifestVersion=\"1.0\"></assembly>\n"));
    m_folder.Write("m.rc", std::string("1 24 app.manifest\n"));
    m_folder.Write("check.c", std::string(R"(#include <windows.h>
#include <wchar.h>
static int Has(const wchar_t* type, const wchar_t* name) { return FindResourceW(NULL, name, type) != NULL; }
int main(void) {
    wchar_t text[32];
    int missing = 0;
    missing |= (LoadStringW(NULL, 1, text, 32) == 0 || wcscmp(text, L"one") != 0) << 0;
    missing |= (LoadStringW(NULL, 40, text, 32) == 0 || wcscmp(text, L"forty") != 0) << 1;
    missing |= !Has(MAKEINTRESOURCEW(10), MAKEINTRESOURCEW(1)) << 2;
    missing |= !Has(MAKEINTRESOURCEW(10), MAKEINTRESOURCEW(2)) << 3;
    missing |= !Has(L"MYDATA", L"CONFIG") << 4;
    missing |= !Has(L"MYTYPE", L"NAMED") << 5;
    missing |= !Has(MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(1)) << 6;
    return missing;
}
)"));
    for (const std::string target : {"i686", "x86_64"}) {
        const std::string ours = "bin/" + target + "-w64-mingw32-windres";
        const std::string exe = "check-" + target + ".exe";
        Run(ours + " -i app.rc -o a-" + target + ".o");
        Run(ours + " -i b.rc -o b-" + target + ".o");
        Run(target + "-w64-mingw32-windres -i m.rc -o m-" + target + ".o");
        Run(target + "-w64-mingw32-gcc check.c a-" + target + ".o b-" + target + ".o m-" + target + ".o -o " + exe);
        Run(ours + " -i b.rc -o b.res");
        Run(ours + " -i m.rc -o m.res");
        ResourceLines expected = m_lines;
        for (const char* res : {"b.res", "m.res"}) {
            const ResourceLines more = LinesOfRes(m_folder.Read(res));
            expected.insert(expected.end(), more.begin(), more.end());
        }
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(ReadBackResources(m_folder.Path(), exe), expected) << exe;
    }
    // Wine's prefix for the tests is 32-bit, and only the test run sets it up with a display.
    if (std::getenv("WINEPREFIX") == nullptr || std::getenv("DISPLAY") == nullptr) {
        GTEST_SKIP() << "no Wine prefix with a display: the loader's check is left to the test run";
    }
    const RunResult run = RunIn(m_folder.Path(), "wine check-i686.exe");
    EXPECT_EQ(run.exitCode, 0) << "bits of what the loader missed: " << run.exitCode << "\n" << run.stderr;
}

}  // namespace
}  // namespace brcc::test
