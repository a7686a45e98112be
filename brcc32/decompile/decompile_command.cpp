// Reads the input's resources whole, as a resource refers to its bytes in place, then writes them as a script.
#include "brcc32/decompile/decompile_command.h"

#include <sstream>
#include <vector>

#include "brcc32/decompile/decompile.h"
#include "brcc32/files/input_file.h"
#include "brcc32/message_catalogue.h"
#include "brcc32/resource_compiler.h"
#include "brcc32/script_error.h"

namespace brcc {
namespace {

void Say(std::FILE* verbose, const MessageText& message, std::initializer_list<MessageArgument> arguments) {
    if (verbose != nullptr) {
        std::fprintf(verbose, "%s\n", Text(message, arguments).c_str());
    }
}

std::vector<std::uint8_t> ReadWhole(const std::filesystem::path& path, const std::string& shown) {
    try {
        InputFile file(path);
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(file.Size()));
        file.Read(bytes);
        return bytes;
    } catch (const FileAccessError& error) {
        throw ScriptError(shown, 0, Compose(msg::kCannotReadRes, {error.Text()}));
    }
}

// A script given as input is compiled first: the script written back is then the compiler's view of it, every
// macro and #include resolved.
std::vector<std::uint8_t> CompileToBytes(const CommandLine& commandLine, DiagnosticSink* diagnostics) {
    PreprocessOptions preprocess = commandLine.preprocess;
    preprocess.machine = commandLine.machine;
    if (commandLine.codePage) {
        preprocess.codePage = *commandLine.codePage;
    }
    ScriptSettings settings;
    settings.language = commandLine.language.value_or(kDefaultLanguage);
    settings.nullTerminateStrings = commandLine.nullTerminateStrings;
    std::stringbuf res;
    CompileScript(commandLine.script, res, preprocess, commandLine.scriptArgument, DefaultReaderCount(), diagnostics,
                  nullptr, settings);
    const std::string bytes = std::move(res).str();
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace

void DecompileInput(const CommandLine& commandLine, DiagnosticSink* diagnostics, std::FILE* verbose) {
    const std::string& shown = commandLine.scriptArgument;
    Say(verbose, msg::kVerboseReading, {shown});
    const std::vector<std::uint8_t> bytes = commandLine.inputFormat == InputFormat::kRes
                                                ? ReadWhole(commandLine.script, shown)
                                                : CompileToBytes(commandLine, diagnostics);
    std::vector<ResEntry> entries;
    try {
        entries = ReadResFile(bytes);
    } catch (const ScriptError&) {
        throw;
    } catch (const std::runtime_error& error) {
        throw ScriptError(shown, 0, Compose(msg::kCannotReadRes, {LocalText::Verbatim(error.what())}));
    }
    Say(verbose, msg::kVerboseWriting, {commandLine.outputArgument});
    try {
        const DecompileSummary summary = WriteDecompiledScript(entries, commandLine.output, diagnostics, shown);
        for (const std::filesystem::path& file : summary.files) {
            Say(verbose, msg::kVerboseWriting, {PathToUtf8(file)});
        }
        Say(verbose, msg::kVerboseDecompiled,
            {commandLine.outputArgument, std::to_string(summary.asText), std::to_string(summary.asFiles),
             std::to_string(summary.asData)});
    } catch (const ScriptError&) {
        throw;
    } catch (const LocalizedError& error) {
        throw ScriptError(shown, 0, error.Text());
    } catch (const std::runtime_error& error) {
        throw ScriptError(shown, 0, ReasonOf(error));
    }
}

}  // namespace brcc
