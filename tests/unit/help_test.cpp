// The help units' portable rules: release names, the browser version fix-up, the debug switch, the
// log's lines and the start-up report.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "help/hh_report.h"
#include "help/hh_text.h"
#include "help/hh_versions.h"

namespace hh_funcs {
namespace {

TEST(ReleaseNames, HelpEngineAtAndAroundItsBoundaries) {
    const struct {
        TVersion version;
        const char* name;
    } cases[] = {
        {{4, 74, 9273, 0}, "1.33"},     {{4, 74, 9273, 1}, "> 1.33"}, {{5, 2, 3790, 2744}, "> 1.33"},
        {{4, 74, 9272, 65535}, "1.32"}, {{4, 72, 7290, 0}, "1.0"},    {{4, 72, 7289, 65535}, "< 1.0"},
        {{0, 0, 0, 0}, "< 1.0"},        {{4, 73, 8474, 5}, "1.21a"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HHReleaseName(c.version), c.name) << VersionText(c.version);
    }
}

TEST(ReleaseNames, BrowserLibraryAtAndAroundItsBoundaries) {
    const struct {
        TVersion version;
        const char* name;
    } cases[] = {
        {{6, 0, 2600, 0}, "Internet Explorer 6 (Windows XP)"},
        {{6, 0, 2900, 2180}, "> Internet Explorer 6"},
        {{6, 0, 2479, 5}, "Internet Explorer 6 Public Preview (Beta)"},
        {{5, 50, 4134, 600}, "Internet Explorer 5.5"},
        {{5, 50, 4134, 599}, "Internet Explorer 5.5 for Windows Me (4.90.3000)"},
        {{4, 40, 308, 0}, "Internet Explorer 1.0 (Plus!)"},
        {{4, 40, 307, 65535}, "< Internet Explorer 1.0 (Plus!)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IEReleaseName(c.version), c.name) << VersionText(c.version);
    }
}

TEST(ReleaseNames, OldBrowserVersionsAreFixedUpBeforeNaming) {
    const TVersion fixed = FixUpIEVersion({4, 70, 0, 1300});
    EXPECT_EQ(VersionText(fixed), "4.70.1300.0");
    EXPECT_EQ(IEReleaseName(fixed), "Internet Explorer 3.02");
    // Above 4.70, or with a release already set, the version stays as read.
    EXPECT_EQ(VersionText(FixUpIEVersion({4, 71, 0, 1712})), "4.71.0.1712");
    EXPECT_EQ(VersionText(FixUpIEVersion({4, 70, 5, 1300})), "4.70.5.1300");
}

bool ShiftJisLead(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

TEST(StripTrailingChar, RemovesEveryTrailingOccurrenceButNeverHalfACharacter) {
    const struct {
        std::string text;
        std::string stripped;
    } cases[] = {
        {"C:\\", "C:"},
        {"C:\\\\", "C:"},
        {"\\\\\\", ""},
        {"", ""},
        {"C:\\x\\y", "C:\\x\\y"},
        // 0x95 0x5C is one Shift-JIS character whose second byte is a backslash.
        {"C:\\\x95\x5C", "C:\\\x95\x5C"},
        {"C:\\\x95\x5C\\\\", "C:\\\x95\x5C"},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        StripTrailingChar(text, '\\', ShiftJisLead);
        EXPECT_EQ(text, c.stripped) << c.text;
    }
}

TEST(DebugSwitch, WholeParameterEitherPrefixAnyAsciiCase) {
    using Params = std::vector<std::string>;
    const struct {
        Params parameters;
        bool on;
    } cases[] = {
        {{"-DEBUG"}, true},   {{"/Debug"}, true},   {{"-debug"}, true},   {{"a", "b", "/debug", "-x"}, true},
        {{}, false},          {{"debug"}, false},   {{"-debugx"}, false}, {{"--debug"}, false},
        {{"/debug "}, false}, {{"\\debug"}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HasDebugSwitch(c.parameters), c.on) << ::testing::PrintToString(c.parameters);
    }
}

TEST(LogLine, RulesMarkedAndOrdinaryLines) {
    int clockReads = 0;
    const auto clock = [&] {
        ++clockReads;
        return std::string("14:05:09");
    };
    EXPECT_EQ(LogLine("-", clock), std::string(79, '-'));
    EXPECT_EQ(LogLine("=", clock), std::string(79, '='));
    EXPECT_EQ(LogLine("!Hello", clock), "Hello");
    EXPECT_EQ(LogLine("--x", clock), "-x");
    EXPECT_EQ(clockReads, 0);
    EXPECT_EQ(LogLine("Hello", clock), "14:05:09   Hello");
    EXPECT_EQ(LogLine("", clock), "14:05:09   ");
    EXPECT_EQ(LogLine("!", clock), "");
}

TEST(FormatLogText, ArgumentsAreNeverReadAsFormats) {
    const std::vector<std::string> arguments = {"%s%n%d", "7"};
    EXPECT_EQ(FormatLogText("!a %s b %d c %% %x", arguments), "!a %s%n%d b 7 c % %x");
    EXPECT_EQ(FormatLogText("%s %s", {}), " ");
}

class StartupReportTest : public ::testing::Test {
protected:
    StartupReportTest() {
        in.logPath = "C:\\Outils\\HHDebug.txt";
        in.now = {2026, 3, 9, 8, 7, 6};
        in.locale = {0x040C, ',',
                     [](const LocalTime& t) {
                         return std::to_string(t.day) + "/0" + std::to_string(t.month) + "/" + std::to_string(t.year);
                     },
                     [](const LocalTime& t) {
                         return "0" + std::to_string(t.hour) + ":0" + std::to_string(t.minute) + ":0" +
                                std::to_string(t.second);
                     }};
        in.platformId = 2;
        in.majorVersion = 5;
        in.minorVersion = 1;
        in.buildNumber = 2600;
        in.exePath = "C:\\Outils\\Talvorine.exe";
        in.parameters = {"a", "%s", "-DEBUG"};
        in.runDir = "C:\\Outils";
        in.moduleName = "Talvorine.exe";
        in.moduleDir = "C:\\Outils";
        in.hhInstalled = true;
        in.hhVerStr = "5.2.3790.2744";
        in.hhFriendlyVerStr = "> 1.33";
        in.ieInstalled = false;
    }

    std::string Bytes() const {
        std::string bytes;
        for (const LogCall& call : StartupReport(in)) {
            bytes += LogLine(FormatLogText(call.format, call.arguments), [] { return std::string("never"); }) + "\r\n";
        }
        return bytes;
    }

    StartupReportInputs in;
};

TEST_F(StartupReportTest, TwentyTwoLinesExactly) {
    const std::string dashes(79, '-');
    const std::string expected =
        "Filename:             \tC:\\Outils\\HHDebug.txt\r\n"
        "Date:                 \t9/03/2026 08:07:06\r\n"
        "Operating System:      \tWindows NT 5.1.2600\r\n"
        "SysLocale.DefaultLCID: \t0x040C\r\n"
        "SysLocale.PriLangID:   \t0x000C\r\n"
        "SysLocale.SubLangID:   \t0x0001\r\n"
        "DecimalSeparator:      \t,\r\n" +
        dashes + "\r\n" +
        "EXE Path =          \tC:\\Outils\\Talvorine.exe\r\n"
        "Cmdline Param(s) =  \ta | %s | -DEBUG\r\n"
        "_RunDir =           \tC:\\Outils\r\n"
        "_ModuleName =       \tTalvorine.exe\r\n"
        "_ModuleDir =        \tC:\\Outils\r\n" +
        dashes + "\r\n" +
        "_hhInstalled =      \tYES\r\n"
        "_hhVerStr =         \t5.2.3790.2744\r\n"
        "_hhFriendlyVerStr = \t> 1.33\r\n" +
        dashes + "\r\n" +
        "_ieInstalled =      \tNO\r\n"
        "_ieVerStr =         \t\r\n"
        "_ieFriendlyVerStr = \t\r\n" +
        std::string(79, '=') + "\r\n";
    EXPECT_EQ(Bytes(), expected);
}

TEST_F(StartupReportTest, MidnightShowsTheDateAlone) {
    in.now = {2026, 3, 9, 0, 0, 0};
    EXPECT_NE(Bytes().find("Date:                 \t9/03/2026\r\n"), std::string::npos);
}

TEST_F(StartupReportTest, Windows9xBuildIsTheLowWord) {
    in.platformId = 1;
    in.majorVersion = 4;
    in.minorVersion = 10;
    in.buildNumber = 67766446;  // 0x040A08AE: version 4.10 in the high word, build 2222 in the low
    EXPECT_NE(Bytes().find("Operating System:      \tWindows 4.10.2222\r\n"), std::string::npos);
}

}  // namespace
}  // namespace hh_funcs
