// Byte identity with llvm-rc and the MinGW-w64 headers: the preprocessor, the defines of the command line and
// the constants of the built-in Windows headers.
#include <fstream>
#include <regex>
#include <string>

#include "preprocessed_identity.h"

namespace brcc::test {
namespace {

// Conditionals nested in every way, macros with parameters, # and ##, and line continuations.
TEST_F(PreprocessedIdentity, ConditionalsAndMacros) {
    ExpectIdentical(R"(#define LEVEL 3
#define ID(n) 10 ## n
#define NAME(a, b) a ## b
#define TEXT(x) #x
#define LONG_MACRO 1 + \
    2 + \
    3
#if LEVEL > 2 && defined(ID)
#  if LEVEL == 3
ID(1) RCDATA { "level 3" }
#  elif LEVEL == 4
ID(1) RCDATA { "level 4" }
#  else
#    error never
#  endif
#elif defined LEVEL
#error not here either
#else
#endif
#ifndef UNDEFINED_NAME
NAME(Da, ta) RCDATA { TEXT(some text) }
STRINGTABLE { LONG_MACRO, "six" }
#endif
#if !defined(RC_INVOKED) || !defined(_WIN32) || (1 ? 0 : 1)
#error RC_INVOKED and _WIN32 are defined
#endif
#if (0x10 << 2) == 64 && -1 < 0 && 7 / 2 == 3 && 7 % 4 == 3 && (3 ^ 1) == 2 && ~0 == -1
3 RCDATA { 3 }
#endif
#if 'A' == 65 && UNKNOWN == 0
4 RCDATA { 4 }
#endif
#undef LEVEL
#ifdef LEVEL
#error LEVEL was undefined
#endif
#define EMPTY
5 EMPTY RCDATA { 5 EMPTY }
/* a comment
#error inside a comment
*/ 6 RCDATA { "/* not a comment */", "// nor this" }
)");
}

TEST_F(PreprocessedIdentity, DefinesOnTheCommandLine) {
    // llvm-rc takes no -D in the same spelling as Borland's: the script defines for it what -d defines for ours.
    m_folder.Write("ours.rc", std::string("#ifdef DEBUG\n1 RCDATA { VALUE }\n#endif\n#ifdef UNDONE\n#error\n#endif\n"));
    ASSERT_EQ(RunBrcc32(m_folder.Path(), "-dDEBUG -D VALUE=42 -DUNDONE -U UNDONE -fo a.res ours.rc").exitCode, 0);
    m_folder.Write("theirs.rc", std::string("1 RCDATA { 42 }\n"));
    ASSERT_EQ(RunLlvmRcPreprocessed(m_folder.Path(), "theirs.rc", "theirs.res").exitCode, 0);
    EXPECT_EQ(m_folder.Read("a.res"), m_folder.Read("theirs.res"));
    m_folder.Write("include/only.h", std::string("#define ONLY 9\n"));
    m_folder.Write("ours.rc", std::string("#include \"only.h\"\nONLY RCDATA { 1 }\n"));
    m_folder.Write("theirs.rc", std::string("9 RCDATA { 1 }\n"));
    ASSERT_EQ(RunBrcc32(m_folder.Path(), "-i include -fo b.res ours.rc").exitCode, 0);
    ASSERT_EQ(RunBrcc32(m_folder.Path(), "-Iinclude -fo c.res ours.rc").exitCode, 0);
    ASSERT_EQ(RunLlvmRcPreprocessed(m_folder.Path(), "theirs.rc", "theirs.res").exitCode, 0);
    EXPECT_EQ(m_folder.Read("b.res"), m_folder.Read("theirs.res"));
    EXPECT_EQ(m_folder.Read("c.res"), m_folder.Read("theirs.res"));
}

// Every constant of the built-in headers has the value the MinGW-w64 headers give it: numbers through FILEFLAGS (32
// bits, any expression), strings through a string table.
TEST_F(PreprocessedIdentity, EveryBuiltInConstant) {
    std::ifstream table(WINDOWS_HEADERS_TABLE);
    const std::regex entry(R"re(^\{"(\w+)", R"\((.*)\)", (\d+)\},$)re");
    std::string numbers;
    std::string strings = "STRINGTABLE\nBEGIN\n";
    int id = 1;
    for (std::string line; std::getline(table, line);) {
        std::smatch match;
        // Names of the five headers below as MinGW-w64 defines them, which llvm-rc reads here.
        if (!std::regex_match(line, match, entry) || (std::stoi(match[3]) & 31) == 0 ||
            (std::stoi(match[3]) & 2048) != 0) {
            continue;
        }
        const std::string name = match[1];
        if (match[2].str().find('"') != std::string::npos) {
            strings += std::to_string(id++) + " " + name + "\n";
        } else {
            numbers += std::to_string(id++) + " VERSIONINFO FILEFLAGS " + name + " BEGIN END\n";
        }
    }
    ASSERT_GT(id, 3000);
    ExpectIdentical(
        "#include <windows.h>\n#include <winres.h>\n#include <commctrl.h>\n#include <dlgs.h>\n"
        "#include <winver.h>\n" +
        numbers + strings + "END\n");
}

}  // namespace
}  // namespace brcc::test
