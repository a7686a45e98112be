// Turns an argument list into a CommandLine: the dialect's matching rules (option_matching.cpp), then the effects,
// which every dialect shares (option_effects.cpp).
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "brcc32/cli/command_line.h"
#include "brcc32/cli/option_tables.h"
#include "brcc32/message_catalogue.h"
#include "brcc32/text/ascii_case.h"

namespace brcc {

class CommandLineParser {
public:
    CommandLineParser(const ProgramIdentity& program, Dialect dialect);

    CommandLine Run(const std::vector<std::string>& arguments);

private:
    struct UsageError {
        std::string text;
        std::string code;
    };
    [[noreturn]] static void Fail(std::string text) { throw UsageError{std::move(text), {}}; }
    [[noreturn]] static void Fail(const MessageText& message, std::initializer_list<MessageArgument> arguments = {}) {
        throw UsageError{Text(message, arguments), message.code};
    }

    // The format of the two that `value` names, in any case.
    template <typename Format>
    static Format ChooseFormat(const std::string& value, std::string_view firstName, Format first,
                               std::string_view secondName, Format second) {
        const std::string format = LowerAscii(value);
        if (format != firstName && format != secondName) {
            Fail(msg::kBadFormat, {value, std::string(firstName) + ", " + std::string(secondName)});
        }
        return format == firstName ? first : second;
    }

    // Matching an argument to a row of the dialect's table.
    void ReadArgument(const std::string& argument);
    static bool LooksLikePath(std::string_view argument);
    void ReadShortOption(const std::string& argument, std::span<const OptionRow> table, bool ignoreCase);
    void ReadLongOption(const std::string& argument);
    static const OptionRow* FindGnuLong(std::string_view name, const std::string& argument);
    std::string TakeValue(const std::string& option);

    // What a row sets.
    void Apply(OptionEffect effect, const std::string& option, const std::string& value);
    void ReadPreprocessorArgument(const std::string& argument);
    void AddMacro(std::vector<std::string>& list, const std::string& value);
    void SetScript(const std::string& name);
    void AddFileName(const std::string& name);
    void Finish();

    CommandLine m_result;
    std::vector<std::string> m_arguments;
    std::size_t m_next = 0;
    bool m_done = false;
    bool m_hasScript = false;
    bool m_hasOutput = false;
    bool m_ignoreIncludeVariable = false;
    bool m_dependenciesBesideOutput = false;
    std::optional<InputFormat> m_inputFormat;
    std::optional<OutputFormat> m_outputFormat;
    const OptionRow* m_pendingPreprocessorOption = nullptr;
};

}  // namespace brcc
