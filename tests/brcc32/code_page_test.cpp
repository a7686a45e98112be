// The code page tables at their edges against glibc's iconv: single bytes, lead bytes with their first and last
// trail bytes, bytes a page leaves undefined, and lead bytes left without a trail byte.
#include "brcc32/text/code_page.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "brcc32/text/code_page_tables.h"
#include "iconv_reference.h"

namespace brcc::test {
namespace {

struct PageUnderTest {
    std::uint32_t m_number;
    const char* m_iconvName;
    // Pairs from this lead byte to that one where Microsoft's table, which the tables follow, and glibc's differ.
    unsigned char m_differFrom = 0;
    unsigned char m_differTo = 0;
};

const PageUnderTest kPages[] = {
    {437, "CP437"},        {850, "CP850"},   {852, "CP852"},   {866, "CP866"},   {874, "CP874"},
    {1250, "CP1250"},      {1251, "CP1251"}, {1252, "CP1252"}, {1253, "CP1253"}, {1254, "CP1254"},
    {1255, "CP1255"},      {1256, "CP1256"}, {1257, "CP1257"}, {1258, "CP1258"}, {20866, "KOI8-R"},
    {28592, "ISO-8859-2"}, {932, "CP932"},   {936, "CP936"},   {949, "CP949"},   {950, "CP950", 0xC6, 0xC8},
};

TEST(CodePages, SingleBytesAsIconvReadsThem) {
    for (const PageUnderTest& page : kPages) {
        const CodePageTable* table = FindCodePageTable(page.m_number);
        ASSERT_NE(table, nullptr) << page.m_number;
        for (int byte = 0; byte < 256; ++byte) {
            if (byte >= 0x80 && table->m_leadRows != nullptr && table->m_leadRows[byte - 0x80] != 0) {
                continue;
            }
            const std::string text(1, static_cast<char>(byte));
            const char16_t ours = ToUtf16(text, page.m_number).at(0);
            if (const std::optional<char16_t> theirs = IconvUnit(page.m_iconvName, text)) {
                EXPECT_EQ(ours, *theirs) << page.m_number << " byte " << byte;
            } else {
                // What glibc leaves undefined: Windows' own pages keep a C1 control or give a private-use character
                // (932's 0xA0 and 0xFD-0xFF); the rest is U+FFFD.
                EXPECT_TRUE(ours == kNoCharacter || (byte >= 0x80 && byte < 0xA0 && ours == byte) ||
                            (ours >= 0xE000 && ours < 0xF900))
                    << page.m_number << " byte " << byte << " read as " << int{ours};
            }
        }
    }
}

TEST(CodePages, PairsAtTheEdgesOfEachLeadByte) {
    for (const PageUnderTest& page : kPages) {
        const CodePageTable* table = FindCodePageTable(page.m_number);
        if (table->m_leadRows == nullptr) {
            continue;
        }
        int leads = 0;
        for (int lead = 0x80; lead < 0x100; ++lead) {
            if (table->m_leadRows[lead - 0x80] == 0 || (lead >= page.m_differFrom && lead <= page.m_differTo)) {
                continue;
            }
            ++leads;
            for (const int trail : {int{table->m_firstTrail}, 0x7E, 0x7F, 0x80, 0xA1, 0xFC, 0xFE, 0xFF}) {
                const std::string pair = {static_cast<char>(lead), static_cast<char>(trail)};
                const std::u16string ours = ToUtf16(pair, page.m_number);
                ASSERT_EQ(ours.size(), 1u) << page.m_number << " " << lead << " " << trail;
                const std::optional<char16_t> theirs = IconvUnit(page.m_iconvName, pair);
                EXPECT_EQ(ours[0], theirs.value_or(kNoCharacter)) << page.m_number << " " << lead << " " << trail;
            }
        }
        EXPECT_GT(leads, 30) << page.m_number;
    }
}

// A lead byte never takes a quote, a line end or the end of the text with it: a string of a double-byte page
// closes where its quote is, whatever byte comes before it.
TEST(CodePages, LeadBytesWithoutTheirTrailByte) {
    const struct {
        std::uint32_t m_page;
        std::string m_bytes;
        std::u16string m_text;
    } cases[] = {
        {932, "\x83\x5C", u"\u30BD"},  // a trail byte that is a backslash in ASCII
        {932, "a\x83", u"a\uFFFD"},
        {932, "\x83\"x", u"\uFFFD\"x"},
        {932, "\x83\n", u"\uFFFD\n"},
        {932, "\xB1\x5C", u"\uFF71\\"},  // half-width katakana: one byte
        {936, "\x80\xB0\xA1", u"\u20AC\u554A"},
        {936, "\x81\x7F", u"\uFFFD"},   // in the trail range, defined by no pair
        {949, "\x81\x40", u"\uFFFD@"},  // below this page's trail bytes
        {950, "\xA4\x40\xF9\xFE", u"\u4E00\u2593"},
        {20936, "\xB0\x5C", u"\uFFFD\\"},
        {65001, "\xE4\xB8\x80\xE4", u"\u4E00\uFFFD"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToUtf16(c.m_bytes, c.m_page), c.m_text) << c.m_page << " " << c.m_bytes;
        const CodePageTable* table = FindCodePageTable(c.m_page);
        std::size_t characters = 0;
        for (std::size_t i = 0; i < c.m_bytes.size(); i += CharacterSize(table, c.m_bytes, i)) {
            ++characters;
        }
        if (c.m_page != kCodePageUtf8) {
            EXPECT_EQ(characters, c.m_text.size()) << c.m_page << " " << c.m_bytes;
        }
    }
}

TEST(CodePages, WhichNumbersAScriptMayName) {
    for (const std::uint32_t page : {437u, 720u, 850u, 852u, 866u, 874u, 932u, 936u, 949u, 950u, 1250u, 1258u, 1361u,
                                     10000u, 20127u, 20866u, 28591u, 28605u, 65001u}) {
        EXPECT_TRUE(IsSupportedCodePage(page)) << page;
    }
    // EBCDIC, UTF-16, UTF-7, GB 18030 and numbers of no page at all: not text a script's syntax can be read in.
    for (const std::uint32_t page : {0u, 37u, 500u, 1200u, 1201u, 65000u, 54936u, 1234u, 65002u}) {
        EXPECT_FALSE(IsSupportedCodePage(page)) << page;
    }
    EXPECT_TRUE(HasDoubleByteCharacters(936));
    EXPECT_FALSE(HasDoubleByteCharacters(1252));
    EXPECT_FALSE(HasDoubleByteCharacters(kCodePageUtf8));
}

}  // namespace
}  // namespace brcc::test
