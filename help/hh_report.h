// The start-up report of the diagnostic log, built from what the probe gathered.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace hh_funcs {

struct LocalTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The thread locale, and its short date and long time formats applied to a time.
struct ReportLocale {
    std::uint32_t lcid = 0;
    char decimalSeparator = '.';
    std::function<std::string(const LocalTime&)> shortDate;
    std::function<std::string(const LocalTime&)> longTime;
};

struct StartupReportInputs {
    std::string logPath;
    LocalTime now;
    ReportLocale locale;
    std::uint32_t platformId = 0;  // 1: the Windows 9x family, 2: NT
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
    std::uint32_t buildNumber = 0;  // as the system reports it
    std::string exePath;
    std::vector<std::string> parameters;  // without the program's name
    std::string runDir;
    std::string moduleName;
    std::string moduleDir;
    bool hhInstalled = false;
    std::string hhVerStr;
    std::string hhFriendlyVerStr;
    bool ieInstalled = false;
    std::string ieVerStr;
    std::string ieFriendlyVerStr;
};

// One call of the log writer: a format and the arguments it takes.
struct LogCall {
    const char* format;
    std::vector<std::string> arguments;
};

// The 22 calls of the report, in order.
std::vector<LogCall> StartupReport(const StartupReportInputs& inputs);

}  // namespace hh_funcs
