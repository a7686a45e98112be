// The brcc32 command line: what to compile and where to put it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "brcc32/preprocessor/preprocessor.h"

namespace brcc {

struct CommandLine {
    enum class Action { kCompile, kHelp, kVersion, kUsageError };
    Action action = Action::kUsageError;
    std::filesystem::path script;
    std::filesystem::path output;
    std::string scriptArgument;  // as typed, for messages
    std::string error;           // for kUsageError
    PreprocessOptions preprocess;
};

// Arguments without the program name, in UTF-8.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

inline constexpr const char* kUsage =
    "Usage: brcc32 [options] SCRIPT.rc\n"
    "Preprocesses and compiles a resource script into a 32-bit .res file, written beside the script\n"
    "as SCRIPT.res unless -fo names another.\n"
    "\n"
    "  -fo FILE         write the .res file to FILE (also -foFILE)\n"
    "  -i DIR, -I DIR   look for #include files in DIR too (also -iDIR); then in the INCLUDE folders\n"
    "  -d NAME[=VALUE], -D NAME[=VALUE]\n"
    "                   define a macro (also -dNAME)\n"
    "  -U NAME          undefine a macro (also -UNAME)\n"
    "  -c NUMBER        read the script's 8-bit text in that Windows code page (also -cNUMBER);\n"
    "                   1252 unless given, or a #pragma code_page says otherwise\n"
    "  -h, --help       show this help and exit\n"
    "  --version        show the version and exit\n"
    "\n"
    "Exit status: 0 when the .res file was written, 1 on an error in the script or its files,\n"
    "2 on a command-line error. Errors are printed as FILE(LINE): error: MESSAGE, FILE being the\n"
    "script or the included file where the fault is.\n";

inline constexpr const char* kVersion = "brcc32 (Talvorine) 1.0\n";

}  // namespace brcc
