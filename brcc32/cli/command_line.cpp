// Command-line parsing, kept apart from main so tests reach it.
#include "brcc32/cli/command_line.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string_view>

#include "brcc32/files/input_file.h"

namespace brcc {

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine result;
    auto fail = [&result](std::string message) {
        result.action = CommandLine::Action::kUsageError;
        result.error = std::move(message);
        return result;
    };
    bool hasScript = false;
    bool hasOutput = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "-h" || argument == "--help" || argument == "-?" || argument == "/?") {
            result.action = CommandLine::Action::kHelp;
            return result;
        }
        if (argument == "--version") {
            result.action = CommandLine::Action::kVersion;
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
            result.output = PathFromUtf8(output);
            hasOutput = true;
            continue;
        }
        // The code page of the script's 8-bit text: Borland's -cNNN, Microsoft's /c NNN.
        if (argument.size() > 1 && argument[0] == '-' && (argument[1] == 'c' || argument[1] == 'C')) {
            std::string value = argument.substr(2);
            if (value.empty()) {
                if (i + 1 == arguments.size()) {
                    return fail(argument + " needs a code page number");
                }
                value = arguments[++i];
            }
            std::uint32_t codePage = 0;
            for (const char c : value) {
                if (!std::isdigit(static_cast<unsigned char>(c)) || codePage > 1000000) {
                    return fail("'" + value + "' is not a code page number");
                }
                codePage = codePage * 10 + static_cast<std::uint32_t>(c - '0');
            }
            if (value.empty() || !IsSupportedCodePage(codePage)) {
                return fail("code page " + value + " is not supported");
            }
            result.preprocess.codePage = codePage;
            continue;
        }
        // Borland's brcc32 spells these -i and -d, llvm-rc and Microsoft's rc -I and -D; both are taken.
        if (argument.size() > 1 && argument[0] == '-' &&
            std::string_view("iIdDU").find(argument[1]) != std::string_view::npos) {
            std::string value = argument.substr(2);
            if (value.empty()) {
                if (i + 1 == arguments.size()) {
                    return fail(argument + " needs a value");
                }
                value = arguments[++i];
            }
            if (argument[1] == 'i' || argument[1] == 'I') {
                result.preprocess.includeFolders.push_back(PathFromUtf8(value));
                continue;
            }
            const std::string name = value.substr(0, value.find('='));
            if (name.empty() ||
                !std::all_of(name.begin(), name.end(),
                             [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }) ||
                std::isdigit(static_cast<unsigned char>(name[0]))) {
                return fail("'" + value + "' is not a macro name");
            }
            (argument[1] == 'U' ? result.preprocess.undefines : result.preprocess.defines).push_back(value);
            continue;
        }
        if (argument.size() > 1 && argument[0] == '-') {
            return fail("unknown option '" + argument + "'");
        }
        if (hasScript) {
            return fail("only one script can be compiled at a time ('" + result.scriptArgument + "' and '" + argument +
                        "')");
        }
        result.scriptArgument = argument;
        result.script = PathFromUtf8(argument);
        hasScript = true;
    }
    if (!hasScript) {
        return fail("no script given");
    }
    if (!hasOutput) {
        result.output = result.script;
        result.output.replace_extension(".res");
    }
    // The INCLUDE environment variable lists folders as Windows does, separated by ';'.
    if (const char* include = std::getenv("INCLUDE")) {
        std::string_view folders(include);
        while (!folders.empty()) {
            const std::size_t end = std::min(folders.find(';'), folders.size());
            if (end > 0) {
                result.preprocess.includeFolders.push_back(PathFromUtf8(folders.substr(0, end)));
            }
            folders.remove_prefix(std::min(end + 1, folders.size()));
        }
    }
    result.action = CommandLine::Action::kCompile;
    return result;
}

}  // namespace brcc
