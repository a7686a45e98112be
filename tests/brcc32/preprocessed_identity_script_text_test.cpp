// Byte identity on how a script spells its data: inline hex blocks, design guides, escapes and UTF-16 scripts.
#include <string>

#include "preprocessed_identity.h"

namespace brcc::test {
namespace {

// Borland's inline hex data gives the resource the same bytes as the file it spells out.
TEST_F(PreprocessedIdentity, HexBlocksEqualTheirFiles) {
    m_folder.Write("pic.bmp", MakeBitmapFile(3, 2, 24));
    m_folder.Write("arrow.cur", MakeIconFile({{MakeDibImage(16, 16, 1), 16, 16, 1, 2, 3}}, true));
    std::string blocks;
    std::string files;
    const std::vector<std::pair<std::string, std::string>> kinds = {{"BITMAP", "pic.bmp"},
                                                                    {"ICON", "app.ico"},
                                                                    {"CURSOR", "arrow.cur"},
                                                                    {"RCDATA", "page.htm"},
                                                                    {"MYTYPE", "page.htm"}};
    int id = 1;
    for (const auto& [type, file] : kinds) {
        const std::vector<std::uint8_t> bytes = m_folder.Read(file);
        blocks += std::to_string(id) + " " + type + "\n{\n";
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            blocks += i % 16 == 0 ? " '" : " ";
            blocks += {kHex[bytes[i] >> 4], kHex[bytes[i] & 15]};
            blocks += i % 16 == 15 || i + 1 == bytes.size() ? "'\n" : "";
        }
        blocks += "}\n";
        files += std::to_string(id++) + " " + type + " " + file + "\n";
    }
    m_folder.Write("blocks.rc", blocks);
    m_folder.Write("files.rc", files);
    ASSERT_EQ(RunBrcc32(m_folder.Path(), "blocks.rc").exitCode, 0);
    ASSERT_EQ(RunBrcc32(m_folder.Path(), "files.rc").exitCode, 0);
    EXPECT_EQ(m_folder.Read("blocks.res"), m_folder.Read("files.res"));
}

// The dialog editor's guides are read and left out: the program never reads them.
TEST_F(PreprocessedIdentity, DesignInfoIsNotStored) {
    m_folder.Write("with.rc", std::string("1 RCDATA { 1 }\nGUIDELINES DESIGNINFO\nBEGIN\n  IDD_ABOUT, DIALOG\n  BEGIN\n"
                                          "    LEFTMARGIN, 7\n  END\nEND\n2 RCDATA { 2 }\n"));
    m_folder.Write("without.rc", std::string("1 RCDATA { 1 }\n2 RCDATA { 2 }\n"));
    ASSERT_EQ(RunBrcc32(m_folder.Path(), "with.rc").exitCode, 0);
    ASSERT_EQ(RunBrcc32(m_folder.Path(), "without.rc").exitCode, 0);
    EXPECT_EQ(m_folder.Read("with.res"), m_folder.Read("without.res"));
}

// llvm-rc drops an unknown escape from L"..." where it keeps it in "...": ours keeps it in both, as written.
TEST_F(PreprocessedIdentity, UnknownEscapeOfAWideStringIsKept) {
    m_folder.Write("ours.rc", std::string("1 RCDATA { L\"a\\qb\", \"a\\qb\" }\n"));
    ASSERT_EQ(RunBrcc32(m_folder.Path(), "ours.rc").exitCode, 0);
    const std::vector<std::uint8_t> res = m_folder.Read("ours.res");
    const std::vector<std::uint8_t> data(res.begin() + 64, res.end());
    EXPECT_EQ(data, std::vector<std::uint8_t>({'a', 0, '\\', 0, 'q', 0, 'b', 0, 'a', '\\', 'q', 'b'}));
}

// Windows' compiler takes a UTF-16 script with its byte-order mark (llvm-rc does not): it gives the UTF-8 twin's bytes.
TEST_F(PreprocessedIdentity, Utf16ScriptEqualsItsUtf8Twin) {
    const std::u16string text =
        u"#pragma code_page(65001)\r\n#include <windows.h>\r\nSTRINGTABLE { 1 \"Été \x263A\" }\r\n"
        u"1 RCDATA { L\"\xE9\", \"ab\" }\r\nIDOK ICON \"app.ico\"\r\n";
    std::string utf8;
    for (const char16_t c : text) {
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else if (c < 0x800) {
            utf8 += static_cast<char>(0xC0 | (c >> 6));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            utf8 += static_cast<char>(0xE0 | (c >> 12));
            utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    ExpectIdentical(utf8, "/C 65001");  // llvm-rc reads the UTF-8 twin: the reference for both
    for (const bool bigEndian : {false, true}) {
        std::string utf16 = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (const char16_t c : text) {
            const char high = static_cast<char>(c >> 8);
            const char low = static_cast<char>(c & 0xFF);
            utf16 += bigEndian ? std::string{high, low} : std::string{low, high};
        }
        m_folder.Write("utf16.rc", utf16);
        const RunResult result = RunBrcc32(m_folder.Path(), "utf16.rc");
        ASSERT_EQ(result.exitCode, 0) << result.stderr;
        EXPECT_EQ(m_folder.Read("utf16.res"), m_folder.Read("ours.res"))
            << (bigEndian ? "big-endian" : "little-endian");
    }
}

}  // namespace
}  // namespace brcc::test
