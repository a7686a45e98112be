// The brcc32 command line: what to compile and where to put it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace brcc {

struct CommandLine {
    enum class Action { kCompile, kHelp, kVersion, kUsageError };
    Action m_action = Action::kUsageError;
    std::filesystem::path m_script;
    std::filesystem::path m_output;
    std::string m_scriptArgument;  // as typed, for messages
    std::string m_error;           // for kUsageError
};

// Arguments without the program name, in UTF-8.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

inline constexpr const char* kUsage =
    "Usage: brcc32 [-fo OUTPUT.res] SCRIPT.rc\n"
    "Compiles a resource script of one-line resources (NAME TYPE file) into a 32-bit .res file,\n"
    "written beside the script as SCRIPT.res unless -fo names another.\n"
    "\n"
    "  -fo FILE     write the .res file to FILE (also -foFILE)\n"
    "  -h, --help   show this help and exit\n"
    "  --version    show the version and exit\n"
    "\n"
    "Exit status: 0 when the .res file was written, 1 on an error in the script or its files,\n"
    "2 on a command-line error. Errors are printed as SCRIPT.rc(LINE): error: MESSAGE.\n";

inline constexpr const char* kVersion = "brcc32 (Talvorine) 1.0\n";

}  // namespace brcc
