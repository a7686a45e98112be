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
    EXPECT_EQ(ScriptTextFromFileBytes("a\n\rb"), "a\r\n\r\nb");     // LF CR is two breaks
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
