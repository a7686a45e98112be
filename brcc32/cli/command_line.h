// The brcc32 command line in the three dialects it speaks: Borland's brcc32, Microsoft's rc and GNU's windres.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "brcc32/machine.h"
#include "brcc32/messages.h"
#include "brcc32/preprocessor/preprocessor.h"

namespace brcc {

enum class Dialect { kBorland, kMicrosoft, kGnu };
// kObject: a COFF object or an executable, told apart by their first bytes; kByContent: a script unless the first
// bytes say it is a .res, an object or an executable.
enum class InputFormat { kScript, kRes, kObject, kByContent };
enum class OutputFormat { kRes, kCoff, kScript };  // kScript: the resources written back as a script
enum class DependencyFormat { kMake, kJson };

// Who the program is taken for: its file name picks the dialect and, for GNU, the machine of a target prefix.
struct ProgramIdentity {
    Dialect dialect = Dialect::kBorland;
    std::optional<Machine> machine;
    std::string name;  // as messages call the program: brcc32, rc, windres
};
ProgramIdentity IdentifyProgram(std::string_view programPath);

struct DependencyRequest {
    std::filesystem::path file;        // none is written while empty
    std::vector<std::string> targets;  // the output file when empty
    DependencyFormat format = DependencyFormat::kMake;
};

struct CommandLine {
    enum class Action { kCompile, kHelp, kVersion, kUsageError };
    Action action = Action::kUsageError;
    Dialect dialect = Dialect::kBorland;
    std::string programName = "brcc32";
    std::filesystem::path script;  // empty: the script comes on the standard input
    std::filesystem::path output;
    bool outputToStandardOutput = false;
    std::string scriptArgument;  // as typed, for messages
    std::string outputArgument;
    std::string error;  // for kUsageError, in the user's language
    std::string errorCode;
    PreprocessOptions preprocess;
    InputFormat inputFormat = InputFormat::kScript;
    OutputFormat outputFormat = OutputFormat::kRes;
    Machine machine = Machine::kX86;
    std::optional<std::uint16_t> language;  // the script's default language
    std::optional<std::uint32_t> codePage;  // the script's code page until a #pragma changes it
    bool nullTerminateStrings = false;      // rc's /n: each string table entry ends with a NUL
    bool verbose = false;
    DependencyRequest dependencies;
};

// `programPath` is argv[0]; `arguments` the rest, in UTF-8. Response files are read from the current folder, the
// INCLUDE variable from the environment.
CommandLine ParseCommandLine(std::string_view programPath, const std::vector<std::string>& arguments);

// The usage text of a dialect, in the user's language.
std::string UsageText(Dialect dialect, std::string_view programName);
// GNU's: where #include files are looked for, with the system folders of the machine's target.
std::string SearchOrderText(Machine machine);
// The program's name and version, and the compiler the dialect is compatible with.
std::string VersionText(Dialect dialect, std::string_view programName);
// The part of the usage text that is the dialect's own ({1}: the program's name); kUsageCommon follows it.
const MessageText& DialectUsage(Dialect dialect);

}  // namespace brcc
