// Command-line parsing, kept apart from main so tests reach it.
#include "brcc32/command_line.h"

#include "brcc32/input_file.h"

namespace brcc {

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine result;
    auto fail = [&result](std::string message) {
        result.m_action = CommandLine::Action::kUsageError;
        result.m_error = std::move(message);
        return result;
    };
    bool hasScript = false;
    bool hasOutput = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "-h" || argument == "--help" || argument == "-?" || argument == "/?") {
            result.m_action = CommandLine::Action::kHelp;
            return result;
        }
        if (argument == "--version") {
            result.m_action = CommandLine::Action::kVersion;
            return result;
        }
        if (argument.starts_with("-fo")) {
            if (hasOutput) {
                return fail("-fo is given twice");
            }
            std::string output = argument.substr(3);
            if (output.empty()) {
                if (i + 1 == arguments.size()) {
                    return fail("-fo needs a file name");
                }
                output = arguments[++i];
            }
            result.m_output = PathFromUtf8(output);
            hasOutput = true;
            continue;
        }
        if (argument.size() > 1 && argument[0] == '-') {
            return fail("unknown option '" + argument + "'");
        }
        if (hasScript) {
            return fail("only one script can be compiled at a time ('" + result.m_scriptArgument + "' and '" +
                        argument + "')");
        }
        result.m_scriptArgument = argument;
        result.m_script = PathFromUtf8(argument);
        hasScript = true;
    }
    if (!hasScript) {
        return fail("no script given");
    }
    if (!hasOutput) {
        result.m_output = result.m_script;
        result.m_output.replace_extension(".res");
    }
    result.m_action = CommandLine::Action::kCompile;
    return result;
}

}  // namespace brcc
