// Files read ahead on threads: handed back in script order, each error at its own line, the same bytes as without.
#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "brcc32/files/file_read_ahead.h"
#include "brcc32/resource_compiler.h"
#include "brcc32/script_error.h"
#include "test_folder.h"
#include "test_images.h"

namespace brcc::test {
namespace {

// Reader counts to run each case with: none, as on a single core, one, and more than this machine may have.
constexpr std::size_t kReaderCounts[] = {0, 1, 3};

Bytes Pattern(std::size_t size, int seed) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 31 + static_cast<std::size_t>(seed) * 7 + (i >> 8));
    }
    return bytes;
}

Bytes Rest(StagedFile file) {
    const FileBytes rest = file.TakeRest();
    return Bytes(rest.begin(), rest.end());
}

struct Outcome {
    std::string bytes;
    int line = 0;
    std::string error;
};

Outcome CompileInProcess(const TestFolder& folder, const std::string& script, std::size_t readers) {
    std::stringbuf out;
    ResourceCompiler compiler(folder.Path(), out, readers);
    try {
        compiler.Compile(script);
    } catch (const ScriptError& error) {
        return Outcome{"", error.Line(), error.what()};
    }
    return Outcome{out.str(), 0, ""};
}

TEST(FileReadAhead, HandsFilesBackInOrderWithEachErrorInItsPlace) {
    TestFolder folder;
    // Sizes around the held-bytes limit too: a file too large to hold is left open and read when taken.
    const std::vector<std::size_t> sizes = {0, 1, 3, 1000, 70000, FileReadAhead::kHeldBytesLimit + 1, 5};
    std::vector<std::string> names;
    for (int i = 0; i < 300; ++i) {
        names.push_back(i % 37 == 11 ? "missing" + std::to_string(i) : "f" + std::to_string(i) + ".bin");
        if (i % 37 != 11) {
            folder.Write(names.back(), Pattern(sizes[static_cast<std::size_t>(i) % sizes.size()], i));
        }
    }
    for (const std::size_t readers : kReaderCounts) {
        SCOPED_TRACE(readers);
        FileReadAhead files(folder.Path(), readers);
        std::size_t added = 0;
        for (std::size_t taken = 0; taken < names.size(); ++taken) {
            while (added < names.size() && !files.IsFull()) {
                files.Add(names[added++]);
            }
            if (taken % 37 == 11) {
                EXPECT_THROW(files.Take(), FileAccessError) << taken;
                continue;
            }
            EXPECT_EQ(Rest(files.Take()), Pattern(sizes[taken % sizes.size()], static_cast<int>(taken))) << taken;
        }
        EXPECT_TRUE(files.IsEmpty());
        EXPECT_EQ(files.StartedReaders(), readers);
    }
}

TEST(FileReadAhead, AShortQueueStartsNoThread) {
    TestFolder folder;
    folder.Write("a.bin", std::string("a"));
    FileReadAhead files(folder.Path(), 3);
    for (std::size_t i = 0; i + 1 < FileReadAhead::kLookAhead; ++i) {
        files.Add("a.bin");
    }
    EXPECT_EQ(files.StartedReaders(), 0u);
    EXPECT_EQ(Rest(files.Take()), (Bytes{'a'}));
    EXPECT_EQ(files.StartedReaders(), 0u);
}

// Files the readers hold whole are copies taken before the files change: no more of them than the limit allows.
TEST(FileReadAhead, HoldsNoMoreBytesThanItsLimit) {
    TestFolder folder;
    constexpr std::size_t kSize = 100000;
    for (std::size_t i = 0; i < FileReadAhead::kLookAhead; ++i) {
        folder.Write("f" + std::to_string(i), Pattern(kSize, 1));
    }
    FileReadAhead files(folder.Path(), 3);
    for (std::size_t i = 0; i < FileReadAhead::kLookAhead; ++i) {
        files.Add("f" + std::to_string(i));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    for (std::size_t i = 0; i < FileReadAhead::kLookAhead; ++i) {
        folder.Write("f" + std::to_string(i), std::string("cut"));
    }
    std::size_t whole = 0;
    for (std::size_t i = 0; i < FileReadAhead::kLookAhead; ++i) {
        try {
            whole += files.Take().TakeRest().size() == kSize ? 1 : 0;
        } catch (const FileAccessError&) {
            // Opened before the change and read after it: it ended early, as the compiler reports.
        }
    }
    EXPECT_LE(whole, FileReadAhead::kHeldBytesLimit / kSize);
}

// A file named again is handed back from memory; a failure is never remembered, and each name keeps its own bytes.
TEST(FileReadAhead, NamesReadAgainGiveTheirOwnBytesAndFailuresAreRetried) {
    TestFolder folder;
    folder.Write("a.bin", Pattern(100, 1));
    folder.Write("b.bin", Pattern(100, 2));
    folder.Write("sub/a.bin", Pattern(7, 3));
    folder.Write("large.bin", Pattern(KeptFiles<FileBytes>::kLargestFile + 1, 4));
    folder.Write("empty.bin", std::string());
    const struct {
        const char* name;
        std::size_t size;  // 0 with seed -1: the file is missing
        int seed;
    } steps[] = {
        {"a.bin", 100, 1},
        {"b.bin", 100, 2},
        {"sub/a.bin", 7, 3},
        {"a.bin", 100, 1},
        {"late.bin", 0, -1},
        {"sub\\a.bin", 7, 3},
        {"empty.bin", 0, 0},
        {"empty.bin", 0, 0},
        {"large.bin", KeptFiles<FileBytes>::kLargestFile + 1, 4},
        {"large.bin", KeptFiles<FileBytes>::kLargestFile + 1, 4},
        {"late.bin", 5, 5},
        {"b.bin", 100, 2},
        {"late.bin", 5, 5},
    };
    for (const std::size_t readers : kReaderCounts) {
        SCOPED_TRACE(readers);
        std::filesystem::remove(folder.Path() / "late.bin");
        FileReadAhead files(folder.Path(), readers);
        for (const auto& step : steps) {
            // One file at a time, so that late.bin is written between its two namings.
            if (std::string(step.name) == "late.bin" && step.seed == 5) {
                folder.Write("late.bin", Pattern(5, 5));
            }
            files.Add(step.name);
            if (step.seed < 0) {
                EXPECT_THROW(files.Take(), FileAccessError) << step.name;
                continue;
            }
            EXPECT_EQ(Rest(files.Take()), Pattern(step.size, step.seed)) << step.name;
        }
    }
}

TEST(KeptFiles, KeepsSmallFilesUntilItsLimitAndNeverReplacesOne) {
    using Kept = KeptFiles<std::string>;
    Kept kept;
    EXPECT_FALSE(kept.Find("a"));
    kept.Offer("a", "first");
    kept.Offer("a", "second");
    kept.Offer("big", std::string(Kept::kLargestFile + 1, 'x'));
    kept.Offer("edge", std::string(Kept::kLargestFile, 'y'));
    EXPECT_EQ(kept.Find("a"), "first");
    EXPECT_FALSE(kept.Find("big"));
    EXPECT_EQ(kept.Find("edge")->size(), Kept::kLargestFile);
    // Filled to its limit: what is kept stays, what comes later is not kept.
    std::size_t offered = 0;
    for (int i = 0; offered < Kept::kBytesLimit; ++i, offered += Kept::kLargestFile) {
        kept.Offer("f" + std::to_string(i), std::string(Kept::kLargestFile, 'z'));
    }
    std::size_t small = 0;
    for (; small < Kept::kLargestFile; ++small) {
        kept.Offer("s" + std::to_string(small), "x");
        if (!kept.Find("s" + std::to_string(small))) {
            break;
        }
    }
    EXPECT_LT(small, Kept::kLargestFile) << "never full";
    EXPECT_EQ(kept.Find("a"), "first");
    EXPECT_EQ(kept.Find("f0")->size(), Kept::kLargestFile);
    kept.Offer("late, with a name longer than the room left", "");
    EXPECT_FALSE(kept.Find("late, with a name longer than the room left"));
}

class LongScript : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 40; ++i) {
            m_folder.Write("d" + std::to_string(i) + ".bin", Pattern(static_cast<std::size_t>(i * 97), i));
        }
        m_folder.Write("large.bin", Pattern(FileReadAhead::kHeldBytesLimit + 3, 9));
        m_folder.Write("app.ico",
                       MakeIconFile({{MakeDibImage(16, 16, 4), 16, 16, 4}, {MakePngImage(48, 48), 48, 48, 32}}));
        m_folder.Write("arrow.cur", MakeIconFile({{MakeDibImage(32, 32, 1), 32, 32, 1, 4, 6}}, true));
        m_folder.Write("image.bmp", MakeBitmapFile(5, 3, 24));
    }

    // Line n (from 1) of a valid script of `lines` lines, every kind of resource among them.
    static std::string Line(int n) {
        switch (n % 9) {
            case 0:
                return "I" + std::to_string(n) + " ICON app.ico\n";
            case 1:
                return "C" + std::to_string(n) + " CURSOR arrow.cur\n";
            case 2:
                return std::to_string(n) + " BITMAP image.bmp\n";
            case 3:
                return "N" + std::to_string(n) + " WAVE " + (n % 90 == 3 ? "large.bin" : "\"d7.bin\"") + "\n";
            default:
                return std::to_string(n) + " RCDATA d" + std::to_string(n % 40) + ".bin\n";
        }
    }
    // A script of `lines` such lines, some of them replaced.
    static std::string Script(std::initializer_list<std::pair<int, std::string>> changes, int lines = 1000) {
        std::string script;
        for (int n = 1; n <= lines; ++n) {
            std::string line = Line(n);
            for (const auto& [where, text] : changes) {
                line = where == n ? text + "\n" : line;
            }
            script += line;
        }
        return script;
    }

    // The same outcome with any number of readers.
    Outcome Expect(const std::string& script) {
        const Outcome alone = CompileInProcess(m_folder, script, 0);
        for (const std::size_t readers : {1, 3}) {
            const Outcome outcome = CompileInProcess(m_folder, script, readers);
            EXPECT_EQ(outcome.line, alone.line) << readers;
            EXPECT_EQ(outcome.error, alone.error) << readers;
            EXPECT_TRUE(outcome.bytes == alone.bytes) << readers;
        }
        return alone;
    }

    TestFolder m_folder;
};

TEST_F(LongScript, SameBytesWithAndWithoutReaders) {
    const Outcome outcome = Expect(Script({}, 1500));
    EXPECT_EQ(outcome.error, "");
    EXPECT_GT(outcome.bytes.size(), 1500u * 32u);
}

// The parser runs ahead of the files, but the first error in the script is the one reported, whatever its kind.
TEST_F(LongScript, TheFirstErrorInTheScriptWins) {
    const std::string missing = "500 RCDATA missing.bin";
    const std::string parse = "#include \"x.h\"";
    const std::string duplicate = "5 RCDATA d1.bin";  // line 5 defined it
    const std::string invalid = "X ICON d3.bin";
    const struct {
        std::string script;
        int line;
        std::string message;
    } cases[] = {
        {Script({{500, missing}, {530, parse}}), 500, "cannot read 'missing.bin': file not found"},
        {Script({{530, missing}, {500, parse}}), 500, "preprocessor"},
        {Script({{500, missing}, {501, parse}}), 500, "file not found"},
        {Script({{500, missing}, {520, invalid}, {540, duplicate}}), 500, "file not found"},
        {Script({{540, missing}, {520, invalid}, {500, duplicate}}), 500, "already defined on line 5"},
        {Script({{540, missing}, {520, invalid}, {560, parse}}), 520, "'d3.bin' is not a valid icon file"},
        {Script({{500, "5 RCDATA missing.bin"}}), 500, "duplicate resource"},  // checked before its file
        {Script({{2, missing}, {3, parse}}, 3), 2, "file not found"},
        {Script({{999, parse}, {1000, "1000 RCDATA"}}), 999, "preprocessor"},
        {Script({{1000, "1000 RCDATA"}}), 1000, "expected a file name"},
    };
    for (const auto& expected : cases) {
        const Outcome outcome = Expect(expected.script);
        EXPECT_EQ(outcome.line, expected.line) << outcome.error;
        EXPECT_NE(outcome.error.find(expected.message), std::string::npos) << outcome.error;
    }
}

}  // namespace
}  // namespace brcc::test
