// The compiler's pieces on their own: numbers, token lines, damaged image files, the atomic output file.
#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>

#include "brcc32/definition_table.h"
#include "brcc32/files/bitmap_file.h"
#include "brcc32/files/icon_file.h"
#include "brcc32/files/input_file.h"
#include "brcc32/output/atomic_file.h"
#include "brcc32/script/lexer.h"
#include "brcc32/script/parser.h"
#include "brcc32/script_error.h"
#include "brcc32/text/code_page.h"
#include "script_folder_check.h"
#include "test_folder.h"
#include "test_images.h"

namespace brcc::test {
namespace {

TEST(ScriptInteger, AcceptsTheFormsOfTheLanguageOnly) {
    EXPECT_EQ(ParseScriptInteger("0"), 0u);
    EXPECT_EQ(ParseScriptInteger("65535"), 65535u);
    EXPECT_EQ(ParseScriptInteger("0x1fL"), 31u);
    EXPECT_EQ(ParseScriptInteger("0XFF"), 255u);
    EXPECT_EQ(ParseScriptInteger("017"), 15u);
    EXPECT_EQ(ParseScriptInteger("12l"), 12u);
    EXPECT_EQ(ParseScriptInteger("4294967295"), 4294967295u);
    for (const char* bad : {"", "L", "0x", "0xL", "08", "1a", "12LL", "4294967296", "0x100000000", "1u"}) {
        EXPECT_EQ(ParseScriptInteger(bad), std::nullopt) << bad;
    }
}

TEST(ScriptLexer, CountsLinesThroughCommentsAndLineEnds) {
    ScriptLexer lexer(
        "\xEF\xBB\xBF"
        "a /* one\r\ntwo\r\n */ b // c\r\nd\n\n\"e f\"");
    const std::vector<std::pair<TokenKind, int>> expected = {{TokenKind::kIdentifier, 1},
                                                             {TokenKind::kIdentifier, 3},
                                                             {TokenKind::kIdentifier, 4},
                                                             {TokenKind::kString, 6},
                                                             {TokenKind::kEnd, 6}};
    for (const auto& [kind, line] : expected) {
        const Token token = lexer.Next();
        EXPECT_EQ(token.kind, kind);
        EXPECT_EQ(token.line, line);
    }
}

TEST(ScriptLexer, CommentMarksInsideANameBelongToTheName) {
    // As in llvm-rc: a comment only starts where a token could.
    ScriptLexer lexer("dir/file.bin//x \\a\\b");
    EXPECT_EQ(lexer.Next().text, "dir/file.bin//x");
    EXPECT_EQ(lexer.Next().text, "\\a\\b");
}

TEST(ScriptParser, CarriesLanguageAndFlagsIntoEachStatement) {
    ScriptParser parser("LANGUAGE 7, 1\nx icon preload \"a b.ico\"\n5 RCDATA FIXED d");
    const std::optional<ResourceStatement> icon = parser.Next();
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->kind, ResourceKind::kIcon);
    EXPECT_EQ(icon->name, ResourceId::Text("X"));
    EXPECT_EQ(icon->language, 0x0407);
    EXPECT_EQ(icon->memoryFlags, 0x1050);
    EXPECT_EQ(icon->file, "a b.ico");
    EXPECT_EQ(icon->fileLine, 2);
    const std::optional<ResourceStatement> data = parser.Next();
    ASSERT_TRUE(data);
    EXPECT_EQ(data->type, ResourceId::Ordinal(kTypeRcData));
    EXPECT_EQ(data->memoryFlags, 0x0020);
    EXPECT_FALSE(parser.Next());
}

TEST(IconFile, ReadsGroupFieldsFromEachImage) {
    const Bytes file = MakeIconFile({{MakeDibImage(16, 16, 4), 16, 16, 4, 0, 0},
                                     {MakePngImage(256, 256), 256, 256, 32, 0, 0},
                                     {MakeDibImage(32, 32, 1), 32, 32, 1, 7, 9}},
                                    true);
    const std::vector<IconImage> images = ReadIconFile(file, IconFileKind::kCursor);
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(images[0].bitCount, 4);
    EXPECT_EQ(images[1].width, 0);
    EXPECT_EQ(images[1].planes, 1);
    EXPECT_EQ(images[1].bitCount, 32);
    EXPECT_EQ(images[2].hotspotX, 7);
    EXPECT_EQ(images[2].hotspotY, 9);
    EXPECT_EQ(images[2].data.size(), MakeDibImage(32, 32, 1).size());
}

// Every prefix of a valid file is refused with a reason, never read past its end (ASan watches).
TEST(IconFile, EveryTruncationIsRefusedCleanly) {
    const Bytes whole = MakeIconFile({{MakeDibImage(16, 16, 8), 16, 16, 8}, {MakePngImage(48, 48), 48, 48, 32}});
    for (std::size_t size = 0; size < whole.size(); ++size) {
        const Bytes prefix(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_THROW(ReadIconFile(prefix, IconFileKind::kIcon), FileFormatError) << size;
    }
    EXPECT_EQ(ReadIconFile(whole, IconFileKind::kIcon).size(), 2u);
}

TEST(IconFile, RefusesOffsetsThatWrapAround) {
    Bytes file = MakeIconFile({{MakeDibImage(16, 16, 4), 16, 16, 4}});
    file[18] = file[19] = file[20] = file[21] = 0xFF;  // offset 0xFFFFFFFF with a non-zero size
    EXPECT_THROW(ReadIconFile(file, IconFileKind::kIcon), FileFormatError);
}

TEST(BitmapFile, EveryTruncationOfTheHeaderIsRefused) {
    for (const std::uint32_t headerSize : {12u, 40u, 124u}) {
        const Bytes whole = MakeBitmapFile(3, 3, 24, headerSize);
        EXPECT_NO_THROW(
            CheckBitmapFile(std::span(whole).first(std::min(whole.size(), kBitmapProbeSize)), whole.size()));
        for (std::size_t size = 0; size < kBitmapFileHeaderSize + headerSize; ++size) {
            EXPECT_THROW(CheckBitmapFile(std::span(whole).first(size), size), FileFormatError) << size;
        }
    }
}

TEST(ScriptFileNames, AnsiTextIsReadAsWindows1252) {
    EXPECT_TRUE(IsValidUtf8("donn\xC3\xA9\x65s.bin"));
    EXPECT_FALSE(IsValidUtf8("donn\xE9\x65s.bin"));
    EXPECT_FALSE(IsValidUtf8("\xC3"));
    EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));  // an overlong '/'
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // a lone surrogate
    EXPECT_EQ(Windows1252ToUtf8("donn\xE9\x65s \x80\x9C.bin"), "donn\xC3\xA9\x65s \xE2\x82\xAC\xC5\x93.bin");
    EXPECT_EQ(PathFromScriptText("donn\xE9\x65s.bin"), PathFromScriptText("donn\xC3\xA9\x65s.bin"));
}

TEST(ScriptFileNames, AFolderBuildsTheSamePathsAsScriptFilePath) { ExpectScriptFolderAgreesWithScriptFilePath(); }

// Through every growth of the table, each key keeps the line that defined it, and near keys stay apart.
TEST(DefinitionTable, RemembersTheFirstLineOfEveryKey) {
    DefinitionTable table;
    const auto id = [](int i) {
        return i % 3 == 0 ? ResourceId::Text("N" + std::to_string(i))
                          : ResourceId::Ordinal(static_cast<std::uint16_t>(i));
    };
    constexpr int kKeys = 50000;
    for (int i = 0; i < kKeys; ++i) {
        ASSERT_EQ(table.Define(ResourceId::Ordinal(10), id(i), 0x0409, i + 1), std::nullopt) << i;
    }
    for (int i = 0; i < kKeys; ++i) {
        ASSERT_EQ(table.Define(ResourceId::Ordinal(10), id(i), 0x0409, kKeys + i), i + 1) << i;
    }
    // Each differs from a key above in one part only: type, kind of id, or language.
    EXPECT_EQ(table.Define(ResourceId::Ordinal(11), ResourceId::Ordinal(1), 0x0409, 1), std::nullopt);
    EXPECT_EQ(table.Define(ResourceId::Text("RCDATA"), ResourceId::Ordinal(1), 0x0409, 2), std::nullopt);
    EXPECT_EQ(table.Define(ResourceId::Ordinal(10), ResourceId::Text("1"), 0x0409, 3), std::nullopt);
    EXPECT_EQ(table.Define(ResourceId::Ordinal(10), ResourceId::Ordinal(1), 0x0407, 4), std::nullopt);
    EXPECT_EQ(table.Define(ResourceId::Ordinal(10), ResourceId::Ordinal(0x2324), 0x0000, 5), std::nullopt);
    EXPECT_EQ(table.Define(ResourceId::Text("A"), ResourceId::Text("B"), 0, 6), std::nullopt);
    EXPECT_EQ(table.Define(ResourceId::Text("AB"), ResourceId::Text(""), 0, 7), std::nullopt);
    EXPECT_EQ(table.Define(ResourceId::Text("A"), ResourceId::Text("B"), 0, 8), 6);
    // Keys are kept in blocks of 64 KB: one longer than a block, and the keys around it, are still found.
    const ResourceId huge = ResourceId::Text(std::string(70000, 'H'));
    EXPECT_EQ(table.Define(ResourceId::Ordinal(10), huge, 0, 9), std::nullopt);
    EXPECT_EQ(table.Define(ResourceId::Ordinal(10), ResourceId::Text("after"), 0, 10), std::nullopt);
    EXPECT_EQ(table.Define(ResourceId::Ordinal(10), huge, 0, 11), 9);
    EXPECT_EQ(table.Define(ResourceId::Ordinal(10), ResourceId::Text("after"), 0, 12), 10);
    EXPECT_EQ(table.Define(ResourceId::Ordinal(10), id(kKeys - 1), 0x0409, 13), kKeys);
}

TEST(AtomicFile, TargetChangesOnlyOnCommit) {
    TestFolder folder;
    const std::filesystem::path target = folder.Write("out.res", std::string("old"));
    {
        AtomicFile abandoned(target);
        abandoned.Stream().sputn("new", 3);
    }
    EXPECT_EQ(folder.Read("out.res"), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(folder.FileNames().size(), 1u);
    {
        AtomicFile kept(target);
        kept.Stream().sputn("newer", 5);
        kept.Commit();
    }
    EXPECT_EQ(folder.Read("out.res"), (Bytes{'n', 'e', 'w', 'e', 'r'}));
    EXPECT_EQ(folder.FileNames().size(), 1u);
    EXPECT_THROW(AtomicFile(folder.Path() / "no such folder" / "x.res"), std::runtime_error);
}

}  // namespace
}  // namespace brcc::test
