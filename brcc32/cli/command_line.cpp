// Which dialect a command line is read in, and its response files expanded, before the parser reads it.
#include "brcc32/cli/command_line.h"

#include "brcc32/cli/command_line_parser.h"
#include "brcc32/cli/response_file.h"
#include "brcc32/message_catalogue.h"
#include "brcc32/text/ascii_case.h"

namespace brcc {
namespace {

std::optional<Dialect> DialectFromName(std::string_view name) {
    const std::string lower = LowerAscii(name);
    if (lower == "borland" || lower == "brcc32") {
        return Dialect::kBorland;
    }
    if (lower == "microsoft" || lower == "rc") {
        return Dialect::kMicrosoft;
    }
    if (lower == "gnu" || lower == "windres") {
        return Dialect::kGnu;
    }
    return std::nullopt;
}

}  // namespace

ProgramIdentity IdentifyProgram(std::string_view programPath) {
    const std::size_t slash = programPath.find_last_of("/\\");
    std::string name = LowerAscii(slash == std::string_view::npos ? programPath : programPath.substr(slash + 1));
    if (name.ends_with(".exe")) {
        name.resize(name.size() - 4);
    }
    ProgramIdentity identity;
    if (name == "rc") {
        identity.dialect = Dialect::kMicrosoft;
        identity.name = "rc";
    } else if (name.ends_with("windres")) {
        identity.dialect = Dialect::kGnu;
        identity.name = name;
        // x86_64-w64-mingw32-windres: the target prefix names the machine.
        if (name.size() > 8 && name[name.size() - 8] == '-') {
            identity.machine = MachineFromTarget(name.substr(0, name.size() - 8));
        }
    } else {
        identity.name = "brcc32";
    }
    return identity;
}

CommandLine ParseCommandLine(std::string_view programPath, const std::vector<std::string>& arguments) {
    const ProgramIdentity program = IdentifyProgram(programPath);
    Dialect dialect = program.dialect;
    // --dialect=NAME first of all overrides the program's name; it must come first as it changes how the rest reads.
    std::vector<std::string> rest = arguments;
    if (!rest.empty() && rest[0].starts_with("--dialect")) {
        std::string value;
        if (rest[0].starts_with("--dialect=")) {
            value = rest[0].substr(10);
            rest.erase(rest.begin());
        } else if (rest[0] == "--dialect" && rest.size() > 1) {
            value = rest[1];
            rest.erase(rest.begin(), rest.begin() + 2);
        }
        const std::optional<Dialect> chosen = DialectFromName(value);
        if (!chosen) {
            CommandLine result;
            result.programName = program.name;
            result.error = Text(msg::kBadDialect, {value});
            result.errorCode = msg::kBadDialect.code;
            return result;
        }
        dialect = *chosen;
    }
    std::vector<std::string> expanded;
    try {
        expanded = ExpandResponseFiles(
            rest, dialect == Dialect::kGnu ? ResponseFileQuoting::kGnu : ResponseFileQuoting::kWindows);
    } catch (const ResponseFileError& error) {
        CommandLine result;
        result.dialect = dialect;
        result.programName = program.name;
        const MessageText& message =
            error.GetKind() == ResponseFileError::Kind::kUnreadable ? msg::kResponseUnreadable : msg::kResponseTooDeep;
        result.error = Text(message, {error.what()});
        result.errorCode = message.code;
        return result;
    }
    return CommandLineParser(program, dialect).Run(expanded);
}

}  // namespace brcc
