// The help environment probe: where the tool runs from, which help engine and browser control library
// the machine has, and the diagnostic log HHDebug.txt. Nothing here raises or shows a message: a failed
// probe gives an empty, zero or false result, and a log line that cannot be written is dropped.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "help/hh_text.h"
#include "help/hh_versions.h"
#include "help/unit_scope.h"

namespace hh_funcs {

extern bool _hhInstalled;
extern std::string _hhVerStr;
extern std::uint16_t _hhVerMajor;
extern std::uint16_t _hhVerMinor;
extern std::uint16_t _hhVerRelease;
extern std::uint16_t _hhVerBuild;
extern std::string _hhFriendlyVerStr;
extern bool _ieInstalled;
extern std::string _ieVerStr;
extern std::string _ieFriendlyVerStr;
extern std::string _RunDir;
extern bool _DebugMode;
extern std::string _LogFileName;
extern std::string _LogDir;
extern std::string _ModulePath;
extern std::string _ModuleDir;
extern std::string _ModuleName;

// Without trailing backslash.
std::string GetSystemDir();
// Without trailing backslash; "c:" when the temporary folder does not exist.
std::string GetTempDir();
// Creates and deletes the probe file "$_Temp_$.$$$" in the folder.
bool IsDirWritable(const std::string& dir);
// All zero and an empty text when the file or its version cannot be read.
void GetFileVer(const std::string& fileName, std::uint16_t& major, std::uint16_t& minor, std::uint16_t& release,
                std::uint16_t& build, std::string& text);
std::string GetHHFriendlyVerStr();
void GetIEVer(std::uint16_t& major, std::uint16_t& minor, std::uint16_t& release, std::uint16_t& build,
              std::string& text);
std::string GetIEFriendlyVerStr();

// Appends one line to the log, opening and closing it; see FormatLogText for the format.
void DebugLog(std::string_view format, const std::vector<std::string>& arguments = {});
// Deletes an old log and, when the switch is on, writes the start-up report.
void WriteStartupReport();

// The unit's start (the whole probe) and end (its strings released); only the outermost pair works.
void Initialize();
void Finalize();

using Unit = help::UnitScope<Initialize, Finalize>;

}  // namespace hh_funcs
