// What each option sets, the same in every dialect, and the defaults the command line leaves to the compiler.
#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <initializer_list>
#include <utility>

#include "brcc32/cli/command_line_parser.h"
#include "brcc32/cli/system_include_folders.h"
#include "brcc32/files/input_file.h"
#include "brcc32/message_catalogue.h"
#include "brcc32/text/ascii_case.h"
#include "brcc32/text/code_page.h"

namespace brcc {
namespace {

// A number written in `base`, or in hexadecimal with 0x; nothing when there are other characters.
std::optional<std::uint32_t> ParseNumber(std::string_view text, int base) {
    if (StartsWithIgnoringCase(text, "0x")) {
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

// NAME, or NAME(a,b) for a macro with parameters, as gcc and clang take them after -D.
bool IsMacroHead(std::string_view head) {
    const std::size_t open = head.find('(');
    if (open == std::string_view::npos) {
        return IsMacroName(head);
    }
    if (!IsMacroName(head.substr(0, open)) || !head.ends_with(")")) {
        return false;
    }
    std::string_view parameters = head.substr(open + 1, head.size() - open - 2);
    while (!parameters.empty()) {
        const std::size_t comma = parameters.find(',');
        std::string_view parameter = parameters.substr(0, comma);
        while (!parameter.empty() && parameter.front() == ' ') {
            parameter.remove_prefix(1);
        }
        while (!parameter.empty() && parameter.back() == ' ') {
            parameter.remove_suffix(1);
        }
        if (parameter != "..." && !IsMacroName(parameter)) {
            return false;
        }
        parameters = comma == std::string_view::npos ? std::string_view() : parameters.substr(comma + 1);
    }
    return true;
}

std::string_view MacroName(std::string_view definition) {
    return definition.substr(0, std::min(definition.find('='), definition.find('(')));
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
    const std::string extension = LowerAscii(PathToUtf8(path.extension()));
    return std::any_of(extensions.begin(), extensions.end(), [&](std::string_view e) { return extension == e; });
}

}  // namespace

void CommandLineParser::Apply(OptionEffect effect, const std::string& option, const std::string& value) {
    PreprocessOptions& preprocess = m_result.preprocess;
    switch (effect) {
        case OptionEffect::kHelp:
            m_result.action = CommandLine::Action::kHelp;
            m_done = true;
            return;
        case OptionEffect::kVersion:
            m_result.action = CommandLine::Action::kVersion;
            m_done = true;
            return;
        case OptionEffect::kOutput:
            if (m_hasOutput) {
                Fail(msg::kOptionGivenTwice, {option});
            }
            if (value.empty()) {
                Fail(msg::kEmptyOutputName, {option});
            }
            m_result.outputArgument = value;
            m_hasOutput = true;
            return;
        case OptionEffect::kInput:
            SetScript(value);
            return;
        case OptionEffect::kInclude:
            preprocess.includeFolders.push_back(PathFromUtf8(value));
            return;
        case OptionEffect::kIncludeList:
            for (const std::string_view folder : SplitList(value)) {
                preprocess.includeFolders.push_back(PathFromUtf8(folder));
            }
            return;
        case OptionEffect::kDefine:
            AddDefine(value);
            return;
        case OptionEffect::kDefineList:
            for (const std::string_view definition : SplitList(value)) {
                AddDefine(std::string(definition));
            }
            return;
        case OptionEffect::kUndefine:
            AddUndefine(value);
            return;
        case OptionEffect::kIgnoreIncludeVariable:
            m_ignoreIncludeVariable = true;
            return;
        case OptionEffect::kCodePage: {
            const std::optional<std::uint32_t> codePage = ParseNumber(value, 10);
            if (!codePage || !IsSupportedCodePage(*codePage)) {
                Fail(msg::kBadCodePage, {value});
            }
            m_result.codePage = *codePage;
            return;
        }
        case OptionEffect::kLanguage: {
            const std::optional<std::uint32_t> language = ParseNumber(value, 16);
            if (!language || *language > 0xFFFF) {
                Fail(msg::kBadLanguage, {value});
            }
            m_result.language = static_cast<std::uint16_t>(*language);
            return;
        }
        case OptionEffect::kVerbose:
            m_result.verbose = true;
            return;
        case OptionEffect::kNullTerminate:
            m_result.nullTerminateStrings = true;
            return;
        case OptionEffect::kAccepted:
        case OptionEffect::kAcceptedWithValue:
            return;
        case OptionEffect::kRefused16Bit:
            Fail(msg::kNo16Bit, {option});
        case OptionEffect::kMachine:
        case OptionEffect::kTarget: {
            const std::optional<Machine> machine =
                effect == OptionEffect::kMachine ? MachineFromName(value) : MachineFromTarget(value);
            if (!machine) {
                Fail(msg::kBadMachine, {value});
            }
            m_result.machine = *machine;
            return;
        }
        case OptionEffect::kInputFormat:
            m_inputFormat = ChooseFormat<InputFormat>(
                value, {{"rc", InputFormat::kScript}, {"res", InputFormat::kRes}, {"coff", InputFormat::kObject}});
            return;
        case OptionEffect::kOutputFormat:
            m_outputFormat = ChooseFormat<OutputFormat>(
                value, {{"res", OutputFormat::kRes}, {"coff", OutputFormat::kCoff}, {"rc", OutputFormat::kScript}});
            return;
        case OptionEffect::kDependencies:
            m_dependenciesBesideOutput = true;
            return;
        case OptionEffect::kDependencyFile:
            m_result.dependencies.file = PathFromUtf8(value);
            return;
        case OptionEffect::kDependencyTarget:
            m_result.dependencies.targets.push_back(value);
            return;
        case OptionEffect::kDependencyFormat:
            m_result.dependencies.format = ChooseFormat<DependencyFormat>(
                value, {{"make", DependencyFormat::kMake}, {"json", DependencyFormat::kJson}});
            return;
        case OptionEffect::kPreprocessorArgument:
            ReadPreprocessorArgument(value);
            return;
        case OptionEffect::kDecompile:
            m_outputFormat = OutputFormat::kScript;
            return;
    }
}

// gcc's options as windres users pass them: -MF FILE comes as two --preprocessor-arg.
void CommandLineParser::ReadPreprocessorArgument(const std::string& argument) {
    if (m_pendingPreprocessorOption != nullptr) {
        const OptionRow* row = std::exchange(m_pendingPreprocessorOption, nullptr);
        Apply(row->effect, "-" + std::string(row->name), argument);
        return;
    }
    if (argument.size() < 2 || argument[0] != '-') {
        return;
    }
    const std::string_view body = std::string_view(argument).substr(1);
    for (const OptionRow& row : kPreprocessorOptions) {
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

// -D and -U act in the order given, as in a C compiler: the preprocessor applies every define before every
// undefine, so a later option takes back what an earlier one said of the same name.
void CommandLineParser::AddDefine(const std::string& value) {
    if (!IsMacroHead(std::string_view(value).substr(0, value.find('=')))) {
        Fail(msg::kNotAMacroName, {value});
    }
    std::erase(m_result.preprocess.undefines, std::string(MacroName(value)));
    m_result.preprocess.defines.push_back(value);
}

void CommandLineParser::AddUndefine(const std::string& value) {
    if (!IsMacroName(value)) {
        Fail(msg::kNotAMacroName, {value});
    }
    std::erase_if(m_result.preprocess.defines,
                  [&value](const std::string& definition) { return MacroName(definition) == value; });
    m_result.preprocess.undefines.push_back(value);
}

void CommandLineParser::SetScript(const std::string& name) {
    if (m_hasScript) {
        Fail(msg::kTwoScripts, {m_result.scriptArgument, name});
    }
    m_result.scriptArgument = name;
    m_hasScript = true;
}

// GNU takes the input and then the output by position; the others only the script.
void CommandLineParser::AddFileName(const std::string& name) {
    if (m_result.dialect == Dialect::kGnu && m_hasScript) {
        if (m_hasOutput) {
            Fail(msg::kTooManyFiles, {name});
        }
        m_result.outputArgument = name;
        m_hasOutput = true;
        return;
    }
    SetScript(name);
}

void CommandLineParser::Finish() {
    const bool gnu = m_result.dialect == Dialect::kGnu;
    // As GNU windres: no input name, or -, reads the standard input; no output name, or -, writes the standard
    // output. A pipe of two tools needs no file.
    if (!m_hasScript && !gnu) {
        Fail(msg::kNoScript);
    }
    if (!gnu || (m_hasScript && m_result.scriptArgument != "-")) {
        m_result.script = PathFromUtf8(m_result.scriptArgument);
    } else {
        m_result.scriptArgument = "<stdin>";
    }
    m_result.inputFormat =
        m_inputFormat.value_or(HasExtension(m_result.script, {".res"})                         ? InputFormat::kRes
                               : HasExtension(m_result.script, {".o", ".obj", ".exe", ".dll"}) ? InputFormat::kObject
                               : HasExtension(m_result.script, {".rc"})                        ? InputFormat::kScript
                                                                        : InputFormat::kByContent);
    if (gnu && (!m_hasOutput || m_result.outputArgument == "-")) {
        m_result.outputToStandardOutput = true;
        m_result.outputArgument = "-";
    } else if (m_hasOutput) {
        m_result.output = PathFromUtf8(m_result.outputArgument);
    } else {
        m_result.output = m_result.script;
        m_result.output.replace_extension(m_outputFormat == OutputFormat::kScript ? ".rc" : ".res");
        m_result.outputArgument = PathToUtf8(m_result.output);
    }
    // An object file's name asks for an object file in every dialect: a .res named x.obj serves no linker. GNU
    // windres writes an object unless the name ends in .res: rsrc.syso, x.coff and names without an extension are
    // objects. A .rc name asks for a script in every dialect, as windres takes it. The standard output takes a .res
    // unless -O says otherwise: there is no name to go by.
    const bool objectByName = m_result.outputToStandardOutput     ? false
                              : m_result.dialect == Dialect::kGnu ? !HasExtension(m_result.output, {".res"})
                                                                  : HasExtension(m_result.output, {".o", ".obj"});
    m_result.outputFormat = m_outputFormat.value_or(HasExtension(m_result.output, {".rc"}) ? OutputFormat::kScript
                                                    : objectByName                         ? OutputFormat::kCoff
                                                                                           : OutputFormat::kRes);
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
    // GNU's windres preprocesses with the target's gcc, which finds the C library's and Windows' headers where the
    // cross toolchain keeps them; the built-in headers serve where it is not installed.
    if (m_result.dialect == Dialect::kGnu) {
        m_result.preprocess.systemFolders = SystemIncludeFolders(m_result.machine);
    }
    m_result.action = CommandLine::Action::kCompile;
}

}  // namespace brcc
