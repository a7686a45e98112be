// The three dialects as tables of options, each row saying what the option sets; one function applies them all.
#include "brcc32/cli/command_line.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <span>

#include "brcc32/cli/response_file.h"
#include "brcc32/files/input_file.h"
#include "brcc32/message_catalogue.h"
#include "brcc32/text/code_page.h"

namespace brcc {
namespace {

enum class Effect {
    kHelp,
    kVersion,
    kOutput,
    kInput,
    kInclude,
    kIncludeList,  // Borland's -i takes folders separated by ';'
    kDefine,
    kDefineList,
    kUndefine,
    kIgnoreIncludeVariable,
    kCodePage,
    kLanguage,
    kVerbose,
    kNullTerminate,
    kAccepted,  // nothing to do: a default, or a switch for something this compiler always does
    kAcceptedWithValue,
    kRefused16Bit,
    kMachine,
    kTarget,
    kInputFormat,
    kOutputFormat,
    kDependencies,  // -MD: beside the output, as NAME.d
    kDependencyFile,
    kDependencyTarget,
    kDependencyFormat,
    kPreprocessorArgument,
};

struct OptionSpec {
    std::string_view name;  // without its - or / or --
    bool takesValue;
    Effect effect;
};

// Longer names first where one starts another: a value may be glued to a short name.
constexpr std::array kBorlandOptions = {
    OptionSpec{"machine", true, Effect::kMachine},
    OptionSpec{"fo", true, Effect::kOutput},
    OptionSpec{"fi", true, Effect::kInput},
    OptionSpec{"fe", true, Effect::kRefused16Bit},
    OptionSpec{"w32", false, Effect::kAccepted},
    OptionSpec{"32", false, Effect::kAccepted},
    OptionSpec{"16", false, Effect::kRefused16Bit},
    OptionSpec{"31", false, Effect::kRefused16Bit},
    OptionSpec{"MD", false, Effect::kDependencies},
    OptionSpec{"MF", true, Effect::kDependencyFile},
    OptionSpec{"MT", true, Effect::kDependencyTarget},
    OptionSpec{"MP", false, Effect::kAccepted},
    OptionSpec{"r", false, Effect::kAccepted},
    OptionSpec{"m", false, Effect::kAccepted},
    OptionSpec{"x", false, Effect::kIgnoreIncludeVariable},
    OptionSpec{"v", false, Effect::kVerbose},
    OptionSpec{"h", false, Effect::kHelp},
    OptionSpec{"?", false, Effect::kHelp},
    OptionSpec{"i", true, Effect::kIncludeList},
    OptionSpec{"d", true, Effect::kDefineList},
    OptionSpec{"u", true, Effect::kUndefine},
    OptionSpec{"c", true, Effect::kCodePage},
    OptionSpec{"l", true, Effect::kLanguage},
};

constexpr std::array kMicrosoftOptions = {
    OptionSpec{"machine", true, Effect::kMachine},
    OptionSpec{"nologo", false, Effect::kAccepted},
    OptionSpec{"fo", true, Effect::kOutput},
    OptionSpec{"MD", false, Effect::kDependencies},
    OptionSpec{"MF", true, Effect::kDependencyFile},
    OptionSpec{"MT", true, Effect::kDependencyTarget},
    OptionSpec{"MP", false, Effect::kAccepted},
    OptionSpec{"r", false, Effect::kAccepted},
    OptionSpec{"v", false, Effect::kVerbose},
    OptionSpec{"n", false, Effect::kNullTerminate},
    OptionSpec{"w", false, Effect::kAccepted},
    OptionSpec{"y", false, Effect::kAccepted},
    OptionSpec{"x", false, Effect::kIgnoreIncludeVariable},
    OptionSpec{"?", false, Effect::kHelp},
    OptionSpec{"h", false, Effect::kHelp},
    OptionSpec{"d", true, Effect::kDefine},
    OptionSpec{"u", true, Effect::kUndefine},
    OptionSpec{"i", true, Effect::kInclude},
    OptionSpec{"c", true, Effect::kCodePage},
    OptionSpec{"l", true, Effect::kLanguage},
};

// GNU's short options: case matters, a value may be glued or apart.
constexpr std::array kGnuShortOptions = {
    OptionSpec{"MD", false, Effect::kDependencies},
    OptionSpec{"MF", true, Effect::kDependencyFile},
    OptionSpec{"MT", true, Effect::kDependencyTarget},
    OptionSpec{"MP", false, Effect::kAccepted},
    OptionSpec{"i", true, Effect::kInput},
    OptionSpec{"o", true, Effect::kOutput},
    OptionSpec{"J", true, Effect::kInputFormat},
    OptionSpec{"O", true, Effect::kOutputFormat},
    OptionSpec{"F", true, Effect::kTarget},
    OptionSpec{"I", true, Effect::kInclude},
    OptionSpec{"D", true, Effect::kDefine},
    OptionSpec{"U", true, Effect::kUndefine},
    OptionSpec{"c", true, Effect::kCodePage},
    OptionSpec{"l", true, Effect::kLanguage},
    OptionSpec{"v", false, Effect::kVerbose},
    OptionSpec{"r", false, Effect::kAccepted},
    OptionSpec{"h", false, Effect::kHelp},
    OptionSpec{"V", false, Effect::kVersion},
};

// GNU's long options, which may be shortened to any unambiguous start (--include for --include-dir).
constexpr std::array kGnuLongOptions = {
    OptionSpec{"input", true, Effect::kInput},
    OptionSpec{"output", true, Effect::kOutput},
    OptionSpec{"input-format", true, Effect::kInputFormat},
    OptionSpec{"output-format", true, Effect::kOutputFormat},
    OptionSpec{"target", true, Effect::kTarget},
    OptionSpec{"preprocessor", true, Effect::kAcceptedWithValue},
    OptionSpec{"preprocessor-arg", true, Effect::kPreprocessorArgument},
    OptionSpec{"include-dir", true, Effect::kInclude},
    OptionSpec{"define", true, Effect::kDefine},
    OptionSpec{"undefine", true, Effect::kUndefine},
    OptionSpec{"verbose", false, Effect::kVerbose},
    OptionSpec{"codepage", true, Effect::kCodePage},
    OptionSpec{"language", true, Effect::kLanguage},
    OptionSpec{"use-temp-file", false, Effect::kAccepted},
    OptionSpec{"no-use-temp-file", false, Effect::kAccepted},
    OptionSpec{"yydebug", false, Effect::kAccepted},
    OptionSpec{"help", false, Effect::kHelp},
    OptionSpec{"version", false, Effect::kVersion},
    OptionSpec{"depfile", true, Effect::kDependencyFile},
    OptionSpec{"depfile-target", true, Effect::kDependencyTarget},
    OptionSpec{"depfile-format", true, Effect::kDependencyFormat},
};

// Long options every dialect takes, spelled whole.
constexpr std::array kCommonLongOptions = {
    OptionSpec{"help", false, Effect::kHelp},
    OptionSpec{"version", false, Effect::kVersion},
    OptionSpec{"machine", true, Effect::kMachine},
    OptionSpec{"depfile", true, Effect::kDependencyFile},
    OptionSpec{"depfile-target", true, Effect::kDependencyTarget},
    OptionSpec{"depfile-format", true, Effect::kDependencyFormat},
};

// What the preprocessor options given through --preprocessor-arg mean to us; the rest is for a preprocessor that
// does not run.
constexpr std::array kPreprocessorOptions = {
    OptionSpec{"MD", false, Effect::kDependencies},    OptionSpec{"MMD", false, Effect::kDependencies},
    OptionSpec{"MF", true, Effect::kDependencyFile},   OptionSpec{"MT", true, Effect::kDependencyTarget},
    OptionSpec{"MQ", true, Effect::kDependencyTarget}, OptionSpec{"MP", false, Effect::kAccepted},
    OptionSpec{"I", true, Effect::kInclude},           OptionSpec{"D", true, Effect::kDefine},
    OptionSpec{"U", true, Effect::kUndefine},
};

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

bool StartsWith(std::string_view text, std::string_view prefix, bool ignoreCase) {
    return text.size() >= prefix.size() &&
           (ignoreCase ? EqualsIgnoringCase(text.substr(0, prefix.size()), prefix) : text.starts_with(prefix));
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return lower;
}

// A number written in `base`, or in hexadecimal with 0x; nothing when there are other characters.
std::optional<std::uint32_t> ParseNumber(std::string_view text, int base) {
    if (StartsWith(text, "0x", true)) {
        text.remove_prefix(2);
        base = 16;
    }
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

bool IsMacroName(std::string_view name) {
    return !name.empty() && !std::isdigit(static_cast<unsigned char>(name[0])) &&
           std::all_of(name.begin(), name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; });
}

std::vector<std::string_view> SplitList(std::string_view list) {
    std::vector<std::string_view> items;
    while (!list.empty()) {
        const std::size_t end = std::min(list.find(';'), list.size());
        if (end > 0) {
            items.push_back(list.substr(0, end));
        }
        list.remove_prefix(std::min(end + 1, list.size()));
    }
    return items;
}

bool HasExtension(const std::filesystem::path& path, std::initializer_list<std::string_view> extensions) {
    const std::string extension = Lower(PathToUtf8(path.extension()));
    return std::any_of(extensions.begin(), extensions.end(), [&](std::string_view e) { return extension == e; });
}

// Turns an argument list into a CommandLine: the dialect's matching rules, then the effects, which every dialect
// shares.
class Parser {
public:
    Parser(const ProgramIdentity& program, Dialect dialect) {
        m_result.dialect = dialect;
        m_result.programName = program.name;
        if (program.machine) {
            m_result.machine = *program.machine;
        }
    }

    CommandLine Run(const std::vector<std::string>& arguments) {
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
        }
        return m_result;
    }

private:
    struct UsageError {
        std::string text;
    };
    [[noreturn]] static void Fail(std::string text) { throw UsageError{std::move(text)}; }

    void ReadArgument(const std::string& argument) {
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
                    Apply(Effect::kHelp, argument, "");
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
    static bool LooksLikePath(std::string_view argument) {
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

    template <std::size_t N>
    void ReadShortOption(const std::string& argument, const std::array<OptionSpec, N>& table, bool ignoreCase) {
        const std::string_view body = std::string_view(argument).substr(1);
        for (const OptionSpec& row : table) {
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
            if (row.effect == Effect::kMachine) {
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
                  glued.empty() && row.effect != Effect::kRefused16Bit ? TakeValue(argument) : std::string(glued));
            return;
        }
        Fail(Text(msg::kUnknownOption, {argument}));
    }

    void ReadLongOption(const std::string& argument) {
        const std::string_view body = std::string_view(argument).substr(2);
        const std::size_t equals = body.find('=');
        const std::string_view name = body.substr(0, equals);
        const OptionSpec* found = nullptr;
        if (m_result.dialect == Dialect::kGnu) {
            found = FindGnuLong(name, argument);
        }
        if (found == nullptr) {
            for (const OptionSpec& row : kCommonLongOptions) {
                if (name == row.name) {
                    found = &row;
                }
            }
        }
        if (found == nullptr) {
            Fail(Text(msg::kUnknownOption, {argument}));
        }
        if (!found->takesValue) {
            if (equals != std::string_view::npos) {
                Fail(Text(msg::kUnknownOption, {argument}));
            }
            Apply(found->effect, argument, "");
            return;
        }
        const std::string shown = "--" + std::string(found->name);
        Apply(found->effect, shown,
              equals == std::string_view::npos ? TakeValue(shown) : std::string(body.substr(equals + 1)));
    }

    static const OptionSpec* FindGnuLong(std::string_view name, const std::string& argument) {
        const OptionSpec* prefixMatch = nullptr;
        int prefixMatches = 0;
        for (const OptionSpec& row : kGnuLongOptions) {
            if (name == row.name) {
                return &row;
            }
            if (!name.empty() && row.name.starts_with(name)) {
                prefixMatch = &row;
                ++prefixMatches;
            }
        }
        if (prefixMatches > 1) {
            Fail(Text(msg::kUnknownOption, {argument}));
        }
        return prefixMatch;
    }

    std::string TakeValue(const std::string& option) {
        if (m_next == m_arguments.size()) {
            Fail(Text(msg::kOptionNeedsValue, {option}));
        }
        return m_arguments[m_next++];
    }

    void Apply(Effect effect, const std::string& option, const std::string& value) {
        PreprocessOptions& preprocess = m_result.preprocess;
        switch (effect) {
            case Effect::kHelp:
                m_result.action = CommandLine::Action::kHelp;
                m_done = true;
                return;
            case Effect::kVersion:
                m_result.action = CommandLine::Action::kVersion;
                m_done = true;
                return;
            case Effect::kOutput:
                if (m_hasOutput) {
                    Fail(Text(msg::kOptionGivenTwice, {option}));
                }
                m_result.outputArgument = value;
                m_hasOutput = true;
                return;
            case Effect::kInput:
                SetScript(value);
                return;
            case Effect::kInclude:
                preprocess.includeFolders.push_back(PathFromUtf8(value));
                return;
            case Effect::kIncludeList:
                for (const std::string_view folder : SplitList(value)) {
                    preprocess.includeFolders.push_back(PathFromUtf8(folder));
                }
                return;
            case Effect::kDefine:
                AddMacro(preprocess.defines, value);
                return;
            case Effect::kDefineList:
                for (const std::string_view definition : SplitList(value)) {
                    AddMacro(preprocess.defines, std::string(definition));
                }
                return;
            case Effect::kUndefine:
                AddMacro(preprocess.undefines, value);
                return;
            case Effect::kIgnoreIncludeVariable:
                m_ignoreIncludeVariable = true;
                return;
            case Effect::kCodePage: {
                const std::optional<std::uint32_t> codePage = ParseNumber(value, 10);
                if (!codePage || !IsSupportedCodePage(*codePage)) {
                    Fail(Text(msg::kBadCodePage, {value}));
                }
                m_result.codePage = *codePage;
                return;
            }
            case Effect::kLanguage: {
                const std::optional<std::uint32_t> language = ParseNumber(value, 16);
                if (!language || *language > 0xFFFF) {
                    Fail(Text(msg::kBadLanguage, {value}));
                }
                m_result.language = static_cast<std::uint16_t>(*language);
                return;
            }
            case Effect::kVerbose:
                m_result.verbose = true;
                return;
            case Effect::kNullTerminate:
                m_result.nullTerminateStrings = true;
                return;
            case Effect::kAccepted:
            case Effect::kAcceptedWithValue:
                return;
            case Effect::kRefused16Bit:
                Fail(Text(msg::kNo16Bit, {option}));
            case Effect::kMachine: {
                const std::optional<Machine> machine = MachineFromName(value);
                if (!machine) {
                    Fail(Text(msg::kBadMachine, {value}));
                }
                m_result.machine = *machine;
                return;
            }
            case Effect::kTarget: {
                const std::optional<Machine> machine = MachineFromTarget(value);
                if (!machine) {
                    Fail(Text(msg::kBadMachine, {value}));
                }
                m_result.machine = *machine;
                return;
            }
            case Effect::kInputFormat: {
                const std::string format = Lower(value);
                if (format != "rc" && format != "res") {
                    Fail(Text(msg::kBadFormat, {value, "rc, res"}));
                }
                m_inputFormat = format == "res" ? InputFormat::kRes : InputFormat::kScript;
                return;
            }
            case Effect::kOutputFormat: {
                const std::string format = Lower(value);
                if (format != "res" && format != "coff") {
                    Fail(Text(msg::kBadFormat, {value, "res, coff"}));
                }
                m_outputFormat = format == "coff" ? OutputFormat::kCoff : OutputFormat::kRes;
                return;
            }
            case Effect::kDependencies:
                m_dependenciesBesideOutput = true;
                return;
            case Effect::kDependencyFile:
                m_result.dependencies.file = PathFromUtf8(value);
                return;
            case Effect::kDependencyTarget:
                m_result.dependencies.targets.push_back(value);
                return;
            case Effect::kDependencyFormat: {
                const std::string format = Lower(value);
                if (format != "make" && format != "json") {
                    Fail(Text(msg::kBadFormat, {value, "make, json"}));
                }
                m_result.dependencies.format = format == "json" ? DependencyFormat::kJson : DependencyFormat::kMake;
                return;
            }
            case Effect::kPreprocessorArgument:
                ReadPreprocessorArgument(value);
                return;
        }
    }

    // gcc's options as windres users pass them: -MF FILE comes as two --preprocessor-arg.
    void ReadPreprocessorArgument(const std::string& argument) {
        if (m_pendingPreprocessorOption != nullptr) {
            const OptionSpec* row = std::exchange(m_pendingPreprocessorOption, nullptr);
            Apply(row->effect, "-" + std::string(row->name), argument);
            return;
        }
        if (argument.size() < 2 || argument[0] != '-') {
            return;
        }
        const std::string_view body = std::string_view(argument).substr(1);
        for (const OptionSpec& row : kPreprocessorOptions) {
            if (!row.takesValue ? body == row.name : body.starts_with(row.name)) {
                const std::string_view glued = body.substr(row.name.size());
                if (row.takesValue && glued.empty()) {
                    m_pendingPreprocessorOption = &row;
                    return;
                }
                Apply(row.effect, argument, std::string(glued));
                return;
            }
        }
    }

    void AddMacro(std::vector<std::string>& list, const std::string& value) {
        if (!IsMacroName(std::string_view(value).substr(0, value.find('=')))) {
            Fail(Text(msg::kNotAMacroName, {value}));
        }
        list.push_back(value);
    }

    void SetScript(const std::string& name) {
        if (m_hasScript) {
            Fail(Text(msg::kTwoScripts, {m_result.scriptArgument, name}));
        }
        m_result.scriptArgument = name;
        m_hasScript = true;
    }

    // GNU takes the input and then the output by position; the others only the script.
    void AddFileName(const std::string& name) {
        if (m_result.dialect == Dialect::kGnu && m_hasScript) {
            if (m_hasOutput) {
                Fail(Text(msg::kTooManyFiles, {name}));
            }
            m_result.outputArgument = name;
            m_hasOutput = true;
            return;
        }
        SetScript(name);
    }

    void Finish() {
        if (!m_hasScript) {
            Fail(Text(msg::kNoScript));
        }
        m_result.script = PathFromUtf8(m_result.scriptArgument);
        m_result.inputFormat =
            m_inputFormat.value_or(HasExtension(m_result.script, {".res"}) ? InputFormat::kRes : InputFormat::kScript);
        if (m_hasOutput) {
            m_result.output = PathFromUtf8(m_result.outputArgument);
        } else if (m_result.dialect == Dialect::kGnu) {
            Fail(Text(msg::kNoOutput));
        } else {
            m_result.output = m_result.script;
            m_result.output.replace_extension(".res");
            m_result.outputArgument = PathToUtf8(m_result.output);
        }
        // An object file's name asks for an object file in every dialect: a .res named x.obj serves no linker.
        m_result.outputFormat = m_outputFormat.value_or(
            HasExtension(m_result.output, {".o", ".obj"}) ? OutputFormat::kCoff : OutputFormat::kRes);
        if (m_dependenciesBesideOutput && m_result.dependencies.file.empty()) {
            m_result.dependencies.file = m_result.output;
            m_result.dependencies.file.replace_extension(".d");
        }
        // The INCLUDE variable lists folders as Windows does, separated by ';'; searched after the options'.
        if (const char* include = std::getenv("INCLUDE"); include != nullptr && !m_ignoreIncludeVariable) {
            for (const std::string_view folder : SplitList(include)) {
                m_result.preprocess.includeFolders.push_back(PathFromUtf8(folder));
            }
        }
        m_result.action = CommandLine::Action::kCompile;
    }

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
    const OptionSpec* m_pendingPreprocessorOption = nullptr;
};

std::optional<Dialect> DialectFromName(std::string_view name) {
    const std::string lower = Lower(name);
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
    std::string name = Lower(slash == std::string_view::npos ? programPath : programPath.substr(slash + 1));
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
        result.error = Text(
            error.GetKind() == ResponseFileError::Kind::kUnreadable ? msg::kResponseUnreadable : msg::kResponseTooDeep,
            {error.what()});
        return result;
    }
    return Parser(program, dialect).Run(expanded);
}

}  // namespace brcc
