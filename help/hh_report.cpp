// The start-up report: which line says what.
#include "help/hh_report.h"

#include <cstdio>

#include "help/hh_text.h"

namespace hh_funcs {
namespace {

constexpr std::uint32_t kPlatformWin9x = 1;
constexpr std::uint32_t kPlatformNT = 2;

std::string Hex4(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof(text), "%04X", static_cast<unsigned>(value));
    return std::string("\t0x") + text;
}

std::string Decimal(std::uint32_t value) { return std::to_string(static_cast<std::int32_t>(value)); }

std::string DateAndTime(const LocalTime& now, const ReportLocale& locale) {
    std::string text = locale.shortDate(now);
    if (now.hour != 0 || now.minute != 0 || now.second != 0) {
        text += " " + locale.longTime(now);
    }
    return text;
}

}  // namespace

std::vector<LogCall> StartupReport(const StartupReportInputs& in) {
    // The 9x family keeps the version in the high word of the build number.
    const std::uint32_t build = in.platformId == kPlatformWin9x ? in.buildNumber & 0xFFFF : in.buildNumber;
    const std::string tab = "\t";
    return {
        {"!Filename:             %s", {tab + in.logPath}},
        {"!Date:                 %s", {tab + DateAndTime(in.now, in.locale)}},
        {"!Operating System:      %s %d.%d.%d",
         {in.platformId == kPlatformNT ? "\tWindows NT" : "\tWindows", Decimal(in.majorVersion),
          Decimal(in.minorVersion), Decimal(build)}},
        {"!SysLocale.DefaultLCID: %s", {Hex4(in.locale.lcid)}},
        {"!SysLocale.PriLangID:   %s", {Hex4(in.locale.lcid & 0x3FF)}},
        {"!SysLocale.SubLangID:   %s", {Hex4((in.locale.lcid >> 10) & 0x3F)}},
        {"!DecimalSeparator:      %s", {tab + in.locale.decimalSeparator}},
        {"-", {}},
        {"!EXE Path =          %s", {tab + in.exePath}},
        {"!Cmdline Param(s) =  %s", {tab + JoinParameters(in.parameters)}},
        {"!_RunDir =           %s", {tab + in.runDir}},
        {"!_ModuleName =       %s", {tab + in.moduleName}},
        {"!_ModuleDir =        %s", {tab + in.moduleDir}},
        {"-", {}},
        {"!_hhInstalled =      %s", {tab + BoolToYesNo(in.hhInstalled)}},
        {"!_hhVerStr =         %s", {tab + in.hhVerStr}},
        {"!_hhFriendlyVerStr = %s", {tab + in.hhFriendlyVerStr}},
        {"-", {}},
        {"!_ieInstalled =      %s", {tab + BoolToYesNo(in.ieInstalled)}},
        {"!_ieVerStr =         %s", {tab + in.ieVerStr}},
        {"!_ieFriendlyVerStr = %s", {tab + in.ieFriendlyVerStr}},
        {"=", {}},
    };
}

}  // namespace hh_funcs
