// Line breaks and NULs of a script file as the memo receives it.
#include "main_window/script_text.h"

#include <gtest/gtest.h>

#include <string>

using talvorine::ScriptTextFromFileBytes;
using namespace std::string_literals;

TEST(ScriptText, EveryKindOfBreakBecomesCrLf) {
    EXPECT_EQ(ScriptTextFromFileBytes("a\r\nb"), "a\r\nb");
    EXPECT_EQ(ScriptTextFromFileBytes("a\nb\n"), "a\r\nb\r\n");
    EXPECT_EQ(ScriptTextFromFileBytes("a\rb\r"), "a\r\nb\r\n");
    EXPECT_EQ(ScriptTextFromFileBytes("a\n\rb"), "a\r\n\r\nb");      // LF CR is two breaks
    EXPECT_EQ(ScriptTextFromFileBytes("\r\r\n\n"), "\r\n\r\n\r\n");  // CR, CR LF, LF
    EXPECT_EQ(ScriptTextFromFileBytes("\n"), "\r\n");
    EXPECT_EQ(ScriptTextFromFileBytes("\r"), "\r\n");
    EXPECT_EQ(ScriptTextFromFileBytes(""), "");
}

TEST(ScriptText, TextEndsAtTheFirstNul) {
    EXPECT_EQ(ScriptTextFromFileBytes("ICON x.ico\0rest\nmore"s), "ICON x.ico");
    EXPECT_EQ(ScriptTextFromFileBytes("a\r\0\nb"s), "a\r\n");  // the CR before the NUL is a lone CR
    EXPECT_EQ(ScriptTextFromFileBytes("\0abc"s), "");
}

TEST(ScriptText, AnsiBytesPassUnchanged) {
    const std::string bytes = "\xC9t\xE9 \x80\x81\xFF";
    EXPECT_EQ(ScriptTextFromFileBytes(bytes), bytes);
}

TEST(ScriptText, LargeMixedTextKeepsEveryLine) {
    std::string bytes;
    std::string expected;
    for (int i = 0; i < 100000; ++i) {
        const std::string line = "R" + std::to_string(i) + " RCDATA f.bin";
        const char* breaks[] = {"\n", "\r", "\r\n"};
        bytes += line + breaks[i % 3];
        expected += line + "\r\n";
    }
    EXPECT_EQ(ScriptTextFromFileBytes(bytes), expected);
}

TEST(ScriptText, ByteOrderMarksNameTheEncoding) {
    using talvorine::ScriptEncoding;
    const struct {
        const char* bytes;
        ScriptEncoding encoding;
        size_t length;
    } cases[] = {
        {"\xEF\xBB\xBF!", ScriptEncoding::kUtf8, 3}, {"\xFF\xFE!", ScriptEncoding::kUtf16Le, 2},
        {"\xFE\xFF", ScriptEncoding::kUtf16Be, 2},   {"\xEF\xBB!", ScriptEncoding::kAnsi, 0},
        {"\xFF!", ScriptEncoding::kAnsi, 0},         {"", ScriptEncoding::kAnsi, 0},
    };
    for (const auto& c : cases) {
        const auto mark = talvorine::DetectByteOrderMark(c.bytes);
        EXPECT_EQ(mark.encoding, c.encoding) << c.bytes;
        EXPECT_EQ(mark.length, c.length) << c.bytes;
    }
}

TEST(ScriptText, Utf16UnitsInEitherOrderAndAHalfUnitMarked) {
    EXPECT_EQ(talvorine::Utf16UnitsFromBytes("a\0\xE9\0"s, false), L"a\u00e9");
    EXPECT_EQ(talvorine::Utf16UnitsFromBytes("\0a\x20\xAC"s, true), L"a\u20ac");
    EXPECT_EQ(talvorine::Utf16UnitsFromBytes("a\0b"s, false), L"a\uFFFD");
    EXPECT_EQ(talvorine::Utf16BytesFromUnits(L"a\u00e9", false), "a\0\xE9\0"s);
    EXPECT_EQ(talvorine::Utf16BytesFromUnits(L"a\u20ac", true), "\0a\x20\xAC"s);
}
