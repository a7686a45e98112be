// brcc32's entry point: arguments in, one line per error out, exit code 0, 1 or 2.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "brcc32/cli/command_line.h"
#include "brcc32/files/input_file.h"
#include "brcc32/resource_compiler.h"
#include "brcc32/script_error.h"

namespace {

constexpr int kExitError = 1;
constexpr int kExitUsage = 2;

int Run(const std::vector<std::string>& arguments) {
    const brcc::CommandLine commandLine = brcc::ParseCommandLine(arguments);
    switch (commandLine.m_action) {
        case brcc::CommandLine::Action::kHelp:
            std::fputs(brcc::kUsage, stdout);
            return 0;
        case brcc::CommandLine::Action::kVersion:
            std::fputs(brcc::kVersion, stdout);
            return 0;
        case brcc::CommandLine::Action::kUsageError:
            std::fprintf(stderr, "brcc32: error: %s\nTry 'brcc32 --help' for more information.\n",
                         commandLine.m_error.c_str());
            return kExitUsage;
        case brcc::CommandLine::Action::kCompile:
            break;
    }
    try {
        brcc::CompileScriptFile(commandLine.m_script, commandLine.m_output, commandLine.m_preprocess,
                                commandLine.m_scriptArgument);
        return 0;
    } catch (const brcc::ScriptError& error) {
        const std::string where = error.Line() > 0 ? "(" + std::to_string(error.Line()) + ")" : "";
        const std::string& file = error.File().empty() ? commandLine.m_scriptArgument : error.File();
        std::fprintf(stderr, "%s%s: error: %s\n", file.c_str(), where.c_str(), error.what());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: error: %s\n", commandLine.m_scriptArgument.c_str(), error.what());
    }
    return kExitError;
}

}  // namespace

#ifdef _WIN32
// Wide arguments: a script name outside the ANSI code page still reaches the compiler intact.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.push_back(brcc::PathToUtf8(std::filesystem::path(argv[i])));
    }
    return Run(arguments);
}
#else
int main(int argc, char** argv) { return Run(std::vector<std::string>(argv + 1, argv + argc)); }
#endif
