// Reads the input's resources, then writes them as a script.
#include "brcc32/decompile/decompile_command.h"

#include <memory>
#include <sstream>
#include <vector>

#include "brcc32/build_outputs.h"
#include "brcc32/decompile/decompile.h"
#include "brcc32/message_catalogue.h"
#include "brcc32/resource_compiler.h"
#include "brcc32/script_error.h"

namespace brcc {
namespace {

// A script given as input is compiled first: the script written back is then the compiler's view of it, every
// macro and #include resolved.
std::vector<std::uint8_t> CompileToBytes(const CommandLine& commandLine, DiagnosticSink* diagnostics) {
    std::stringbuf res;
    CompileScript(commandLine.script, res, PreprocessOptionsOf(commandLine), commandLine.scriptArgument,
                  DefaultReaderCount(), diagnostics, nullptr, ScriptSettingsOf(commandLine));
    const std::string bytes = std::move(res).str();
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace

void DecompileInput(const CommandLine& commandLine, std::optional<ResourceFileFormat> format,
                    DiagnosticSink* diagnostics, std::FILE* verbose) {
    const std::string& shown = commandLine.scriptArgument;
    Say(verbose, msg::kVerboseReading, {shown});
    // A file of resources is read through its headers or its directory, each resource's data when it is written; a
    // script's resources are the .res the compiler made of it, in memory.
    const std::unique_ptr<ResourceSource> source =
        format
            ? OpenResources(commandLine, *format)
            : std::make_unique<FileResourceSource>(CompileToBytes(commandLine, diagnostics), ResourceFileFormat::kRes);
    Say(verbose, msg::kVerboseWriting, {commandLine.outputArgument});
    try {
        const DecompileSummary summary = WriteDecompiledScript(*source, commandLine.output, diagnostics, shown);
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
