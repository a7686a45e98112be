// The dialects' rules for telling an option from a file name and for finding an option's row and value.
#include <filesystem>
#include <system_error>

#include "brcc32/cli/command_line_parser.h"
#include "brcc32/message_catalogue.h"
#include "brcc32/text/ascii_case.h"

namespace brcc {
namespace {

bool StartsWith(std::string_view text, std::string_view prefix, bool ignoreCase) {
    return ignoreCase ? StartsWithIgnoringCase(text, prefix) : text.starts_with(prefix);
}

}  // namespace

CommandLineParser::CommandLineParser(const ProgramIdentity& program, Dialect dialect) {
    m_result.dialect = dialect;
    m_result.programName = program.name;
    if (program.machine) {
        m_result.machine = *program.machine;
    }
}

CommandLine CommandLineParser::Run(const std::vector<std::string>& arguments) {
    m_arguments = arguments;
    if (m_arguments.empty() && m_result.dialect != Dialect::kGnu) {
        m_result.action = CommandLine::Action::kHelp;
        return m_result;
    }
    try {
        for (m_next = 0; m_next < m_arguments.size() && !m_done;) {
            ReadArgument(m_arguments[m_next++]);
        }
        if (!m_done) {
            Finish();
        }
    } catch (const UsageError& error) {
        m_result.action = CommandLine::Action::kUsageError;
        m_result.error = error.text;
        m_result.errorCode = error.code;
    }
    return m_result;
}

void CommandLineParser::ReadArgument(const std::string& argument) {
    if (argument.starts_with("--") && argument.size() > 2) {
        ReadLongOption(argument);
        return;
    }
    switch (m_result.dialect) {
        case Dialect::kBorland:
            if (argument.size() > 1 && argument[0] == '-') {
                ReadShortOption(argument, kBorlandOptions, true);
                return;
            }
            if (argument == "/?") {
                Apply(OptionEffect::kHelp, argument, "");
                return;
            }
            break;
        case Dialect::kMicrosoft:
            if (argument.size() > 1 && (argument[0] == '-' || (argument[0] == '/' && !LooksLikePath(argument)))) {
                ReadShortOption(argument, kMicrosoftOptions, true);
                return;
            }
            break;
        case Dialect::kGnu:
            if (argument.size() > 1 && argument[0] == '-') {
                ReadShortOption(argument, kGnuShortOptions, false);
                return;
            }
            break;
    }
    AddFileName(argument);
}

// On Windows a leading / is an option; elsewhere it also starts every absolute path, as CMake passes them. A
// path is told from an option by its first folder, which exists.
bool CommandLineParser::LooksLikePath(std::string_view argument) {
#ifdef _WIN32
    (void)argument;
    return false;
#else
    const std::size_t slash = argument.find('/', 1);
    const std::string first(argument.substr(0, slash));
    std::error_code ignored;
    return slash != std::string_view::npos && std::filesystem::is_directory(first, ignored);
#endif
}

void CommandLineParser::ReadShortOption(const std::string& argument, std::span<const OptionRow> table,
                                        bool ignoreCase) {
    const std::string_view body = std::string_view(argument).substr(1);
    for (const OptionRow& row : table) {
        if (!row.takesValue) {
            if (ignoreCase ? EqualsIgnoringCase(body, row.name) : body == row.name) {
                Apply(row.effect, argument, "");
                return;
            }
            continue;
        }
        if (!StartsWith(body, row.name, ignoreCase)) {
            continue;
        }
        std::string_view glued = body.substr(row.name.size());
        if (row.effect == OptionEffect::kMachine) {
            // -machine:x64, as the linkers spell it; a longer word is not this option.
            if (!glued.empty() && glued[0] != ':' && glued[0] != '=') {
                continue;
            }
            if (!glued.empty()) {
                glued.remove_prefix(1);
            }
        }
        const std::string name = argument.substr(0, 1 + row.name.size());
        Apply(row.effect, name,
              glued.empty() && row.effect != OptionEffect::kRefused16Bit ? TakeValue(argument) : std::string(glued));
        return;
    }
    Fail(msg::kUnknownOption, {argument});
}

void CommandLineParser::ReadLongOption(const std::string& argument) {
    const std::string_view body = std::string_view(argument).substr(2);
    const std::size_t equals = body.find('=');
    const std::string_view name = body.substr(0, equals);
    const OptionRow* found = nullptr;
    if (m_result.dialect == Dialect::kGnu) {
        found = FindGnuLong(name, argument);
    }
    if (found == nullptr) {
        for (const OptionRow& row : kCommonLongOptions) {
            if (name == row.name) {
                found = &row;
            }
        }
    }
    if (found == nullptr) {
        Fail(msg::kUnknownOption, {argument});
    }
    if (!found->takesValue) {
        if (equals != std::string_view::npos) {
            Fail(msg::kUnknownOption, {argument});
        }
        Apply(found->effect, argument, "");
        return;
    }
    const std::string shown = "--" + std::string(found->name);
    Apply(found->effect, shown,
          equals == std::string_view::npos ? TakeValue(shown) : std::string(body.substr(equals + 1)));
}

const OptionRow* CommandLineParser::FindGnuLong(std::string_view name, const std::string& argument) {
    const OptionRow* prefixMatch = nullptr;
    int prefixMatches = 0;
    for (const OptionRow& row : kGnuLongOptions) {
        if (name == row.name) {
            return &row;
        }
        if (!name.empty() && row.name.starts_with(name)) {
            prefixMatch = &row;
            ++prefixMatches;
        }
    }
    if (prefixMatches > 1) {
        Fail(msg::kUnknownOption, {argument});
    }
    return prefixMatch;
}

std::string CommandLineParser::TakeValue(const std::string& option) {
    if (m_next == m_arguments.size()) {
        Fail(msg::kOptionNeedsValue, {option});
    }
    return m_arguments[m_next++];
}

}  // namespace brcc
