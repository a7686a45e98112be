// brcc32's entry point: arguments in, one line per error out, exit code 0, 1 or 2.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "brcc32/build_outputs.h"
#include "brcc32/cli/command_line.h"
#include "brcc32/diagnostic.h"
#include "brcc32/files/input_file.h"
#include "brcc32/message_catalogue.h"
#include "brcc32/output/atomic_file.h"
#include "brcc32/script_error.h"
#include "brcc32/text/terminal_text.h"

#ifdef _WIN32
#include "brcc32/cli/windows_command_line.h"
#include "brcc32/windows_api.h"
#endif

namespace {

constexpr int kExitError = 1;
constexpr int kExitUsage = 2;

int Run(const std::string& programPath, const std::vector<std::string>& arguments) {
    brcc::SetUiLanguage(brcc::DetectUiLanguage());
    const brcc::CommandLine commandLine = brcc::ParseCommandLine(programPath, arguments);
    const std::string& program = commandLine.programName;
    const brcc::MessageShape shape =
        commandLine.dialect == brcc::Dialect::kGnu ? brcc::MessageShape::kGnu : brcc::MessageShape::kMsBuild;
    switch (commandLine.action) {
        case brcc::CommandLine::Action::kHelp:
            brcc::WriteTerminalText(
                stdout, brcc::UsageText(commandLine.dialect, program) +
                            (commandLine.dialect == brcc::Dialect::kGnu ? brcc::SearchOrderText(commandLine.machine)
                                                                        : std::string()));
            return 0;
        case brcc::CommandLine::Action::kVersion:
            brcc::WriteTerminalText(stdout, brcc::VersionText(commandLine.dialect, program));
            return 0;
        case brcc::CommandLine::Action::kUsageError: {
            const brcc::Diagnostic diagnostic{
                brcc::Severity::kError, program, 0, {commandLine.error, commandLine.error, commandLine.errorCode}};
            brcc::WriteTerminalText(stderr, brcc::Render(diagnostic, program, shape) +
                                                brcc::Text(brcc::msg::kTryHelp, {program + " --help"}) + "\n");
            return kExitUsage;
        }
        case brcc::CommandLine::Action::kCompile:
            break;
    }
    brcc::RemoveTemporaryFilesOnInterrupt();
    brcc::DiagnosticSink diagnostics;
    int exitCode = 0;
    try {
        brcc::BuildOutputs(commandLine, &diagnostics);
    } catch (const brcc::ScriptError& error) {
        diagnostics.Add(brcc::ErrorDiagnostic(error));
        exitCode = kExitError;
    } catch (const std::exception& error) {
        diagnostics.Add({brcc::Severity::kError, "", 0, brcc::ReasonOf(error)});
        exitCode = kExitError;
    }
    for (const brcc::Diagnostic& diagnostic : diagnostics.Diagnostics()) {
        brcc::WriteTerminalText(stderr, brcc::Render(diagnostic, commandLine.scriptArgument, shape));
    }
    return exitCode;
}

}  // namespace

#ifdef _WIN32
// The wide command line, split here rather than by the runtime: a script name outside the ANSI code page still
// reaches the compiler intact, and a define's quotes are kept as Windows' resource compiler keeps them.
int wmain(int argc, wchar_t** argv) {
    return Run(argc > 0 ? brcc::PathToUtf8(std::filesystem::path(argv[0])) : "brcc32",
               brcc::SplitCommandLine(brcc::PathToUtf8(std::filesystem::path(GetCommandLineW()))));
}
#else
int main(int argc, char** argv) {
    return Run(argc > 0 ? argv[0] : "brcc32", std::vector<std::string>(argv + 1, argv + argc));
}
#endif
